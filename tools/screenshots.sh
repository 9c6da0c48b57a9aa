#!/usr/bin/env bash
# Takes the pictures of docs/ from the real program playing the demo movies in the real engine, on a
# virtual X screen: the main window playing and stopped, full screen with the bars shown and hidden, the
# options dialog and the file information window, in Chinese and (names ending in -en) in English.
# The AppStream data shows the same pictures. Usage: tools/screenshots.sh [build folder]
# Needs xvfb-run, xdotool, ImageMagick and dbus-run-session (scripts/setup.sh installs them).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# One language's pictures of the main window; runs inside the virtual screen and a session bus of its own.
shoot_program() {
    local build=$1 suffix=$2 out=$3
    local work
    work=$(mktemp -d)
    trap 'rm -rf "$work"' RETURN
    # A copy of its own keeps the build's settings and list out of the pictures.
    cp "$build/quenbarrowick" "$work/"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    "$work/quenbarrowick" "$build"/demo/*.swf >"$work/log" 2>&1 &
    local pid=$! win= candidate geometry X=0 Y=0 WIDTH=0 HEIGHT=0 WINDOW SCREEN
    # The main window: the first visible one of the program that is window-sized (the engine has others).
    for _ in $(seq 1 100); do
        for candidate in $(xdotool search --onlyvisible --classname quenbarrowick 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry --shell "$candidate" 2>/dev/null) || continue
            eval "$geometry"
            [ "$WIDTH" -ge 400 ] && win=$candidate && break 2
        done
        sleep 0.3
    done
    [ -n "$win" ] || { cat "$work/log"; echo "no window"; exit 1; }
    local x=$X y=$Y w=$WIDTH h=$HEIGHT
    # The engine takes its time to start on a busy machine and a movie is black while the next one
    # loads: a picture is taken again until the movie shows at the points given.
    lit_picture() { # name ("" to only wait), crop (WxH+X+Y, "" for the screen), then x y of points on the screen
        local name=$1 crop=$2 px py ok
        shift 2
        for _ in $(seq 1 150); do
            [ "$name" = fullscreen ] && xdotool mousemove 600 300 mousemove 640 400 && sleep 0.5
            import -window root "$work/screen.png"
            ok=1
            for ((i = 1; i < $#; i += 2)); do
                px=${!i}
                j=$((i + 1))
                py=${!j}
                [ "$(convert "$work/screen.png" -crop "40x40+$px+$py" -format '%[fx:mean>0.03]' info:)" = 1 ] || ok=0
            done
            if [ $ok = 1 ]; then
                [ -z "$name" ] || convert "$work/screen.png" ${crop:+-crop "$crop" +repage} "$out/$name$suffix.png"
                return
            fi
            sleep 0.4
        done
        echo "the movie did not show for $name"
        exit 1
    }
    local middle=($((x + w / 3)) $((y + h / 3)))
    lit_picture "" "" "${middle[@]}"
    # The warm engine goes back to the first movie at once; three seconds in, the seek bar and
    # the position have something to show.
    for _ in 1 2 3 4 5; do
        player_property CanGoPrevious | grep -q 'boolean true' || break
        mpris Previous
    done
    sleep 3
    lit_picture playing "${w}x${h}+${x}+${y}" "${middle[@]}"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) key --window "$win" ctrl+Return
    # Full screen: the movie fills the screen when the bars first go, five seconds after the last move
    # of the pointer; a move brings them back over it.
    local screen=(600 380 1000 380)
    sleep 6
    lit_picture fullscreen-bars-hidden "" "${screen[@]}"
    lit_picture fullscreen "" "${screen[@]}"
    xdotool key --window "$win" ctrl+Return
    sleep 1
    mpris Stop
    sleep 1
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$out/stopped$suffix.png"
    mpris Quit
    wait "$pid" || true
}

mpris() {
    dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.quenbarrowick /org/mpris/MediaPlayer2 \
        "org.mpris.MediaPlayer2$([ "$1" = Quit ] || echo .Player).$1" >/dev/null
}

player_property() {
    dbus-send --session --print-reply --dest=org.mpris.MediaPlayer2.quenbarrowick /org/mpris/MediaPlayer2 \
        org.freedesktop.DBus.Properties.Get string:org.mpris.MediaPlayer2.Player "string:$1"
}

if [ "${1:-}" = --inside ]; then
    shoot_program "$2" "$3" "$4"
    exit 0
fi

build="${1:-${BUILD_DIR:-$root/build}}"
[ -f "$build/build.ninja" ] || cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target quenbarrowick windowshots demo_movies >/dev/null
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
for language in zh_CN en_US; do
    suffix=$([ $language = en_US ] && printf %s -en || true)
    LANG=$language.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES= xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
        dbus-run-session -- bash "${BASH_SOURCE[0]}" --inside "$build" "$suffix" "$out"
    LANG=$language.UTF-8 LANGUAGE= LC_ALL= LC_MESSAGES= xvfb-run -a -s "-screen 0 1280x800x24 -nolisten tcp" \
        env QT_QPA_PLATFORM=xcb "$build/windowshots" "$out" "$suffix" >/dev/null
done
# Small files for the repository: the screen-sized ones at three quarters, all in at most 256 colours.
mkdir -p "$root/docs"
for picture in "$out"/*.png; do
    resize=()
    case $(basename "$picture") in fullscreen*) resize=(-resize 75%) ;; esac
    convert "$picture" "${resize[@]}" -strip -dither FloydSteinberg -colors 256 \
        -define png:compression-level=9 "PNG8:$root/docs/$(basename "$picture")"
    echo "docs/$(basename "$picture") $(stat -c %s "$root/docs/$(basename "$picture")") bytes"
done
