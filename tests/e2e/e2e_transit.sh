#!/usr/bin/env bash
# Transit of Mercury, 9 May 2016 (menu answer 6) from Hannover with every default answer:
# the picture, a time step, Esc with a rejected day, and Ctrl+C.
source "$(dirname "$0")/e2e_lib.sh"

start_xvfb
start_program

answer ""            # Auswahl (0..8): 6
answer ""            # geocentric: n
answer ""            # horizon system: j
answer ""            # stroboscopic: n
answer ""            # Tag 9
answer ""            # Monat 5
answer ""            # Jahr 2016
answer ""            # 13:00:00
answer ""            # Hannover, from City.dat
wait_main

save syzygy01.bmp
SKY="0 0 252"
expect_pixel syzygy01.bmp 20 "$CY" $SKY
expect_pixel syzygy01.bmp "$CX" 2 $SKY

# The Sun's radius at the scale k = 767 * 0.45 / 0.25 / (pi / 180) = 79102.55 pixels per
# radian: its semi-diameter on that day, 15' 50.5" (0.0046077 rad), gives 364.5 pixels.
read -r LEFT RIGHT UP DOWN < <("$CHECK" radius "$WORK/syzygy01.bmp" "$CX" "$CY" $SKY)
for r in "$LEFT" "$RIGHT" "$UP" "$DOWN"; do
  [ "$r" -ge 362 ] && [ "$r" -le 367 ] || fail "Sun radius $LEFT $RIGHT $UP $DOWN, expected 364 +-2"
done
# The Sun is yellow: the palette's yellow at intensity 200.
expect_pixel syzygy01.bmp "$CX" $((CY + 100)) 227 227 65

# Mercury: a small black disc on the Sun.
SUN_BOX="$((CX - 364)) $((CY - 364)) $((CX + 364)) $((CY + 364))"
read -r MX1 MY1 MN1 < <("$CHECK" centroid "$WORK/syzygy01.bmp" $SUN_BOX 0 0 0)
[ "$MN1" -ge 5 ] && [ "$MN1" -le 200 ] || fail "Mercury: $MN1 black pixels"
D2=$(( (MX1 - CX) * (MX1 - CX) + (MY1 - CY) * (MY1 - CY) ))
[ "$D2" -lt $((360 * 360)) ] || fail "Mercury at $MX1,$MY1 is not on the Sun"

# Cursor right: 15 minutes later Mercury has moved.
key Right
save syzygy02.bmp
read -r MX2 MY2 MN2 < <("$CHECK" centroid "$WORK/syzygy02.bmp" $SUN_BOX 0 0 0)
[ "$MN2" -ge 5 ] || fail "Mercury missing after the time step"
MOVED=$(( (MX2 - MX1) * (MX2 - MX1) + (MY2 - MY1) * (MY2 - MY1) ))
[ "$MOVED" -ge 25 ] || fail "Mercury did not move: $MX1,$MY1 -> $MX2,$MY2"

# Esc: the questions again, without the menu. The day "abc" is asked again. The time offered
# is the instant on the screen, so the picture is that of the time step.
key Escape
answer "n"           # geocentric (a menu here would ask again and the picture would differ)
answer ""            # horizon system
answer ""            # stroboscopic
answer "abc"         # Tag: not a number
answer "9"           # Tag, asked again
answer ""            # Monat
answer ""            # Jahr
answer ""            # 13:15:00 offered
answer ""            # Hannover
wait_main
save syzygy03.bmp
read -r MX3 MY3 MN3 < <("$CHECK" centroid "$WORK/syzygy03.bmp" $SUN_BOX 0 0 0)
[ "$MN3" -ge 5 ] || fail "Mercury missing after Esc"
[ $(( (MX3 - MX2) * (MX3 - MX2) + (MY3 - MY2) * (MY3 - MY2) )) -le 2 ] ||
  fail "after Esc Mercury is at $MX3,$MY3, before at $MX2,$MY2"
expect_pixel syzygy03.bmp 20 "$CY" $SKY

# Ctrl+C ends the program normally.
key ctrl+c
STATUS=$(wait_exit)
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Ctrl+C"
echo "transit: Sun $LEFT $RIGHT $UP $DOWN, Mercury $MX1,$MY1 -> $MX2,$MY2"
