#!/usr/bin/env bash
# The picture the user sees is the right one, and none is lost:
# - the horizon system puts the zenith up also where the Sun stands in the north (Sydney);
# - a place named before an event begins is the one seen when the keys reach the event;
# - pictures of an earlier run are not overwritten;
# - each save tells in a line on the screen (never in the picture) what became of it.
source "$(dirname "$0")/e2e_lib.sh"
command -v xwd >/dev/null 2>&1 || { echo "SKIP: xwd is not installed"; exit 77; }

start_xvfb
printf 'old picture' >"$WORK/syzygy05.bmp"   # left by an earlier run
start_program

# Transit of Venus, 6 June 2012, 03:00 UT, from Sydney, horizon system.
answer "3"; answer ""; answer ""; answer ""
answer ""; answer ""; answer ""; answer ""
answer "Sydney"
wait_main
save syzygy06.bmp
[ "$(cat "$WORK/syzygy05.bmp")" = "old picture" ] || fail "the picture of an earlier run was overwritten"
[ -f "$WORK/syzygy01.bmp" ] && fail "the numbers started again at 01"
sleep 0.3
grab screen1.xwd
LIGHT_GREEN="36 252 36"
N=$("$CHECK" count "$WORK/screen1.xwd" 0 0 600 30 $LIGHT_GREEN)
[ "$N" -ge 50 ] || fail "no light green line after the save ($N pixels)"
N=$("$CHECK" count "$WORK/syzygy06.bmp" 0 0 600 30 $LIGHT_GREEN)
[ "$N" -eq 0 ] || fail "the status line is part of the picture ($N pixels)"

# The same instant in the equatorial system (north up).
key Escape
answer ""; answer "n"; answer ""
answer ""; answer ""; answer ""; answer ""
answer ""
wait_main
save syzygy07.bmp

# Venus's direction from the Sun's centre in both: the horizon picture is the equatorial one
# turned so that the zenith, at position angle 163.9 degrees seen from the Sun, is up.
SUN_BOX="$((CX - 370)) $((CY - 370)) $((CX + 370)) $((CY + 370))"
read -r HX HY HN < <("$CHECK" centroid "$WORK/syzygy06.bmp" $SUN_BOX 0 0 0)
read -r EX EY EN < <("$CHECK" centroid "$WORK/syzygy07.bmp" $SUN_BOX 0 0 0)
[ "$HN" -ge 20 ] && [ "$EN" -ge 20 ] || fail "Venus not found: $HN, $EN black pixels"
TURN=$(awk -v hx="$HX" -v hy="$HY" -v ex="$EX" -v ey="$EY" -v cx="$CX" -v cy="$CY" 'BEGIN {
  pi = atan2(0, -1)
  h = atan2(-(hx - cx), -(hy - cy)); e = atan2(-(ex - cx), -(ey - cy))  # from up towards left
  t = (e - h) * 180 / pi; while (t < 0) t += 360; while (t >= 360) t -= 360; printf "%.1f", t }')
awk -v t="$TURN" 'BEGIN { exit !(t > 161.9 && t < 165.9) }' ||
  fail "the horizon picture is turned by $TURN degrees, not by 163.9 (zenith up)"

# 9 May 2016 from Hannover, started at 10:00 UT, before Mercury reaches the Sun: the place is
# asked, and six steps later the picture is the one a start at 11:30 gives.
key Escape
answer ""; answer "j"; answer ""
answer "9"; answer "5"; answer "2016"; answer "10:00:00"
answer "Hannover"
wait_main
for i in 1 2 3 4 5 6; do key Right; sleep 0.1; done
save syzygy08.bmp
key Escape
answer ""; answer ""; answer ""
answer ""; answer ""; answer ""; answer ""   # 9.5.2016, 11:30:00 offered
answer ""
wait_main
save syzygy09.bmp
D=$("$CHECK" differ "$WORK/syzygy08.bmp" 0 0 1023 767 "$WORK/syzygy09.bmp")
[ "$D" = 0 ] || fail "stepping into the transit and starting in it differ in $D pixels"
read -r MX MY MN < <("$CHECK" centroid "$WORK/syzygy08.bmp" $SUN_BOX 0 0 0)
[ "$MN" -ge 5 ] || fail "Mercury not found at 11:30"
key ctrl+c
wait_exit >/dev/null

# A save that fails says so in light red: the working folder is gone, and the home in which a
# pictures folder would be made cannot hold one.
mkdir -p "$WORK/gone"
cp "$DATA/City.dat" "$DATA/syzygy.txt" "$WORK/gone/"
launch_in "$WORK/gone" env HOME=/proc/no-home
answer ""; answer ""; answer ""; answer ""; answer ""; answer ""; answer ""; answer ""
answer ""
wait_main
rm -rf "$WORK/gone"
key s
sleep 0.5
grab screen2.xwd
N=$("$CHECK" count "$WORK/screen2.xwd" 0 0 600 30 252 40 40)
[ "$N" -ge 50 ] || fail "no light red line after a failed save ($N pixels)"
key ctrl+c
wait_exit >/dev/null
echo "sound: turned by $TURN degrees in Sydney; Mercury at $MX,$MY after six steps"
