#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop needs.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR APP_ID VERSION
set -euo pipefail
build=$1 source=$2 app_id=$3 version=$4
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null

desktop=$prefix/share/applications/$app_id.desktop
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
icon=$prefix/share/icons/hicolor/32x32/apps/$app_id.png
for f in "$prefix/bin/zorelmina" "$desktop" "$metainfo" "$icon"; do
  [ -f "$f" ] || fail "not installed: ${f#"$prefix"/}"
done
[ -x "$prefix/bin/zorelmina" ] || fail "the program is not executable"
extra=$(cd "$prefix" && find . -type f | sort | grep -v -x -e ./bin/zorelmina \
  -e "./share/applications/$app_id.desktop" -e "./share/metainfo/$app_id.metainfo.xml" \
  -e "./share/icons/hicolor/32x32/apps/$app_id.png" || true)
[ -z "$extra" ] || fail "unexpected files installed: $extra"

cmp -s "$icon" "$source/window/icons/zorelmina.png" || fail "installed icon differs from the drawn one"
desktop-file-validate "$desktop" || fail "desktop entry does not validate"
grep -q "^Icon=$app_id\$" "$desktop" || fail "desktop entry names another icon"
grep -q "^StartupWMClass=zorelmina\$" "$desktop" || fail "desktop entry does not name the window's class"
appstreamcli validate --no-net --pedantic "$metainfo" >/dev/null \
  || { appstreamcli validate --no-net --pedantic "$metainfo"; fail "metainfo does not validate"; }
grep -q "<release version=\"$version\"" "$metainfo" || fail "metainfo release is not $version"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
  || fail "metainfo does not launch the desktop entry"

# The installed program starts from the prefix alone and keeps running.
if readelf -d "$prefix/bin/zorelmina" | grep -q -E 'RPATH|RUNPATH'; then
  fail "the installed program carries a run path"
fi
status=0
QT_QPA_PLATFORM=offscreen timeout 3 "$prefix/bin/zorelmina" >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "the installed program stopped with status $status"
echo "install tree: 1 passed, 0 failed"
