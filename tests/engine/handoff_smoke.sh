#!/usr/bin/env bash
# Two copies of the program: the second, started with a quoted path as a desktop passes it, hands
# the file to the first and ends; the first appends it and plays it at once. A second copy with no
# path only brings the first forward and adds nothing. Two copies started at the same instant end
# up as one program holding both files.
set -euo pipefail
swfgen=$2
source "$(dirname "${BASH_SOURCE[0]}")/portable_copy.sh"
portable_copy "$1"
trap 'kill "$first" 2>/dev/null || true; rm -rf "$work"' EXIT
for name in first together-a together-b; do
    "$swfgen" --frames 2400 --rate 24 "$work/$name.swf"
done
"$swfgen" --frames 2400 --rate 24 --color 40C0F0 "$work/handed over.swf"

"$work/quenbarrowick" "$work/first.swf" >"$work/first.log" 2>&1 &
first=$!
sleep 6
kill -0 "$first" || { cat "$work/first.log"; echo "the first copy ended"; exit 1; }

# The second copy must be done quickly and show no window of its own.
timeout 10 "$work/quenbarrowick" "\"$work/handed over.swf\"" >"$work/second.log" 2>&1 \
    || { cat "$work/second.log"; echo "the second copy failed or hung"; exit 1; }
timeout 10 "$work/quenbarrowick" >"$work/third.log" 2>&1 \
    || { cat "$work/third.log"; echo "the copy without a path failed or hung"; exit 1; }
sleep 3
close_program "$first" "$work/first.log"

list="$work/PlayList.m3u"
cat "$list"
[ "$(grep -c '|' "$list")" -eq 2 ] || { echo "expected the first movie and the handed-over one"; exit 1; }
grep -q "^$work/handed over.swf|" "$list" || { echo "the handed-over path is not in the list"; exit 1; }
index=$(saved_index)
[ "$index" = 2 ] || { echo "the handed-over movie is not the one playing (row $index)"; exit 1; }

# Two at once.
"$work/quenbarrowick" "$work/together-a.swf" >"$work/a.log" 2>&1 &
a=$!
"$work/quenbarrowick" "$work/together-b.swf" >"$work/b.log" 2>&1 &
b=$!
sleep 8
running=()
for pid in "$a" "$b"; do
    kill -0 "$pid" 2>/dev/null && running+=("$pid")
done
[ "${#running[@]}" -eq 1 ] || { cat "$work/a.log" "$work/b.log"; echo "expected one program, found ${#running[@]}"; exit 1; }
first=${running[0]}
close_program "$first" "$work/a.log" "$work/b.log"
cat "$list"
[ "$(grep -c '|' "$list")" -eq 2 ] || { echo "a file was lost between the two copies"; exit 1; }
grep -q "together-a.swf|" "$list" && grep -q "together-b.swf|" "$list" || { echo "a file was lost"; exit 1; }
