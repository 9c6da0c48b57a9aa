# Sourced by the program tests: a copy of the executable in a fresh folder of its own, so that its
# settings and playlist are written there, with a private runtime folder for its instance socket.
portable_copy() {
    work=$(mktemp -d)
    cp "$1" "$work/quenbarrowick"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# The row the program saved when it closed.
saved_index() {
    sed -n 's/^ListFileIndex=//p' "$work/Quenbarrowick.ini" | tr -d '\r'
}

# Closes the program as its close button does (SIGTERM); shows its logs and fails unless it ends cleanly.
close_program() {
    local status=0
    kill -TERM "$1"
    wait "$1" || status=$?
    [ "$status" -eq 0 ] || { cat "${@:2}"; echo "exit status $status"; exit 1; }
}
