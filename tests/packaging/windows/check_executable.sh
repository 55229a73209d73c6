#!/usr/bin/env bash
# Checks a Windows executable without running it: its kind, that it needs
# no library beyond Windows's own, and its version record; and says its size.
# Usage: check_executable.sh PROGRAM.exe x86_64|i686 VERSION
set -euo pipefail
program=$1 arch=$2 version=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

objdump=$arch-w64-mingw32-objdump
command -v "$objdump" >/dev/null || objdump=objdump
headers=$("$objdump" -p "$program")

# Read from the headers themselves: file(1) words them differently from one
# release to the next.
magic=$(sed -n 's/^Magic\s\+\S\+\s\+(\(.*\))$/\1/p' <<<"$headers")
machine=$(sed -n 's/^.*file format \(\S\+\)$/\1/p' <<<"$headers")
subsystem=$(sed -n 's/^Subsystem\s\+\S\+\s\+(\(.*\))$/\1/p' <<<"$headers")
case $arch in
  x86_64) want="PE32+ pei-x86-64" ;;
  i686) want="PE32 pei-i386" ;;
  *) fail "unknown architecture $arch" ;;
esac
[ "$magic $machine" = "$want" ] || fail "not a $arch Windows program: $magic $machine"
[ "$subsystem" = "Windows GUI" ] || fail "not a GUI program: subsystem $subsystem"

libraries=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers" | tr '[:upper:]' '[:lower:]' | sort -u)
allowed="kernel32.dll user32.dll gdi32.dll comctl32.dll ole32.dll oleacc.dll msvcrt.dll"
for library in $libraries; do
  [[ " $allowed " == *" $library "* ]] || [[ $library == api-ms-win-crt-* ]] \
    || fail "needs a library beyond Windows's own: $library (all: $(echo $libraries))"
done

# The version record holds its strings in UTF-16.
strings -e l "$program" | grep -A1 -x FileVersion | grep -q -x "$version" || fail "no FileVersion $version"
strings -e l "$program" | grep -A1 -x ProductVersion | grep -q -x "$version" || fail "no ProductVersion $version"

echo "$(basename "$program") ($arch): $(stat -c %s "$program") bytes; needs $(echo $libraries)"
echo "executable: 1 passed, 0 failed"
