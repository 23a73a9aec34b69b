#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for a bounded time on a copy
# of its committed seed corpus. A crash, a sanitizer report, a failed property check or an
# input that runs longer than the timeout makes the script fail; the input that did it is kept
# in build-fuzz/artifacts/. Prints the executions per target at the end.
#   FUZZ_SECONDS   time per target (default 20)
#   FUZZ_TARGETS   the targets to run, blank-separated (default: all)
set -u
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OUT="$ROOT/build-fuzz"
SECONDS_PER_TARGET="${FUZZ_SECONDS:-20}"
# Every fuzz_*.cpp is a target.
ALL_TARGETS=$(cd "$ROOT/fuzz" && ls fuzz_*.cpp | sed 's/\.cpp$//')
TARGETS="${FUZZ_TARGETS:-$ALL_TARGETS}"

if [ ! -f "$OUT/build.ninja" ]; then
  cmake -S "$ROOT/fuzz" -B "$OUT" -G Ninja -DCMAKE_CXX_COMPILER=clang++ >/dev/null || exit 1
fi
cmake --build "$OUT" -j 2 >/dev/null || { cmake --build "$OUT" -j 1; exit 1; }

mkdir -p "$OUT/artifacts" "$OUT/logs"
failed=()
summary=()
for target in $TARGETS; do
  work="$OUT/corpus/$target"   # grows from run to run; the committed seeds stay as they are
  mkdir -p "$work"
  log="$OUT/logs/$target.log"
  echo "fuzzing $target for ${SECONDS_PER_TARGET} s"
  "$OUT/$target" "$work" "$ROOT/fuzz/corpus/$target" \
      -max_total_time="$SECONDS_PER_TARGET" -timeout=5 -rss_limit_mb=2048 -max_len=4096 \
      -print_final_stats=1 -artifact_prefix="$OUT/artifacts/$target-" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  corpus=$(find "$work" -type f | wc -l)
  if [ "$status" -ne 0 ]; then
    failed+=("$target")
    summary+=("$(printf '%-22s FAILED (exit %d) after %s executions; log: %s' \
                 "$target" "$status" "${runs:-?}" "$log")")
    echo "---- $target failed; the end of its log:"
    grep -A2 -E 'property failed|ERROR: |runtime error|SUMMARY|Test unit written' "$log" | head -30
  else
    summary+=("$(printf '%-22s %10s executions in %s s, corpus %s inputs' \
                 "$target" "${runs:-?}" "$SECONDS_PER_TARGET" "$corpus")")
  fi
done

echo
echo "Fuzzing summary:"
printf '  %s\n' "${summary[@]}"
if [ "${#failed[@]}" -gt 0 ]; then
  echo "Fuzzing failed: ${failed[*]} (inputs in $OUT/artifacts/)"
  exit 1
fi
