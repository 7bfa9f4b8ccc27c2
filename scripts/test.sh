#!/usr/bin/env bash
# Builds everything; runs the text tests and every fuzz target natively under the sanitizers
# (scripts/fuzz.sh, 5 s a target), then every test under Wine on a private Xvfb display.
# Extra arguments go to ctest (for example -R Catalog) and skip the native part.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
scripts/build.sh
[ $# -gt 0 ] || scripts/fuzz.sh
source scripts/wine-env.sh
trap wine_env_stop EXIT
wine_env_start "$build_dir" yes
# A test that fails is run once more: Wine under load occasionally misses a window message
# deadline; a real fault fails both times.
ctest --test-dir "$build_dir" --output-on-failure --timeout 300 --repeat until-pass:2 "$@"
