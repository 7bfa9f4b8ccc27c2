#!/usr/bin/env bash
# Builds the text code natively with clang (address and undefined-behaviour sanitizers),
# runs the text tests, then each fuzz target in turn.
#   scripts/fuzz.sh                 every target for 5 seconds (what scripts/test.sh runs)
#   scripts/fuzz.sh -t 600 chart_read   one target for 10 minutes
#   scripts/fuzz.sh -n 1000000      every target for a million inputs
#   scripts/fuzz.sh -m ...          afterwards merges what was found into tests/fuzz/corpus
# A failing input is written to build-native/fuzz/<target>-crash-<hash> (or -leak-, -timeout-);
# build-native/bin/<target>_fuzz <file> runs it again.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${NATIVE_BUILD_DIR:-build-native}
limit=(-max_total_time=5)
merge=
while getopts "t:n:m" option; do
  case $option in
    t) limit=(-max_total_time="$OPTARG") ;;
    n) limit=(-runs="$OPTARG") ;;
    m) merge=1 ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))

CC=clang CXX=clang++ cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build_dir" -j"$(nproc)"
"$build_dir/bin/text_tests" --gtest_brief=1

samples=${PANDRAKE_SHARED_DIR:-$PWD/../shared}/samples/mt4
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=($(cd tests/fuzz && ls *_fuzz.cpp | sed 's/_fuzz\.cpp$//'))
out="$build_dir/fuzz"
for target in "${targets[@]}"; do
  program="$build_dir/bin/${target}_fuzz"
  kept=tests/fuzz/corpus/$target
  work="$out/$target"
  mkdir -p "$work" "$kept"
  # The inputs that once failed come first, each run once.
  regressions=(tests/fuzz/regressions/"$target"-*)
  if [ -e "${regressions[0]}" ]; then "$program" "${regressions[@]}" >/dev/null 2>&1 || {
    echo "fuzz: $target fails on a kept regression input" >&2; "$program" "${regressions[@]}"; exit 1; }
  fi
  # The real terminal files are read where they are, never copied in.
  extra=()
  case $target in chart_read | order_text | probe_text) [ -d "$samples" ] && extra=("$samples") ;; esac
  [ "$target" = ea_log ] && [ -d "$samples-logs" ] && extra=("$samples-logs")
  echo "fuzz: $target ${limit[*]}"
  "$program" "${limit[@]}" -timeout=10 -max_len=8192 -print_final_stats=1 -artifact_prefix="$out/$target-" \
    "$work" "$kept" "${extra[@]}" 2>"$out/$target.log" || { tail -40 "$out/$target.log" >&2; exit 1; }
  grep -E '^stat::number_of_executed_units|^Done' "$out/$target.log" | tr '\n' ' '; echo
  if [ -n "$merge" ]; then
    fresh=$(mktemp -d)
    "$program" -merge=1 -max_len=8192 "$fresh" "$kept" "$work" >/dev/null 2>&1
    rm -rf "$kept" && mv "$fresh" "$kept"
  fi
done
