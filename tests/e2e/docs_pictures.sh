#!/usr/bin/env bash
# Makes the README pictures with the program's own Shift+S (PNG) under Xvfb; not a test.
# Usage: docs_pictures.sh PROGRAM BMP_CHECK DATA DOCS
DOCS=$(realpath "$4")
source "$(dirname "$0")/e2e_lib.sh"

# save_png NAME: Shift+S, and the picture syzygy01.png moved to DOCS/NAME.png once written.
save_png() {
  local deadline=$((SECONDS + 20))
  key shift+s
  while [ ! -s "$WORK/syzygy01.png" ]; do
    [ "$SECONDS" -lt "$deadline" ] || fail "picture $1 was not saved"
    sleep 0.05
  done
  mv "$WORK/syzygy01.png" "$DOCS/$1.png"
}

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
  save_png "$name"
  key ctrl+c
  wait_exit >/dev/null
}

# An event found with 'n': from 1 August 2026 the next one is the total solar eclipse of
# 12 August. Seen from Burgos (typed as coordinates), stepped from the eclipse's beginning at
# 15:35:30 UT by ten steps of 15 minutes to the partial phase at 18:05:30 UT, with the contact
# panel.
found() {
  local i
  LAST_DIALOG=
  start_program
  answer 8           # nothing of the menu
  answer ""          # not geocentric
  answer "n"         # equatorial system
  answer "n"         # not stroboscopic
  answer 1
  answer 8
  answer 2026
  answer "00:00:00"
  answer "Burgos"
  answer 42.34
  answer -3.70
  wait_main
  key n
  for ((i = 0; i < 10; i++)); do key Right; done
  key k
  save_png found-eclipse-2026
  key ctrl+c
  wait_exit >/dev/null
}

# What is seen from Madrid at 18:30 UT on 12 August 2026, in times as they happen ('t'): the
# row of the local phase under the column and the contact panel with the sunset and the
# greatest phase there.
local_phase() {
  LAST_DIALOG=
  start_program
  answer 8
  answer ""          # not geocentric
  answer "n"         # equatorial system
  answer "n"         # not stroboscopic
  answer 12
  answer 8
  answer 2026
  answer "18:30:00"
  answer "Madrid"
  wait_main
  key t
  key k
  save_png local-phase-2026
  key ctrl+c
  wait_exit >/dev/null
}

picture transit 6 "11:30:00" j 16
picture solar-eclipse 4 "09:45:00" n 0
picture lunar-eclipse 5 "01:50:00" n 0
found
local_phase
echo "pictures in $DOCS"
