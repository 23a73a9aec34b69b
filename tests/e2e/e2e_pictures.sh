#!/usr/bin/env bash
# Pictures read back from the real program: totality at Burgos on 12 August 2026 shows the Moon
# and the Sun's limb; with the contact panel the discs move left of it; an instant without an
# event shows the sky and the Sun, nothing of the dialogue; "Abbruch" in the questions after
# Esc goes back to that picture.
source "$(dirname "$0")/e2e_lib.sh"

start_xvfb
start_program

answer "8"           # an instant of one's own
answer ""            # geocentric: n
answer "n"           # equatorial system
answer ""            # stroboscopic: n
answer "12"
answer "8"
answer "2026"
answer "18:30:30"
answer "Burgos"      # not in City.dat: coordinates
answer "42.34"
answer "-3.70"
wait_main

YELLOW="252 252 72"
# Totality: the dark sky, a black Moon and the Sun's limb as a yellow ring.
save syzygy01.bmp
expect_pixel syzygy01.bmp 5 "$CY" 104 104 104
expect_pixel syzygy01.bmp "$CX" "$CY" 0 0 0
RING=$("$CHECK" count "$WORK/syzygy01.bmp" 0 0 1023 767 $YELLOW)
[ "$RING" -ge 1000 ] || fail "only $RING pixels of the Sun's limb in totality"

# The contact panel at the right: before 'k' the limb reaches into its place, after it none.
PANEL="650 150 1023 400"
N=$("$CHECK" count "$WORK/syzygy01.bmp" $PANEL $YELLOW)
[ "$N" -gt 0 ] || fail "the limb does not reach the panel's place without the panel"
key k
save syzygy02.bmp
for colour in "$YELLOW" "0 0 0"; do
  N=$("$CHECK" count "$WORK/syzygy02.bmp" $PANEL $colour)
  [ "$N" -eq 0 ] || fail "$N pixels of a disc ($colour) where the panel stands"
done
N=$("$CHECK" count "$WORK/syzygy02.bmp" $PANEL 255 255 255)
[ "$N" -ge 200 ] || fail "only $N pixels of the panel's text"

# A dialogue at an instant without an event: the sky and the Sun, no trace of the dialogue.
key k
key Escape
for a in "" "" "" "" "" "" "10:00:00" ""; do answer "$a"; done
answer ""
answer ""
wait_main
save syzygy03.bmp
expect_pixel syzygy03.bmp 5 "$CY" 0 0 252
expect_pixel syzygy03.bmp "$CX" "$CY" 227 227 65
N=$("$CHECK" count "$WORK/syzygy03.bmp" 0 0 1023 767 255 255 255)
[ "$N" -eq 0 ] || fail "$N white pixels of the dialogue left on the picture"

# Esc, then "Abbruch" in the second question: back to the same picture, the program runs on.
key Escape
answer ""
abandon_questions syzygy04.bmp syzygy03.bmp
echo "pictures: $RING pixels of the limb in totality"
