# Shared by the end-to-end scenarios (sourced): a private Xvfb, the program in a scratch folder
# with the data files, and helpers that answer its prompts, press keys and read its pictures.
# Arguments of every scenario: PROGRAM BMP_CHECK DATA_FOLDER
# A scenario may set SCREEN (Xvfb's screen, default 1024x768x24) and PICTURE_SIZE (the saved
# picture's "W H" in pixels, default "1024 768") before sourcing this file.
set -u
SCREEN=${SCREEN:-1024x768x24}
PICTURE_SIZE=${PICTURE_SIZE:-1024 768}
PROGRAM=$(realpath "$1")
CHECK=$(realpath "$2")
DATA=$(realpath "$3")

# Pixel layout of the 1024 x 768 screen: the Sun (or Moon) is centred here.
CX=511
CY=383

for tool in Xvfb xdotool xdpyinfo; do
  command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool is not installed"; exit 77; }
done

# The program must use the X server below, not a headless platform from the environment.
export QT_QPA_PLATFORM=xcb

WORK=$(mktemp -d "${TMPDIR:-/tmp}/syzygy-e2e.XXXXXX")
XVFB_PID=
APP_PID=
LAST_DIALOG=

cleanup() {
  if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then kill "$APP_PID" 2>/dev/null; fi
  if [ -n "$XVFB_PID" ]; then kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; fi
  chmod -R u+w "$WORK" 2>/dev/null  # a scenario may have made folders read-only
  # E2E_KEEP=1 keeps the scratch folder (pictures and screens) for a look.
  if [ "${E2E_KEEP:-0}" = 1 ]; then echo "kept: $WORK"; else rm -rf "$WORK"; fi
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -f "$WORK/program.log" ]; then
    echo "--- program output:" >&2
    cat "$WORK/program.log" >&2
  fi
  exit 1
}

# A display of our own: the number from the process id, moved on while taken.
start_xvfb() {
  local n=$((200 + $$ % 600)) tries i
  for tries in $(seq 40); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 "$SCREEN" -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
      XVFB_PID=$!
      for i in $(seq 200); do
        if xdpyinfo -display ":$n" >/dev/null 2>&1; then
          export DISPLAY=":$n"
          return 0
        fi
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
      done
      kill "$XVFB_PID" 2>/dev/null
      wait "$XVFB_PID" 2>/dev/null
      XVFB_PID=
    fi
    n=$((n + 1))
  done
  fail "could not start Xvfb"
}

# start_program [FOLDER]: the program in FOLDER (default the scratch folder) with the data files.
start_program() {
  local folder=${1:-$WORK}
  mkdir -p "$folder"
  cp "$DATA/City.dat" "$DATA/syzygy.txt" "$folder/"
  launch_in "$folder"
}

# launch_in FOLDER [RUNNER...]: starts the program in FOLDER, through RUNNER when one is given
# (env, setpriv), and waits for its window.
launch_in() {
  local folder=$1
  shift
  cd "$folder" || fail "no folder $folder"
  LAST_DIALOG=  # a new program may reuse the window ids of an earlier one
  "$@" "$PROGRAM" >"$WORK/program.log" 2>&1 &
  APP_PID=$!
  timeout 30 xdotool search --sync --name '^syzygy$' >/dev/null ||
    fail "the main window did not appear"
  xdotool mousemove 512 384
}

# Waits for a prompt that has not been answered yet: every prompt is a new dialog window,
# and it has the keyboard once it is ready.
wait_dialog() {
  local deadline=$((SECONDS + 30)) id
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended while a prompt was expected"
    id=$(xdotool getwindowfocus 2>/dev/null) || id=
    if [ -n "$id" ] && [ "$id" != "$LAST_DIALOG" ] &&
       [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "Eingabe" ]; then
      LAST_DIALOG=$id
      return 0
    fi
    sleep 0.03
  done
  fail "no prompt appeared within 30 s"
}

# answer TEXT: types TEXT over the default and confirms; an empty TEXT keeps the default.
answer() {
  wait_dialog
  if [ -n "$1" ]; then
    xdotool key ctrl+a
    xdotool type --delay 10 -- "$1"
  fi
  xdotool key Return
}

# Waits until the dialogue is over (no prompt on the screen) and the first frame, drawn on the
# next timer tick, is there. Without a window manager the keyboard then goes to the window
# under the pointer: the full-screen main window.
wait_main() {
  local deadline=$((SECONDS + 30))
  while [ "$SECONDS" -lt "$deadline" ]; do
    kill -0 "$APP_PID" 2>/dev/null || fail "the program ended unexpectedly"
    if ! xdotool search --onlyvisible --name '^Eingabe$' >/dev/null 2>&1; then
      sleep 0.3
      return 0
    fi
    sleep 0.03
  done
  fail "the dialogue did not end"
}

key() { xdotool key "$@"; }

# save NAME: presses 's' and waits for the complete picture file NAME (in the scratch folder
# unless it is an absolute path).
save() {
  local deadline=$((SECONDS + 20)) file=$1
  [[ $file = /* ]] || file=$WORK/$file
  key s
  while [ "$SECONDS" -lt "$deadline" ]; do
    if [ -f "$file" ] && [ "$("$CHECK" size "$file" 2>/dev/null)" = "$PICTURE_SIZE" ]; then
      return 0
    fi
    sleep 0.05
  done
  fail "picture $1 was not saved"
}

# abandon_questions NEW OLD: "Abbruch" (Esc) in the prompt on the screen, then the picture
# saved as NEW must be OLD again, pixel for pixel.
abandon_questions() {
  local n
  wait_dialog
  key Escape
  wait_main
  save "$1"
  n=$("$CHECK" differ "$WORK/$1" 0 0 1023 767 "$WORK/$2")
  [ "$n" -eq 0 ] || fail "$n pixels differ from the picture before Esc"
}

# grab NAME: the X screen as it is now, as NAME (an xwd file) in the scratch folder.
grab() { xwd -root -silent >"$WORK/$1" || fail "could not read the screen"; }

# expect_pixel FILE X Y R G B (FILE in the scratch folder unless it is an absolute path)
expect_pixel() {
  local file=$1
  [[ $file = /* ]] || file=$WORK/$file
  "$CHECK" expect "$file" "$2" "$3" "$4" "$5" "$6" || fail "pixel check in $1"
}

# Waits for the program to end; prints its exit status.
wait_exit() {
  local deadline=$((SECONDS + 15)) status
  while kill -0 "$APP_PID" 2>/dev/null; do
    [ "$SECONDS" -lt "$deadline" ] || fail "the program did not end"
    sleep 0.05
  done
  wait "$APP_PID"
  status=$?
  APP_PID=
  echo "$status"
}
