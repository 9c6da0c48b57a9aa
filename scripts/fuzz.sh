#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of seconds (default 30).
# A second argument names one target to run alone.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
seconds=${1:-30}
only=${2:-}
[ "$seconds" -gt 0 ] || exit 0
FUZZ_DIR=${QUEN_FUZZ_DIR:-$ROOT/build-fuzz}
if [ ! -f "$FUZZ_DIR/build.ninja" ]; then
    quiet cmake -S "$ROOT/tests/fuzz" -B "$FUZZ_DIR" -G Ninja \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
quiet cmake --build "$FUZZ_DIR" --parallel "$JOBS"
for target in "$FUZZ_DIR"/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    [ -z "$only" ] || [ "$only" = "$name" ] || continue
    corpus="$FUZZ_DIR/corpus-$name"
    mkdir -p "$corpus"
    log="$FUZZ_DIR/$name.log"
    seeds=()
    if [ -d "$ROOT/tests/fuzz/seeds/${name#fuzz_}" ]; then
        seeds=("$ROOT/tests/fuzz/seeds/${name#fuzz_}")
    fi
    if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 "$corpus" \
            "${seeds[@]+"${seeds[@]}"}" >"$log" 2>&1; then
        tail -n 60 "$log" >&2
        echo "fuzz: $name found a fault (log: $log)" >&2
        exit 1
    fi
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz: $name ran $runs inputs in ${seconds}s without a fault"
done
