#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests and benchmarks do:
# 64-bit Wine (or, with --win32 first, 32-bit Wine in a 32-bit prefix, as a
# 32-bit Windows is), in a private prefix, on a private X display, so that
# runs side by side cannot take each other's focus and nothing touches the
# user's own Wine.
#
# Usage: tests/wine-run.sh [--win32] PROGRAM.exe [ARGUMENTS...]
#        tests/wine-run.sh --shell SCRIPT [ARGUMENTS...]
#                                  run a bash script with WINE and WINESERVER
#                                  set, in a prefix of its own
#        tests/wine-run.sh --make-prefix     make the prefix afresh
#        tests/wine-run.sh --bench-prefix DIR
#                                  make DIR a prefix for timing start-up, each
#                                  window its own X window (no Wine desktop),
#                                  its wineserver kept running, and print the
#                                  Wine to run programs with
#        tests/wine-run.sh --remove-prefix DIR   stop its wineserver, remove it
#
# The prefix is made once (wineboot) into ZORELMINA_WINE_TEMPLATE (default
# a folder under TMPDIR), with "Times New Roman" mapped to Liberation Serif,
# which has the same metrics and Cyrillic; each run works on a copy of its
# own, removed afterwards. ZORELMINA_WINE_DPI sets the copy's DPI (96 when
# unset), ZORELMINA_WINE_SCREEN the display's size (1024x768);
# ZORELMINA_WINE_FONTS=plain leaves out the mapping of Times New Roman, as a
# prefix that no one has touched has it; ZORELMINA_WINE_DESKTOP=none gives
# each window an X window of its own, as on a desktop with a window manager,
# instead of Wine's desktop in one X window.
set -euo pipefail
# Wine maps file names (Cyrillic ones too) through the locale's character
# set, which must be UTF-8 whatever the caller's locale is.
export LC_ALL=C.UTF-8

bits=64
if [ "${1:-}" = --win32 ]; then
  bits=32
  shift
fi
export WINEDEBUG=${WINEDEBUG:--all}
# No .NET or Gecko: nothing here needs them, and Wine would ask to fetch them.
export WINEDLLOVERRIDES="mscoree,mshtml="

# Each loader by its own name: with 32-bit Wine installed beside the 64-bit
# one, Debian's wine wrapper starts the 32-bit loader.
wine=""
if [ $bits = 64 ]; then
  export WINEARCH=win64
  template=${ZORELMINA_WINE_TEMPLATE:-${TMPDIR:-/tmp}/zorelmina-wine-$(id -u)}
  loaders=(/usr/lib/wine/wine64 "$(command -v wine64 || true)")
  servers=(wineserver64 wineserver)
  package=wine64
else
  export WINEARCH=win32
  template=${ZORELMINA_WINE_TEMPLATE:-${TMPDIR:-/tmp}/zorelmina-wine32-$(id -u)}
  loaders=(/usr/lib/wine/wine)
  servers=(wineserver32 wineserver)
  package=wine32:i386
fi
for candidate in "${loaders[@]}"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then wine=$candidate; break; fi
done
[ -n "$wine" ] || { echo "wine-run: $bits-bit Wine is not installed (the $package package)" >&2; exit 2; }
wineserver=""
for candidate in "${servers[@]/#/$(dirname "$wine")/}" "$(command -v wineserver || true)"; do
  if [ -n "$candidate" ] && [ -x "$candidate" ]; then wineserver=$candidate; break; fi
done

# A display of our own: the script runs again under xvfb-run, which ends
# its X server with it.
if [ -z "${ZORELMINA_WINE_DISPLAY:-}" ] && [ "${1:-}" != --remove-prefix ]; then
  command -v xvfb-run >/dev/null || { echo "wine-run: xvfb-run is not installed (the xvfb package)" >&2; exit 2; }
  [ $bits = 32 ] && set -- --win32 "$@"
  ZORELMINA_WINE_DISPLAY=1 exec xvfb-run -a -s "-screen 0 ${ZORELMINA_WINE_SCREEN:-1024x768}x24 -noreset" bash "$0" "$@"
fi
unset ZORELMINA_WINE_DISPLAY

run_prefix=""
cleanup() {
  if [ -n "$run_prefix" ]; then
    WINEPREFIX=$run_prefix "$wineserver" -k 2>/dev/null || true
    WINEPREFIX=$run_prefix "$wineserver" -w 2>/dev/null || true
    rm -rf "$run_prefix"
  fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

make_template() {
  rm -rf "$template"
  mkdir -p "$(dirname "$template")"
  local staging
  staging=$(mktemp -d "$template.XXXXXX")
  rmdir "$staging"
  WINEPREFIX=$staging "$wine" wineboot --init >/dev/null 2>&1
  WINEPREFIX=$staging "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
    /v 'Times New Roman' /t REG_SZ /d 'Liberation Serif' /f >/dev/null 2>&1
  # Programs open in a desktop of Wine's own, inside one X window: Wine then
  # keeps the focus and the stacking itself, with no window manager to wait
  # for, as Windows does.
  WINEPREFIX=$staging "$wine" reg add 'HKCU\Software\Wine\Explorer' \
    /v Desktop /t REG_SZ /d Default /f >/dev/null 2>&1
  WINEPREFIX=$staging "$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' \
    /v Default /t REG_SZ /d "${ZORELMINA_WINE_SCREEN:-1024x768}" /f >/dev/null 2>&1
  # A crash ends the run instead of waiting on a dialog.
  WINEPREFIX=$staging "$wine" reg add 'HKCU\Software\Wine\WineDbg' \
    /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  WINEPREFIX=$staging "$wineserver" -w
  mv "$staging" "$template"
}

# Each window an X window of its own. The Wine desktop that the registry
# change itself brought up ends with the server, which is stopped, so that
# the next program finds none.
without_desktop() {
  "$wine" reg delete 'HKCU\Software\Wine\Explorer' /v Desktop /f >/dev/null 2>&1
  "$wineserver" -k 2>/dev/null || true
  "$wineserver" -w 2>/dev/null || true
}

copy_template() {
  cp -al "$template/." "$1/"
  for hive in "$1"/*.reg; do cp --remove-destination "$template/$(basename "$hive")" "$hive"; done
}

case "${1:-}" in
--remove-prefix)
  WINEPREFIX=$2 "$wineserver" -k 2>/dev/null || true
  WINEPREFIX=$2 "$wineserver" -w 2>/dev/null || true
  rm -rf "$2"
  exit 0
  ;;
--bench-prefix)
  exec 9>"$template.lock"
  flock 9
  [ -d "$template" ] || make_template
  mkdir -p "$2"
  copy_template "$2"
  flock -u 9
  export WINEPREFIX=$2
  without_desktop
  "$wineserver" -p
  echo "$wine"
  exit 0
  ;;
esac

if [ "${1:-}" = --make-prefix ]; then
  exec 9>"$template.lock"
  flock 9
  make_template
  echo "wine-run: prefix made in $template"
  exit 0
fi
[ $# -ge 1 ] || { echo "usage: wine-run.sh PROGRAM.exe [ARGUMENTS...]" >&2; exit 2; }

exec 9>"$template.lock"
flock 9
[ -d "$template" ] || make_template
# Linked, not copied, but for the registry, which each run may change.
run_prefix=$(mktemp -d "${TMPDIR:-/tmp}/zorelmina-wine-run.XXXXXX")
copy_template "$run_prefix"
flock -u 9

export WINEPREFIX=$run_prefix
if [ "${ZORELMINA_WINE_FONTS:-}" = plain ]; then
  "$wine" reg delete 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /f >/dev/null 2>&1
fi
if [ "${ZORELMINA_WINE_DESKTOP:-}" = none ]; then
  without_desktop
fi
if [ -n "${ZORELMINA_WINE_DPI:-}" ]; then
  "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$ZORELMINA_WINE_DPI" /f >/dev/null 2>&1
fi
status=0
if [ "$1" = --shell ]; then
  shift
  WINE=$wine WINESERVER=$wineserver bash "$@" || status=$?
else
  "$wine" "$@" || status=$?
fi
exit "$status"
