#!/usr/bin/env bash
# The program as a person starts it: a copy of the executable in a folder of its own (so its
# settings and playlist are written there) and two movies on its command line, a short one and a
# long one. It must play the first, move on to the second by itself, and on SIGTERM close as its
# close button does, saving the playlist and the current row.
set -euo pipefail
swfgen=$2
source "$(dirname "${BASH_SOURCE[0]}")/portable_copy.sh"
portable_copy "$1"
trap 'rm -rf "$work"' EXIT
"$swfgen" --frames 48 --rate 24 "$work/short.swf"
"$swfgen" --frames 2400 --rate 24 --color 40C0F0 "$work/long.swf"
# Without a session bus, as in a bare terminal: no media controls, and nothing else missing.
env -u DBUS_SESSION_BUS_ADDRESS "$work/quenbarrowick" "$work/short.swf" "$work/long.swf" >"$work/log" 2>&1 &
pid=$!
# The short movie lasts 2 s; the engine may take a few more to warm up on a loaded machine.
for _ in $(seq 1 200); do
    sleep 0.1
    kill -0 "$pid" 2>/dev/null || { cat "$work/log"; echo "the program ended by itself"; exit 1; }
done
close_program "$pid" "$work/log"
rows=$(grep -c '|' "$work/PlayList.m3u")
index=$(saved_index)
echo "rows=$rows ListFileIndex=$index"
[ "$rows" -eq 2 ] || { echo "the playlist was not saved whole"; exit 1; }
[ "${index:-0}" -eq 2 ] || { echo "the list did not move on to the second movie"; exit 1; }
