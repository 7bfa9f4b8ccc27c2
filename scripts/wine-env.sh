# Sourced by the run and test scripts: a private Wine prefix under the build folder,
# a private Xvfb display unless one is given, and a persistent wineserver so that
# each test process starts warm. wine_env_stop undoes what wine_env_start started.

WINE_LOADER=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
_started_xvfb_pid=""
_keepalive_pid=""

_reg_add() {
  "$WINE_LOADER" reg add "$@" /f >/dev/null 2>&1
}

# Chinese captions fall back to a CJK font, as Windows links its UI fonts to one. Wine writes
# its own links for Tahoma and Microsoft Sans Serif again whenever the system code page
# changes (the tests switch locales), so this runs at every start, after the first program.
_link_cjk_fonts() {
  local font
  for font in Tahoma "Microsoft Sans Serif" "MS Shell Dlg" "MS Sans Serif"; do
    _reg_add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
      /v "$font" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei"
  done
}

# This Wine reads none of the TrueType fonts of its own data folder (fonts-wine), so the caption
# buttons, drawn with Marlett, showed letters: the prefix gets its own copy. The desktop labels its
# icons in the icon font, "MS Shell Dlg" by default, whose links Wine rewrites before they can
# be mended (the desktop starts first): it gets a face with Chinese glyphs of its own, as Chinese
# Windows does. Both must be in place before the desktop process starts.
_configure_desktop() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" face hex="" i
  [ -f "$fonts/marlett.ttf" ] || { mkdir -p "$fonts" && cp /usr/share/wine/fonts/marlett.ttf "$fonts/" 2>/dev/null; }
  [ -f "$WINEPREFIX/.pandrake-desktop-font" ] && return 0
  face=$(printf '%s' "WenQuanYi Micro Hei" | iconv -t UTF-16LE | od -An -tx1 | tr -d ' \n')
  for ((i = ${#face}; i < 128; i++)); do hex+=0; done
  # LOGFONTW: height -11, normal weight, variable pitch, Swiss family; then the face name.
  _reg_add 'HKCU\Control Panel\Desktop\WindowMetrics' /v IconFont /t REG_BINARY \
    /d "f5ffffff000000000000000000000000900100000000000000000022${face}${hex}"
  "$WINESERVER" -w
  touch "$WINEPREFIX/.pandrake-desktop-font"
}

_configure_prefix() {
  # A virtual desktop: showing and hiding windows then needs no window manager's answer.
  _reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
  _reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024
  # Drive D: is a fixed disk on a folder of the build, for the tests of the drive scan.
  mkdir -p "$WINEPREFIX/../fixture-drive-d"
  ln -sfn "$(cd "$WINEPREFIX/../fixture-drive-d" && pwd)" "$WINEPREFIX/dosdevices/d:"
  _reg_add 'HKLM\Software\Wine\Drives' /v 'd:' /d hd
  "$WINESERVER" -w
  touch "$WINEPREFIX/.pandrake-configured"
}

wine_env_start() {
  local build_dir=$1 use_own_display=${2:-yes}
  export WINEPREFIX="$(cd "$build_dir" && pwd)/wineprefix"
  export WINEDEBUG=-all
  # A crashing test ends at once instead of waiting in the crash debugger.
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;winedbg.exe=d;mscoree=;mshtml="
  export WINE_LOADER WINESERVER
  _use_private_home

  if [ "$use_own_display" = yes ] || [ -z "${DISPLAY:-}" ]; then
    local fdfile
    fdfile=$(mktemp)
    Xvfb -displayfd 7 -screen 0 1280x1024x24 -nolisten tcp 7>"$fdfile" >/dev/null 2>&1 &
    _started_xvfb_pid=$!
    for _ in $(seq 1 100); do
      [ -s "$fdfile" ] && break
      sleep 0.1
    done
    [ -s "$fdfile" ] || { echo "wine-env: Xvfb did not start" >&2; return 1; }
    export DISPLAY=":$(head -n1 "$fdfile")"
    rm -f "$fdfile"
  fi

  # A prefix made before 32-bit Wine was installed runs no 32-bit program, as the tests' terminal
  # is, and updating it does not fill its 32-bit system folder: it is made again. It holds
  # nothing but what this script and the tests put there.
  if [ -f "$WINEPREFIX/system.reg" ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] &&
    [ -x /usr/lib/wine/wine ]; then
    echo "wine-env: making $WINEPREFIX again with 32-bit support"
    "$WINESERVER" -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine-env: creating Wine prefix $WINEPREFIX"
    "$WINE_LOADER" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
  fi
  [ -f "$WINEPREFIX/.pandrake-configured" ] || _configure_prefix
  _configure_desktop
  _mount_fixture_drives
  "$WINESERVER" -p </dev/null >/dev/null 2>&1
  # Wine's own services start with the first program and end a few seconds after the last
  # one, holding that program's output open meanwhile. One idle program started here keeps
  # them running, detached from every test's output.
  local fifo="$WINEPREFIX/keepalive.fifo"
  rm -f "$fifo" && mkfifo "$fifo"
  "$WINE_LOADER" cmd.exe <"$fifo" >/dev/null 2>&1 &
  _keepalive_pid=$!
  exec 8>"$fifo"
  # The first program that touches the window system starts the desktop process; do it here
  # for the same reason.
  "$WINE_LOADER" rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 || true
  _link_cjk_fonts
}

# Wine links Documents, Desktop and the other shell folders of a new prefix to $HOME: a home
# under the build folder keeps the programs' files out of the developer's. Prefixes made before
# get real folders instead of the links that leave the build folder.
_use_private_home() {
  export PANDRAKE_REAL_HOME=${PANDRAKE_REAL_HOME:-$HOME}
  local build link
  build=$(dirname "$WINEPREFIX")
  export HOME="$build/home"
  mkdir -p "$HOME"
  for link in "$WINEPREFIX"/drive_c/users/*/*; do
    [ -L "$link" ] || continue
    case "$(readlink -f "$link")" in
      "$build"/*) ;;
      *) rm -f "$link" && mkdir -p "$link" ;;
    esac
  done
}

# Drives for the tests of what real machines do to files: S: is a small filesystem that fills
# up, R: shows a folder read-only (its writable source is exported too, so a test can lay out
# files first). Mounting needs root; where it fails the variables stay unset and those tests skip.
_mount_fixture_drives() {
  local base small ro src
  base=$(cd "$WINEPREFIX/.." && pwd)
  small="$base/fixture-drive-s" ro="$base/fixture-drive-r" src="$base/fixture-drive-r-src"
  _unmount_fixture_drives
  mkdir -p "$small" "$ro" "$src"
  if mount -t tmpfs -o size=4m pandrake-small "$small" 2>/dev/null; then
    ln -sfn "$small" "$WINEPREFIX/dosdevices/s:"
    export PANDRAKE_SMALL_DRIVE='S:\'
  fi
  if mount --bind "$src" "$ro" 2>/dev/null && mount -o remount,bind,ro "$ro" 2>/dev/null; then
    ln -sfn "$ro" "$WINEPREFIX/dosdevices/r:"
    export PANDRAKE_READONLY_DRIVE='R:\'
    export PANDRAKE_READONLY_SOURCE="Z:$(echo "$src" | tr / '\\')\\"
  fi
}

_unmount_fixture_drives() {
  local base
  base=$(cd "$WINEPREFIX/.." && pwd)
  for m in "$base/fixture-drive-s" "$base/fixture-drive-r"; do
    mountpoint -q "$m" 2>/dev/null && umount "$m" 2>/dev/null
  done
  unset PANDRAKE_SMALL_DRIVE PANDRAKE_READONLY_DRIVE PANDRAKE_READONLY_SOURCE
  return 0
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    _unmount_fixture_drives
    "$WINESERVER" -k >/dev/null 2>&1 || true
  fi
  if [ -n "$_keepalive_pid" ]; then
    exec 8>&-
    wait "$_keepalive_pid" 2>/dev/null || true
    rm -f "$WINEPREFIX/keepalive.fifo"
    _keepalive_pid=""
  fi
  if [ -n "$_started_xvfb_pid" ]; then
    kill "$_started_xvfb_pid" >/dev/null 2>&1 || true
    wait "$_started_xvfb_pid" 2>/dev/null || true
    _started_xvfb_pid=""
  fi
}
