#!/usr/bin/env bash
# Times the program on dialogues of 1, 1,000 and 100,000 re-entries (each
# answers "n" and types the three values again; the last answers "j"), and
# on dialogues with one word of 64 MiB: an answer, and the digits of a loan
# sum. Prints the wall time, the time per re-entry and the peak resident
# memory of each and, when valgrind is installed, the user-space instructions
# per re-entry that callgrind counts: the total for 10,001 re-entries less
# the total for one, over 10,000.
# Usage: bench/dialogues.sh [PROGRAM]   (default: build/kvintorn)
set -euo pipefail
program=${1:-build/kvintorn}
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package: time)" >&2; exit 1; }
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 64 MiB of one character.
long_word() { head -c 67108864 /dev/zero | tr '\0' "$1"; }

# measure NAME RE-ENTRIES: runs the program on $tmp/input and prints a row.
measure() {
  local start end peak
  start=$EPOCHREALTIME
  /usr/bin/time -v -o "$tmp/time" "$program" <"$tmp/input" >/dev/null || true
  end=$EPOCHREALTIME
  peak=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$tmp/time")
  awk -v name="$1" -v n="$2" -v s="$start" -v e="$end" -v peak="$peak" 'BEGIN {
    per = n > 0 ? sprintf("%.2f", (e - s) * 1e6 / n) : "-"
    printf "%-20s %10.3f %16s %12d\n", name, e - s, per, peak }'
}

# reentries N: a dialogue of N re-entries in $tmp/input.
reentries() {
  awk -v n="$1" 'BEGIN { print "200000 4"; for (i = 0; i < n; i++) print "n 200000 4 25"; print "j" }' >"$tmp/input"
}

# instructions N: callgrind's total for a dialogue of N re-entries.
instructions() {
  reentries "$1"
  valgrind --tool=callgrind --callgrind-out-file=/dev/null "$program" \
    <"$tmp/input" >/dev/null 2>"$tmp/callgrind"
  awk '/Collected :/ { print $NF }' "$tmp/callgrind"
}

printf '%-20s %10s %16s %12s\n' dialogue "wall (s)" "per re-entry (us)" "peak (KiB)"
for n in 1 1000 100000; do
  reentries "$n"
  measure "$n re-entr$( ((n == 1)) && echo y || echo ies)" "$n"
done
{ printf '200000 4 '; long_word n; printf ' 200000 4 25 j\n'; } >"$tmp/input"
measure "64 MiB answer" 0
{ printf '2'; long_word 0; printf 'e-67108859 4 j\n'; } >"$tmp/input"
measure "64 MiB digit run" 0

if command -v valgrind >/dev/null; then
  one=$(instructions 1)
  many=$(instructions 10001)
  echo "instructions: $one for a dialogue of 1 re-entry, $(((many - one) / 10000)) per re-entry"
fi
