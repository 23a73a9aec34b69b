#!/usr/bin/env bash
# Lunar eclipse, 28 September 2015 (menu answer 5), equatorial display: black sky, the
# measurement panel in white on 'm', and "Abbruch" in a prompt after Esc.
source "$(dirname "$0")/e2e_lib.sh"

start_xvfb
start_program

answer "5"           # Auswahl
answer ""            # geocentric: n
answer "n"           # horizon system: no, so the panel can be shown
answer ""            # stroboscopic: n
answer ""            # 28
answer ""            # 9
answer ""            # 2015
answer ""            # 00:30:00
answer ""            # Hannover
wait_main

save syzygy01.bmp
expect_pixel syzygy01.bmp 5 "$CY" 0 0 0
# The panel's corner: the lower left, clear of the Moon.
PANEL="0 620 150 767"
N=$("$CHECK" count "$WORK/syzygy01.bmp" $PANEL 255 255 255)
[ "$N" -eq 0 ] || fail "$N white pixels in the panel before 'm'"

key m
save syzygy02.bmp
N=$("$CHECK" count "$WORK/syzygy02.bmp" $PANEL 255 255 255)
[ "$N" -ge 50 ] || fail "only $N white pixels in the panel after 'm'"
expect_pixel syzygy02.bmp 5 "$CY" 0 0 0

# Esc opens the questions; "Abbruch" (Esc in the dialog) goes back to the picture as it was,
# and Ctrl+C ends the program.
key Escape
abandon_questions syzygy03.bmp syzygy02.bmp
key ctrl+c
STATUS=$(wait_exit)
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Ctrl+C"
echo "lunar: $N white panel pixels"
