#!/usr/bin/env bash
# The learner sees the window appear whole: it goes through at most a few
# pictures before the one it keeps. Three starts, the fewest judged: a busy
# machine may catch a paint half done, while a window built piecewise shows
# its pieces on every start. How soon it comes is make bench's.
# Usage: check_paints.sh PAINT_WATCH MOST PROGRAM [ARGUMENTS...]
# on the X server DISPLAY names (xvfb-run -a).
set -uo pipefail
watch=$1 most=$2
shift 2
fewest=
for run in 1 2 3; do
  line=$("$watch" "$@") || { echo "FAIL: paint_watch could not watch the window" >&2; exit 1; }
  echo "start $run: $line"
  paints=${line#paints=}
  [ -z "$fewest" ] || [ "$paints" -lt "$fewest" ] && fewest=$paints
done
[ "$fewest" -le "$most" ] || { echo "FAIL: the window came in $fewest pictures (at most $most)" >&2; exit 1; }
