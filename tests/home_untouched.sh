#!/usr/bin/env bash
# The suite's Wine programs write nothing into the developer's home.
#   home_untouched.sh stamp BUILD   before the first test: notes the time and the home's entries
#   home_untouched.sh check BUILD   after the last one
build=$(cd "$2" && pwd)
home=${PANDRAKE_REAL_HOME:-$HOME}
stamp="$build/home-check.stamp"
entries="$build/home-check.entries"
if [ "$1" = stamp ]; then
  touch "$stamp"
  ls -A "$home" | sort > "$entries"
  exit 0
fi
status=0
for folder in "$build"/wineprefix/drive_c/users/*/*; do
  target=$(readlink -f "$folder")
  case "$target" in
    "$build"/*) ;;
    *) echo "shell folder $folder leads out of the build folder to $target"; status=1 ;;
  esac
done
# Hidden entries count: a new ~/.wine, ~/.local or ~/.cache is what a stray Wine leaves.
added=$(ls -A "$home" | sort | comm -13 "$entries" -)
# Inside hidden folders that were there before, the developer's own tools write meanwhile; only
# what Wine makes there (menu entries, icons, caches) counts.
made=$(find "$home" -path "$build" -prune -o -path "$home/.*" -prune -o -newer "$stamp" -type f -print
       find "$home"/.[!.]* -path "$build" -prune -o -newer "$stamp" -ipath '*wine*' -print 2>/dev/null)
if [ -n "$added" ]; then
  echo "entries made in $home during the tests:"
  echo "$added"
  status=1
fi
if [ -n "$made" ]; then
  echo "files made in $home during the tests:"
  echo "$made"
  status=1
fi
exit $status
