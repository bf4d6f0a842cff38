#!/usr/bin/env bash
# Times the program on dialogues of 1, 1,000 and 100,000 re-entries: each
# answers "n" and types the three values again, and the last answers "j".
# Prints the wall time per re-entry and the peak resident memory.
# Usage: bench/reentries.sh [PROGRAM]   (default: build/kvintorn)
set -euo pipefail
program=${1:-build/kvintorn}
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

printf '%10s %12s %14s %12s\n' re-entries "wall (s)" "per entry (us)" "peak (KiB)"
for n in 1 1000 100000; do
  awk -v n="$n" 'BEGIN { print "200000 4"; for (i = 0; i < n; i++) print "n 200000 4 25"; print "j" }' >"$tmp/input"
  start=$EPOCHREALTIME
  /usr/bin/time -v -o "$tmp/time" "$program" <"$tmp/input" >/dev/null
  end=$EPOCHREALTIME
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$tmp/time")
  awk -v n="$n" -v s="$start" -v e="$end" -v peak="$peak" \
    'BEGIN { printf "%10d %12.3f %14.2f %12d\n", n, e - s, (e - s) * 1e6 / n, peak }'
done
