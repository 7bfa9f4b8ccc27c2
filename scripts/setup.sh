#!/usr/bin/env bash
# Installs everything a fresh Debian 12 machine needs to build and test Pandrake,
# and fetches the pinned SQLite amalgamation. Safe to run again: it skips what is there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  googletest wine64 xvfb xauth x11-apps imagemagick fonts-wqy-microhei
  ca-certificates locales
  clang libclang-rt-14-dev
  # Marlett, the font Wine draws the caption buttons with.
  fonts-wine
  # The tests' stand-in terminal is a 32-bit program, as the real terminal is.
  g++-mingw-w64-i686-posix binutils-mingw-w64-i686 wine32:i386
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  echo "setup: adding the i386 architecture"
  dpkg --add-architecture i386
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
command -v npm >/dev/null 2>&1 || missing+=(npm)

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine names files in the Linux locale's character set: the Chinese test systems need
# their locales generated, or non-ASCII file names cannot be created there.
for wanted in zh_CN.UTF-8 zh_TW.UTF-8; do
  short=$(echo "$wanted" | sed 's/UTF-8/utf8/')
  if ! locale -a 2>/dev/null | grep -qx "$short"; then
    sed -i "s/^# *\($wanted UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted UTF-8" /etc/locale.gen || echo "$wanted UTF-8" >> /etc/locale.gen
    need_locales=1
  fi
done
if [ -n "${need_locales:-}" ]; then
  echo "setup: generating Chinese locales"
  locale-gen >/dev/null
fi

# SQLite comes from the official amalgamation carried in deps/sqlite3 of an npm package.
SQLITE_PACKAGE=better-sqlite3@12.11.1
SQLITE_VERSION=3.53.2
SQLITE_TARBALL_SHA256=ebf0ed75a7a59dbcb3b24bbd014ef49d9f15bc328e4adcbf516f2a8fadfa2835
SQLITE_C_SHA256=60d2f39a3726cd6b9021da6f4e868608d66fbb6528a9f513dc8ffcc640493422
dest=third_party/sqlite

if [ -f "$dest/sqlite3.c" ] && echo "$SQLITE_C_SHA256  $dest/sqlite3.c" | sha256sum -c --status; then
  exit 0
fi

echo "setup: fetching SQLite $SQLITE_VERSION"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && npm pack --silent "$SQLITE_PACKAGE" >/dev/null)
tarball=$(ls "$work"/*.tgz)
echo "$SQLITE_TARBALL_SHA256  $tarball" | sha256sum -c --status || { echo "setup: SQLite package checksum mismatch" >&2; exit 1; }
tar -xzf "$tarball" -C "$work" package/deps/sqlite3
echo "$SQLITE_C_SHA256  $work/package/deps/sqlite3/sqlite3.c" | sha256sum -c --status || { echo "setup: sqlite3.c checksum mismatch" >&2; exit 1; }
mkdir -p "$dest"
cp "$work/package/deps/sqlite3/sqlite3.c" "$work/package/deps/sqlite3/sqlite3.h" "$dest/"
