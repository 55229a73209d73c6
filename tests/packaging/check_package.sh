#!/usr/bin/env bash
# Builds the Debian package from a build tree and checks its control data
# and contents. Usage: check_package.sh BUILD_DIR APP_ID VERSION
set -euo pipefail
build=$1 app_id=$2 version=$3
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
shopt -s nullglob
debs=("$out"/zorelmina_"$version"_*.deb)
[ ${#debs[@]} -eq 1 ] || fail "expected one zorelmina_${version}_*.deb, found: $(ls "$out")"
deb=${debs[0]}

[ "$(dpkg-deb -f "$deb" Package)" = zorelmina ] || fail "package name"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "version is $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
# Debian 13 names Qt's core library libqt6core6t64 (64-bit time).
for dep in fonts-liberation qt6-qpa-plugins qt6-translations-l10n libqt6widgets6 libqt6gui6 'libqt6core6(t64)?' libc6; do
  grep -q -E "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done

files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sort)
expected=$(printf '%s\n' ./usr/bin/zorelmina \
  "./usr/share/applications/$app_id.desktop" \
  "./usr/share/icons/hicolor/32x32/apps/$app_id.png" \
  "./usr/share/metainfo/$app_id.metainfo.xml" | sort)
[ "$files" = "$expected" ] || fail "package files differ:
$files"
echo "debian package: 1 passed, 0 failed"
