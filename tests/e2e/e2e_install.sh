#!/usr/bin/env bash
# The installed program: `cmake --install` into a scratch DESTDIR, then the installed binary
# started from other working folders. It answers --help and --version without a display; from
# an empty folder it shows the installed title file and finds a place in the installed
# City.dat without asking for coordinates; from a read-only folder with a title file of its
# own, that title file wins and a picture goes to the user's pictures folder.
# Arguments: PROGRAM BMP_CHECK DATA_FOLDER BUILD_FOLDER
source "$(dirname "$0")/e2e_lib.sh"
BUILD=$(realpath "$4")
command -v xwd >/dev/null 2>&1 || { echo "SKIP: xwd is not installed"; exit 77; }

STAGE=$WORK/stage
DESTDIR=$STAGE cmake --install "$BUILD" --prefix /usr >"$WORK/install.log" 2>&1 ||
  fail "cmake --install: $(cat "$WORK/install.log")"
for file in bin/syzygy share/syzygy/City.dat share/syzygy/syzygy.txt \
            share/applications/org.example.syzygy.desktop \
            share/icons/hicolor/scalable/apps/org.example.syzygy.svg \
            share/metainfo/org.example.syzygy.metainfo.xml \
            share/doc/syzygy/copyright share/doc/syzygy/changelog.gz \
            share/man/man1/syzygy.1.gz; do
  [ -f "$STAGE/usr/$file" ] || fail "not installed: usr/$file"
done
PROGRAM=$STAGE/usr/bin/syzygy

# --help and --version: on stdout, status 0, no display needed. The help names the installed
# data folder, found from the program's own folder.
NO_DISPLAY=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_DATA_HOME HOME=/home/u)
HELP=$("${NO_DISPLAY[@]}" "$PROGRAM" --help 2>"$WORK/stderr") || fail "--help: status $?"
[ ! -s "$WORK/stderr" ] || fail "--help wrote to stderr: $(cat "$WORK/stderr")"
for line in "  im Arbeitsverzeichnis" "  in /home/u/.local/share/syzygy/" \
            "  in $STAGE/usr/share/syzygy/" "  /home/u/Pictures/"; do
  grep -qxF -- "$line" <<<"$HELP" || fail "--help lacks the line \"$line\": $HELP"
done
VERSION=$("${NO_DISPLAY[@]}" "$PROGRAM" --version) || fail "--version: status $?"
[[ $VERSION =~ ^syzygy\ [0-9]+\.[0-9]+ ]] || fail "--version printed \"$VERSION\""
"${NO_DISPLAY[@]}" "$PROGRAM" --hilfe >"$WORK/stdout" 2>"$WORK/stderr"
STATUS=$?
[ "$STATUS" = 2 ] || fail "--hilfe: status $STATUS, expected 2"
[ ! -s "$WORK/stdout" ] && [ -s "$WORK/stderr" ] || fail "--hilfe: the complaint belongs on stderr"

# The table of a place's events, from the installed City.dat, without a display: 12 August 2026
# is partial at Madrid; --tsv has a header; a wrong date says why (status 2); a closed pipe ends
# it quietly.
(cd "$WORK" && "${NO_DISPLAY[@]}" "$PROGRAM" --ereignisse Madrid 1.1.2026 31.12.2026 \
  >"$WORK/table" 2>"$WORK/stderr") || fail "--ereignisse: status $?"
grep -q '^12\.8\.2026  Sonnenfinsternis partiell .*Sonnenuntergang' "$WORK/table" ||
  fail "--ereignisse: no partial eclipse on 12.8.2026: $(cat "$WORK/table")"
TSV=$("${NO_DISPLAY[@]}" "$PROGRAM" --ereignisse 40.42,-3.70 2026-08-12 2026-08-12 --tsv)
[ "$(head -1 <<<"$TSV" | cut -f1-3)" = "$(printf 'datum\tereignis\tphase')" ] &&
  [ "$(sed -n 2p <<<"$TSV" | cut -f1-3)" = "$(printf '12.8.2026\tSonnenfinsternis\tpartiell')" ] ||
  fail "--ereignisse --tsv: $TSV"
"${NO_DISPLAY[@]}" "$PROGRAM" --ereignisse Madrid 31.2.2026 >"$WORK/stdout" 2>"$WORK/stderr"
STATUS=$?
[ "$STATUS" = 2 ] && grep -q 'kein Datum' "$WORK/stderr" || fail "a wrong date: status $STATUS"
"${NO_DISPLAY[@]}" "$PROGRAM" --ereignisse Madrid 1.1.1900 31.12.2100 2>"$WORK/stderr" | head -1 \
  >/dev/null
STATUS=${PIPESTATUS[0]}
[ "$STATUS" = 0 ] && [ ! -s "$WORK/stderr" ] || fail "a closed pipe: status $STATUS"

start_xvfb
TITLE_BAND="0 0 1023 250"  # the title file's lines, above the first prompt

# screenshot NAME: the screen once the first prompt is there, as $WORK/NAME.xwd.
screenshot() {
  wait_dialog
  xwd -root -silent >"$WORK/$1.xwd" || fail "xwd could not take a screenshot"
  LAST_DIALOG=  # the prompt is still to be answered
}

# 0. For comparison: the title screen of the same title file in the working folder.
REFERENCE=$WORK/reference
mkdir -p "$REFERENCE" "$WORK/home-a"
cp "$DATA/syzygy.txt" "$REFERENCE/"
launch_in "$REFERENCE" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$WORK/home-a"
screenshot reference
answer "0"           # end the program
STATUS=$(wait_exit)
[ "$STATUS" = 0 ] || fail "exit status $STATUS after answer 0"
TITLE_TEXT=$("$CHECK" count "$WORK/reference.xwd" $TITLE_BAND 0 0 0)
[ "$TITLE_TEXT" -ge 2000 ] || fail "the title file shows only $TITLE_TEXT text pixels"

# 1. From an empty folder, with an empty home: the installed files.
EMPTY=$WORK/empty
mkdir -p "$EMPTY"
launch_in "$EMPTY" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$WORK/home-a"
screenshot installed
DIFFER=$("$CHECK" differ "$WORK/installed.xwd" $TITLE_BAND "$WORK/reference.xwd")
[ "$DIFFER" = 0 ] || fail "the title screen is not that of the installed title file ($DIFFER)"
for a in "" "" "" "" "" "" "" ""; do answer "$a"; done  # Mercury 2016, every default
answer "Berlin"      # a place of the installed City.dat
wait_main
sleep 0.5
! xdotool search --onlyvisible --name '^Eingabe$' >/dev/null 2>&1 ||
  fail "Berlin was not found in the installed City.dat: coordinates were asked"
save "$EMPTY/syzygy01.bmp"
expect_pixel "$EMPTY/syzygy01.bmp" "$CX" $((CY + 100)) 227 227 65  # the Sun
key ctrl+c
STATUS=$(wait_exit)
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Ctrl+C"

# 2. From a folder the program cannot write (as user nobody when run as root, since root
# writes anywhere), holding a title file of its own; the settings name the pictures folder.
READ_ONLY=$WORK/read-only
HOME_B=$WORK/home-b
mkdir -p "$READ_ONLY" "$HOME_B/.config"
printf 'Eigenes Titelbild\nim Arbeitsverzeichnis\n' >"$READ_ONLY/syzygy.txt"
printf 'XDG_PICTURES_DIR="$HOME/Bilder"\n' >"$HOME_B/.config/user-dirs.dirs"
chmod 555 "$READ_ONLY"
RUNNER=()
if [ "$(id -u)" = 0 ]; then
  chown -R nobody "$HOME_B"
  chmod 755 "$WORK"
  RUNNER=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
! "${RUNNER[@]}" touch "$READ_ONLY/probe" 2>/dev/null ||
  fail "the read-only folder can be written: the fallback would not be tried"
launch_in "$READ_ONLY" "${RUNNER[@]}" env -u XDG_DATA_HOME -u XDG_CONFIG_HOME \
  -u XDG_RUNTIME_DIR HOME="$HOME_B"
screenshot own
OWN_TEXT=$("$CHECK" count "$WORK/own.xwd" $TITLE_BAND 0 0 0)
[ "$OWN_TEXT" -ge 200 ] || fail "title screen without the working folder's title file ($OWN_TEXT)"
DIFFER=$("$CHECK" differ "$WORK/own.xwd" $TITLE_BAND "$WORK/installed.xwd")
[ "$DIFFER" -ge 1000 ] || fail "the installed title file won over the working folder's own"
for i in $(seq 9); do answer ""; done  # Hannover, from the installed City.dat
wait_main
save "$HOME_B/Bilder/syzygy01.bmp"
expect_pixel "$HOME_B/Bilder/syzygy01.bmp" "$CX" $((CY + 100)) 227 227 65
[ -z "$(find "$READ_ONLY" -name '*.bmp')" ] || fail "a picture appeared in the read-only folder"
key ctrl+c
STATUS=$(wait_exit)
[ "$STATUS" = 0 ] || fail "exit status $STATUS after Ctrl+C"
echo "install: title $TITLE_TEXT text pixels; own title $OWN_TEXT, $DIFFER pixels differ"
