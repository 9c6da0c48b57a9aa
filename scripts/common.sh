# Shared by the set-up, run and test scripts. Sourced, not run.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${QUEN_BUILD_DIR:-$ROOT/build}
JOBS=$(nproc 2>/dev/null || echo 2)

# Runs a command with its output kept in a log; the log is shown only when the command fails,
# so a second run on a machine that has everything prints nothing.
quiet() {
    local log
    log=$(mktemp)
    if ! "$@" >"$log" 2>&1; then
        cat "$log" >&2
        rm -f "$log"
        echo "failed: $*" >&2
        return 1
    fi
    rm -f "$log"
}

configure_and_build() {
    if [ ! -f "$BUILD_DIR/build.ninja" ]; then
        quiet cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    fi
    quiet cmake --build "$BUILD_DIR" --parallel "$JOBS"
}
