#!/usr/bin/env bash
# Builds the installer with wixl, then gives it its Bulgarian names, which
# wixl would lose: the database is switched to the Cyrillic code page (1251)
# and the names are set in it with msibuild.
# Usage: make_msi.sh WIXL MSIBUILD SOURCE.wxs OUTPUT.msi x64|x86
#        (in the folder holding the files it names)
set -euo pipefail
wixl=$1 msibuild=$2 source=$3 output=$4 arch=$5

"$wixl" --arch "$arch" -o "$output.part" "$source"

staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
printf '\r\n\r\n1251\t_ForceCodepage\r\n' >"$staging/_ForceCodepage.idt"
"$msibuild" "$output.part" -i "$staging/_ForceCodepage.idt"
"$msibuild" "$output.part" -q "UPDATE Property SET Value='Зорелмина' WHERE Property='ProductName'"
"$msibuild" "$output.part" -q "UPDATE Shortcut SET Name='zorelmin|Зорелмина', Description='Знаменателни нощи: събитие и дата' WHERE Shortcut='StartMenuShortcut'"
"$msibuild" "$output.part" -q "UPDATE LaunchCondition SET Description='Вече е инсталирана по-нова версия на Зорелмина.' WHERE Condition='NOT WIX_DOWNGRADE_DETECTED'"
mv "$output.part" "$output"
