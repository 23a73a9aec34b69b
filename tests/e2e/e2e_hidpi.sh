#!/usr/bin/env bash
# A high-density screen: 2048 x 1536 pixels at a scale factor of 2. The program lays out the
# 1024 x 768 screen of the transit scenario and draws it with twice the pixels: the saved
# picture has the screen's pixels, the Sun its radius and centre times two, the texts rows of
# twice the height, the dialog twice the size, and nothing is a stretched 1024 x 768 picture.
SCREEN=2048x1536x24
PICTURE_SIZE="2048 1536"
source "$(dirname "$0")/e2e_lib.sh"
command -v xwd >/dev/null 2>&1 || { echo "SKIP: xwd is not installed"; exit 77; }
export QT_SCALE_FACTOR=2

start_xvfb
start_program

# The dialog has twice its 344 x 167 logical pixels.
wait_dialog
eval "$(xdotool getwindowgeometry --shell "$LAST_DIALOG")"
[ "$WIDTH" = 688 ] && [ "$HEIGHT" = 334 ] || fail "dialog of $WIDTH x $HEIGHT pixels, expected 688 x 334"
xdotool key Return   # Auswahl (0..8): 6, the transit of Mercury on 9 May 2016
for _ in 1 2 3 4 5 6 7; do answer ""; done
answer ""            # Hannover, from City.dat
wait_main

save syzygy01.bmp
PICTURE=$WORK/syzygy01.bmp
SKY="0 0 252"
# The centre of logical pixel (CX, CY) is device pixel (2 CX + 1, 2 CY + 1).
DX=$((2 * CX + 1))
DY=$((2 * CY + 1))
expect_pixel syzygy01.bmp 40 "$DY" $SKY
expect_pixel syzygy01.bmp 2047 1535 $SKY

# The Sun's radius is 364.5 logical pixels on that day (see the transit scenario): twice that
# from the centre, one pixel more to the left and up, where the centre pixel does not count.
read -r LEFT RIGHT UP DOWN < <("$CHECK" radius "$PICTURE" "$DX" "$DY" $SKY)
for r in "$LEFT" "$RIGHT" "$UP" "$DOWN"; do
  [ "$r" -ge 724 ] && [ "$r" -le 735 ] || fail "Sun radius $LEFT $RIGHT $UP $DOWN, expected 729 +-5"
done
[ $((LEFT - RIGHT)) -ge 0 ] && [ $((LEFT - RIGHT)) -le 1 ] ||
  fail "Sun not centred on $DX: left $LEFT, right $RIGHT"
[ $((UP - DOWN)) -ge 0 ] && [ $((UP - DOWN)) -le 1 ] ||
  fail "Sun not centred on $DY: up $UP, down $DOWN"

# Mercury: a black disc on the Sun of four times the pixels the transit scenario allows.
SUN_BOX="$((DX - 728)) $((DY - 728)) $((DX + 728)) $((DY + 728))"
read -r MX MY MN < <("$CHECK" centroid "$PICTURE" $SUN_BOX 0 0 0)
[ "$MN" -ge 20 ] && [ "$MN" -le 800 ] || fail "Mercury: $MN black pixels"
[ $(( (MX - DX) * (MX - DX) + (MY - DY) * (MY - DY) )) -lt $((720 * 720)) ] ||
  fail "Mercury at $MX,$MY is not on the Sun"

# Drawn at the density, not stretched: edges and glyphs split the 2 x 2 squares.
BLOCKS=$("$CHECK" blocks "$PICTURE" 0 0 2047 1535)
[ "$BLOCKS" -ge 1000 ] || fail "only $BLOCKS squares of 2 x 2 pixels are not alike: stretched?"

# The place, date and time rows at the top right (light grey) and the system's row below a
# blank one: rows of one even height, as the layout of 1024 x 768 has them, times two.
LIGHT_GRAY="196 196 196"
read -r T1 B1 T2 B2 T3 B3 T5 _ < <("$CHECK" rows "$PICTURE" 1600 0 2047 300 $LIGHT_GRAY)
STEP=$((B2 - B1))
[ "$STEP" -ge 28 ] && [ "$STEP" -le 48 ] && [ $((STEP % 2)) = 0 ] || fail "text rows $STEP pixels apart"
[ $((B3 - B2)) = "$STEP" ] || fail "text rows ending at $B1, $B2, $B3 are not evenly spaced"
[ $((T5 - T1 - 4 * STEP)) -ge -2 ] && [ $((T5 - T1 - 4 * STEP)) -le 2 ] ||
  fail "the fifth row begins at $T5, the first at $T1, rows $STEP apart"

# The screen shows the picture pixel for pixel, but for the status line at the top.
grab screen.xwd
ROWS=$((STEP))
N=$("$CHECK" differ "$WORK/screen.xwd" 0 "$ROWS" 2047 1535 "$PICTURE")
[ "$N" = 0 ] || fail "$N pixels of the screen differ from the saved picture"
N=$("$CHECK" count "$WORK/screen.xwd" 0 0 1000 $((ROWS - 1)) 36 252 36)
[ "$N" -ge 200 ] || fail "no light green status line on the screen ($N pixels)"

key ctrl+c
STATUS=$(wait_exit)
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Ctrl+C"
echo "hidpi: Sun $LEFT $RIGHT $UP $DOWN, Mercury $MX,$MY ($MN pixels), rows $STEP apart, $BLOCKS split squares"
