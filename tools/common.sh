#!/usr/bin/env bash
# Shared by ./run and ./test: install the Debian packages the project needs
# (only those that are missing) and configure and build the tree in build/.

PACKAGES=(build-essential cmake ninja-build qt6-base-dev libgtest-dev libbenchmark-dev
          liberfa-dev xvfb xdotool x11-utils x11-apps fonts-urw-base35 clang libclang-rt-14-dev
          desktop-file-utils appstream lintian)

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$ROOT/build"
# The same tree with AddressSanitizer and UndefinedBehaviorSanitizer (./test runs its unit and
# headless tests); no benchmarks. float-cast-overflow is not part of GCC's "undefined" group:
# it catches a NaN or a huge value turned into a pixel coordinate.
ASAN_BUILD="$ROOT/build-asan"
SANITIZE_FLAGS="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      printf '%s\n' "$p"
    fi
  done
}

ensure_packages() {
  local missing
  mapfile -t missing < <(missing_packages)
  [ "${#missing[@]}" -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "error: packages missing (${missing[*]}) and neither root nor sudo is available to install them." >&2
      echo "Install them as root: apt-get install ${missing[*]}" >&2
      exit 2
    fi
  fi
  if ! "${sudo[@]}" apt-get update -qq || \
     ! "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"; then
    echo "error: apt-get could not install: ${missing[*]}" >&2
    exit 2
  fi
}

# Configure once, then let ninja rebuild only what changed.
build_tree() {
  if [ ! -f "$BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo || exit 1
  fi
  cmake --build "$BUILD" -j "$(nproc)" || exit 1
}

# Configure the sanitizer tree once, then rebuild what changed.
build_asan_tree() {
  if [ ! -f "$ASAN_BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$ASAN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=None -DSYZYGY_BENCH=OFF \
      -DCMAKE_CXX_FLAGS="-O1 -g1 $SANITIZE_FLAGS" \
      -DCMAKE_EXE_LINKER_FLAGS="$SANITIZE_FLAGS" || return 1
  fi
  cmake --build "$ASAN_BUILD" -j "$(nproc)" || return 1
}

# The astronomy without the x87 fast path: the library's sines, cosines and truncation.
PORTABLE_BUILD="$ROOT/build-portable"
build_portable_tree() {
  if [ ! -f "$PORTABLE_BUILD/build.ninja" ]; then
    cmake -S "$ROOT" -B "$PORTABLE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DSYZYGY_X87=OFF -DSYZYGY_GUI=OFF -DSYZYGY_BENCH=OFF || return 1
  fi
  cmake --build "$PORTABLE_BUILD" -j "$(nproc)" --target astro_tests geometry_tests accuracy_tests search_tests || return 1
}
