#!/usr/bin/env bash
# Fails when the program statically imports a DLL outside KnownDLLs (the names common to
# Windows 7 and 10): such a DLL is looked up beside the program before its first line runs.
# Not even comctl32: its own imports (uxtheme and others) would come from the program's folder.
set -euo pipefail
objdump=$1
exe=$2
allowed=" advapi32 clbcatq comdlg32 difxapi gdi32 imagehlp imm32 kernel32 msctf msvcrt normaliz
  nsi ole32 oleaut32 psapi rpcrt4 sechost setupapi shell32 shlwapi user32 wldap32 ws2_32 "
imports=$("$objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sed 's/\.dll$//')
[ -n "$imports" ] || { echo "no import table read from $exe"; exit 1; }
status=0
for dll in $imports; do
  case "$allowed" in
    *" $dll "*) ;;
    *) echo "static import outside KnownDLLs: $dll.dll"; status=1 ;;
  esac
done
exit $status
