#!/usr/bin/env bash
# Pictures of the options dialog and the file information window, rendered under Xvfb with the
# fonts this system has, written to docs/. Usage: tools/screenshots.sh [build folder]
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${1:-$ROOT/build}"

if [ ! -f "$BUILD/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$BUILD" --target windowshots >/dev/null
xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb "$BUILD/windowshots" "$ROOT/docs"
