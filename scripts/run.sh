#!/usr/bin/env bash
# Sets up, builds and starts the program. Extra arguments go to the program.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
configure_and_build
exec "$BUILD_DIR/quenbarrowick" "$@"
