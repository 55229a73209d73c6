#!/usr/bin/env bash
# Starts the quiz on a private X display and D-Bus session with accessibility
# on, and plays it over AT-SPI with screen_reader_check.py.
# Usage: tools/screen-reader-check.sh [path/to/zorelmina]
# PYTHON names a Python with pyatspi (default /usr/bin/python3).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
program=${1:-$here/../build/app/zorelmina}

xvfb-run -a -s "-screen 0 800x600x24 -noreset" dbus-run-session -- bash -c '
  # The accessibility bus first, so that the quiz finds it as it starts.
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  sleep 1
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 "$1" &
  quiz=$!
  status=0
  "$3" "$2" || status=$?
  kill $quiz
  exit $status
' check "$program" "$here/screen_reader_check.py" "${PYTHON:-/usr/bin/python3}"
