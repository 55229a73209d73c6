#!/usr/bin/env bash
# The Windows program's window appears whole, its pictures counted from the
# X server under Wine. Runs through wine-run.sh --shell, which gives it an
# X server and sets WINE, with each window an X window of its own.
# Usage: check_paints.sh PAINT_WATCH PROGRAM.exe MOST
set -uo pipefail
watch=$1 program=$2 most=$3
# Wine's first start in a prefix sets it up; the window is watched after.
"$WINE" cmd /c exit >/dev/null 2>&1
exec bash "$(dirname "$0")/../../app/check_paints.sh" "$watch" "$most" "$WINE" "$program"
