#!/usr/bin/env bash
# Sets up, builds and starts the program. Extra arguments go to the program.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
bash "$ROOT/scripts/setup.sh"
configure_and_build
# With no files named, start with the demo playlist the build generates.
if [ $# -eq 0 ]; then
    set -- "$BUILD_DIR"/demo/*.swf
fi
exec "$BUILD_DIR/quenbarrowick" "$@"
