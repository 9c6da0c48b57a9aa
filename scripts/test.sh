#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: unit, widget (offscreen) and engine (Xvfb) tests,
# then a short run of each fuzzer. FUZZ_SECONDS=0 skips the fuzzers.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
configure_and_build

bash "$ROOT/scripts/fuzz.sh" "${FUZZ_SECONDS:-30}"

cd "$BUILD_DIR"
# One X server for the engine tests; widget tests pick the offscreen platform themselves.
xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
    ctest --output-on-failure --parallel "$JOBS" --timeout 600
