#!/usr/bin/env bash
# Prints the test lines, the product lines and their ratio. Lines count when they are not blank and do not
# start with // or #; tests are tracked .cpp .h .js .py .sh files under tests/, product code is .cpp .h .js
# outside tests/, bench/, tools/ and third_party/. The project keeps the ratio at or below 35 %.
set -euo pipefail
cd "$(git rev-parse --show-toplevel)"
count() { xargs -r cat | grep -c -v -E '^\s*($|//|#)' || true; }
tests=$(git ls-files -- tests | grep -E '\.(cpp|h|hpp|cc|js|py|sh)$' | count)
product=$(git ls-files | grep -E '\.(cpp|h|hpp|cc|js)$' | grep -v -E '^(tests|bench|tools|third_party)/' | count)
echo "tests=$tests product=$product ratio=$((100 * tests / product))%"
if [ "${1:-}" = "--check" ] && [ $((100 * tests)) -gt $((35 * product)) ]; then
    echo "over the budget of 35 %" >&2
    exit 1
fi
