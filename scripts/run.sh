#!/usr/bin/env bash
# Builds and runs the installer under Wine. With $DISPLAY set it runs there until closed;
# without, it runs on a private Xvfb, saves build/screenshot.png and closes the window.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${BUILD_DIR:-build}
scripts/build.sh
source scripts/wine-env.sh
trap wine_env_stop EXIT
exe="$build_dir/bin/Pandrake.exe"

if [ -n "${DISPLAY:-}" ]; then
  wine_env_start "$build_dir" no
  "$WINE_LOADER" "$exe" "$@"
  exit 0
fi

wine_env_start "$build_dir" yes
"$WINE_LOADER" "$exe" "$@" </dev/null >/dev/null 2>&1 &
installer_pid=$!
sleep "${SCREENSHOT_DELAY:-6}"
import -window root "$build_dir/screenshot.png"
echo "run: screenshot saved to $build_dir/screenshot.png"
# taskkill without /f asks the window to close, as the close box does.
"$WINE_LOADER" taskkill /im Pandrake.exe >/dev/null 2>&1 || true
for _ in $(seq 1 50); do
  kill -0 "$installer_pid" 2>/dev/null || break
  sleep 0.1
done
