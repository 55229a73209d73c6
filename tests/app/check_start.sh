#!/usr/bin/env bash
# How the program starts, seen from outside: it takes no command line, and
# when it cannot open its window it says so plainly.
# Usage: check_start.sh PROGRAM
set -uo pipefail
program=$1
fail() { echo "FAIL: $*" >&2; failed=1; }
failed=0
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT
export XDG_RUNTIME_DIR=$runtime

# Qt's own options are ignored: with -platform taken, this would not start.
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$program" -platform bogus -reverse -style windows >/dev/null 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "a command line changed how it starts (status $status)"

# It loads nothing it does not use: reading the icon must not bring in the
# image plugins. The window is built once a font file is mapped (the result
# box is made after the icon).
font_mapped() { grep -qE '\.(ttf|ttc|otf|otc|pfb)$' "/proc/$1/maps" 2>/dev/null; }
QT_QPA_PLATFORM=offscreen "$program" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do
  font_mapped "$pid" && break
  sleep 0.1
done
if ! font_mapped "$pid"; then
  fail "it never built its window"
elif grep -q '/imageformats/' "/proc/$pid/maps"; then
  fail "start-up loaded image plugins: $(grep -o 'imageformats/[^ ]*' "/proc/$pid/maps" | sort -u | tr '\n' ' ')"
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

# No display at all: one line.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1 >/dev/null)
status=$?
[ "$status" -ne 0 ] || fail "started without a display"
[ "$out" = "zorelmina: cannot open the quiz window: no display is set (is DISPLAY or WAYLAND_DISPLAY set?)" ] \
  || fail "without a display it said: $out"

# A display set, but Qt cannot use it: advice, then what Qt said.
out=$(QT_QPA_PLATFORM=bogus DISPLAY=:0 timeout 10 "$program" 2>&1 >/dev/null)
status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] || fail "with a bogus platform it ended with status $status"
first=$(head -n 1 <<<"$out")
[[ $first == "zorelmina: cannot open the quiz window: Qt could not start its display platform;"* ]] \
  || fail "with a bogus platform it began: $first"
grep -q 'bogus' <<<"$out" || fail "Qt's own explanation is lost: $out"

[ "$failed" -eq 0 ] && echo "start: 1 passed, 0 failed"
exit "$failed"
