#!/usr/bin/env bash
# Installs the .msi silently under Wine, as group policy would, checks what
# it put where, runs the installed program until its window opens, installs
# a later version over it, and removes it again. Runs through
# wine-run.sh --shell, which sets WINE and WINESERVER.
# Usage: check_msi.sh MSI PROGRAM.exe WINDOW_PROBE.exe WXS_STAGING MAKE_MSI WIXL MSIBUILD VERSION x64|x86
set -uo pipefail
msi=$1 program=$2 probe=$3 staging=$4 make_msi=$5 wixl=$6 msibuild=$7 version=$8 arch=$9
fail() { echo "FAIL: $*" >&2; exit 1; }
windows() { printf 'Z:%s' "${1//\//\\}"; }

drive=$WINEPREFIX/drive_c
installed="$drive/Program Files/Zorelmina/zorelmina.exe"
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
# The installed programs, as the registry lists them, in UTF-8.
programs() {
  local out
  out=$(mktemp -u).reg
  "$WINE" reg export "$uninstall" "$(windows "$out")" >/dev/null 2>&1
  iconv -f UTF-16 -t UTF-8 "$out" | tr -d '\r'
  rm -f "$out"
}
shortcut() { find "$drive" -name 'Зорелмина.lnk' | head -n 1; }

"$WINE" msiexec /i "$(windows "$msi")" /qn || fail "silent install failed ($?)"
[ -f "$installed" ] || fail "not installed into Program Files"
cmp -s "$installed" "$program" || fail "the installed program is not the one built"
[ -n "$(shortcut)" ] || fail "no Start-menu shortcut named Зорелмина"
entry=$(programs)
grep -q '"DisplayName"="Зорелмина"' <<<"$entry" || fail "the installed programs do not list Зорелмина: $entry"
grep -q "\"DisplayVersion\"=\"$version\"" <<<"$entry" || fail "listed version is not $version"
grep -q '"Publisher"=' <<<"$entry" || fail "no publisher listed"

# The installed program runs and opens its window.
"$WINE" "$installed" &
running=$!
"$WINE" "$probe" 30 | tr -d '\r' | tee /dev/stderr | grep -q '^window: .*  Талвердия$' || fail "the installed program showed no window"
wait "$running" || fail "the installed program ended with status $?"

# A later version with the same upgrade code replaces this one.
later=$(mktemp -d)
cp "$staging"/zorelmina.exe "$staging"/zorelmina.ico "$later"/
sed "s/ Version=\"$version\"/ Version=\"99.0\"/" "$staging/zorelmina.wxs" >"$later/zorelmina.wxs"
(cd "$later" && bash "$make_msi" "$wixl" "$msibuild" zorelmina.wxs later.msi "$arch" >/dev/null 2>&1) || fail "cannot build a later version"
"$WINE" msiexec /i "$(windows "$later/later.msi")" /qn || fail "installing the later version failed"
entries=$(programs | grep -c '"DisplayName"="Зорелмина"')
[ "$entries" -eq 1 ] || fail "the later version did not replace this one ($entries entries)"
programs | grep -q '"DisplayVersion"="99.0"' || fail "the later version is not the one listed"
"$WINE" msiexec /x "$(windows "$later/later.msi")" /qn || fail "silent removal failed ($?)"
rm -rf "$later"

[ ! -e "$installed" ] || fail "the program is still there after removal"
[ -z "$(shortcut)" ] || fail "the shortcut is still there after removal"
! programs | grep -q 'Зорелмина' || fail "still listed among the installed programs"
echo "msi: 1 passed, 0 failed"
