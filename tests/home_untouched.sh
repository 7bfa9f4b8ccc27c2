#!/usr/bin/env bash
# Run by CTest after every other test: the suite's Wine programs wrote nothing into the
# developer's home. $1 is the build folder; the stamp was made before the first test.
build=$(cd "$1" && pwd)
home=${PANDRAKE_REAL_HOME:-$HOME}
status=0
for folder in "$build"/wineprefix/drive_c/users/*/*; do
  target=$(readlink -f "$folder")
  case "$target" in
    "$build"/*) ;;
    *) echo "shell folder $folder leads out of the build folder to $target"; status=1 ;;
  esac
done
# Hidden folders belong to the developer's tools, which run meanwhile.
made=$(find "$home" -path "$build" -prune -o -path "$home/.*" -prune -o -newer "$build/home-check.stamp" -type f -print)
if [ -n "$made" ]; then
  echo "files made in $home during the tests:"
  echo "$made"
  status=1
fi
exit $status
