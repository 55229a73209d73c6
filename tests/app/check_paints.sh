#!/usr/bin/env bash
# The learner sees the window appear whole: from its first paint to the one
# after which its picture never changes, at most a few paints, all within
# one frame of a 60 Hz screen (paints after that, which draw what is already
# there, are not seen). Five starts; the paints of each are counted, and the
# shortest of their spans is judged: a busy machine stretches the time
# between paints, never shortens it, while a window built piecewise spreads
# its paints on every start. The test runs alone, not beside other tests.
# Usage: check_paints.sh PAINT_WATCH MAX_PAINTS [--display :N] -- PROGRAM [ARGUMENTS...]
set -uo pipefail
watch=$1 most=$2
shift 2
frame_ms=17
spans=()
for run in 1 2 3 4 5; do
  line=$("$watch" "$@") || { echo "FAIL: paint_watch could not watch the window" >&2; exit 1; }
  echo "start $run: $line"
  paints=$(sed -n 's/.* paints=\([0-9]*\).*/\1/p' <<<"$line")
  first=$(sed -n 's/.*first_paint_ms=\([0-9.]*\).*/\1/p' <<<"$line")
  complete=$(sed -n 's/.*complete_ms=\([0-9.]*\).*/\1/p' <<<"$line")
  [ "$paints" -le "$most" ] || { echo "FAIL: the window came in $paints paints (at most $most)" >&2; exit 1; }
  spans+=("$(awk -v a="$first" -v b="$complete" 'BEGIN { printf "%.1f", b - a }')")
done
shortest=$(printf '%s\n' "${spans[@]}" | sort -n | head -n 1)
echo "spans from the first paint to the last: ${spans[*]} ms"
awk -v m="$shortest" -v f="$frame_ms" 'BEGIN { exit !(m <= f) }' ||
  { echo "FAIL: the paints spread over $shortest ms, more than one frame ($frame_ms ms)" >&2; exit 1; }
