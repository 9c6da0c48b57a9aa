#!/usr/bin/env bash
# Builds the program and saves pictures of its windows into docs/: the main window (stopped, playing,
# full screen), the options dialog and the file information window. They are taken on a virtual X
# screen so that they look the same on every machine. Usage: tools/screenshots.sh [build folder]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${BUILD_DIR:-$root/build}}"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quen_screenshots windowshots >/dev/null
mkdir -p "$root/docs"
xvfb-run -a -s "-screen 0 1280x800x24" "$(find "$build" -name quen_screenshots -type f -perm -u+x | head -n 1)" "$root/docs"
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$build/windowshots" "$root/docs"
