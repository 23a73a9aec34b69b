#!/usr/bin/env bash
# Makes the README pictures with the program's own 's' key under Xvfb and converts them to PNG
# (needs imagemagick's convert; not a test). Usage: docs_pictures.sh PROGRAM BMP_CHECK DATA DOCS
DOCS=$(realpath "$4")
source "$(dirname "$0")/e2e_lib.sh"
command -v convert >/dev/null || fail "convert (imagemagick) is needed for the pictures"

start_xvfb

# picture NAME MENU TIME STROBO STEPS: one program run, the picture after STEPS cursor-right
# presses with the measurement panel on, saved as DOCS/NAME.png.
picture() {
  local name=$1 menu=$2 time=$3 strobo=$4 steps=$5 i
  LAST_DIALOG=
  start_program
  answer "$menu"
  answer ""          # not geocentric
  answer "n"         # equatorial system: north up, east left
  answer "$strobo"
  answer ""
  answer ""
  answer ""
  answer "$time"
  answer ""          # Hannover
  wait_main
  for ((i = 0; i < steps; i++)); do key Right; done
  key m
  save syzygy01.bmp
  convert "$WORK/syzygy01.bmp" "$DOCS/$name.png" || fail "convert $name"
  key ctrl+c
  wait_exit >/dev/null
  rm -f "$WORK/syzygy01.bmp"
}

picture transit 6 "11:30:00" j 16
picture solar-eclipse 4 "09:45:00" n 0
picture lunar-eclipse 5 "01:50:00" n 0
echo "pictures in $DOCS"
