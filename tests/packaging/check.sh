#!/usr/bin/env bash
# The files a desktop needs, checked by the tools of the distribution:
#   check.sh desktop FILE        desktop-file-validate: no error and no warning
#   check.sh metainfo FILE       appstreamcli validate (offline): passes
#   check.sh deb BUILD_FOLDER    cpack -G DEB of that build: the files (the manual page too) are
#                                in the package, and lintian finds no error and no missing
#                                manual page
set -u
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { command -v "$1" >/dev/null 2>&1 || { echo "SKIP: $1 is not installed"; exit 77; }; }

case "${1:-}" in
  desktop)
    need desktop-file-validate
    out=$(desktop-file-validate "$2" 2>&1) || fail "desktop-file-validate: $out"
    ! grep -qE '^[^:]*: (error|warning):' <<<"$out" || fail "desktop-file-validate: $out"
    echo "$out"
    ;;
  metainfo)
    need appstreamcli
    appstreamcli validate --no-net --pedantic "$2" || fail "appstreamcli validate"
    ;;
  deb)
    need cpack
    need lintian
    work=$(mktemp -d "${TMPDIR:-/tmp}/syzygy-deb.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    cpack -G DEB --config "$2/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
      fail "cpack: $(cat "$work/cpack.log")"
    deb=$(ls "$work"/syzygy_*.deb 2>/dev/null | head -1)
    [ -n "$deb" ] || fail "cpack made no .deb: $(cat "$work/cpack.log")"
    contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
    for file in ./usr/bin/syzygy ./usr/share/syzygy/City.dat ./usr/share/syzygy/syzygy.txt \
                ./usr/share/applications/org.example.syzygy.desktop \
                ./usr/share/icons/hicolor/scalable/apps/org.example.syzygy.svg \
                ./usr/share/metainfo/org.example.syzygy.metainfo.xml \
                ./usr/share/doc/syzygy/copyright ./usr/share/doc/syzygy/changelog.gz \
                ./usr/share/man/man1/syzygy.1.gz; do
      grep -qxF "$file" <<<"$contents" || fail "$file is not in the package"
    done
    # Root gets a note that lintian prefers a user; it changes nothing.
    out=$(lintian --fail-on error "$deb" 2>&1)
    status=$?
    grep -v 'running with root privileges' <<<"$out"
    [ "$status" = 0 ] || fail "lintian found errors (status $status)"
    ! grep -q 'no-manual-page' <<<"$out" || fail "lintian finds no manual page"
    echo "$(basename "$deb"): no lintian errors, a manual page"
    ;;
  *)
    echo "usage: check.sh desktop FILE | metainfo FILE | deb BUILD_FOLDER" >&2
    exit 2
    ;;
esac
