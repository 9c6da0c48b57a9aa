#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: Debian packages, then the engine from npm.
# Idempotent, and silent when everything is already there.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webchannel-dev qt6-svg-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libgl-dev
    zlib1g-dev liblzma-dev
    xvfb xauth
    nodejs npm
    fonts-noto-cjk fonts-dseg
    libimage-exiftool-perl desktop-file-utils
    dbus-daemon dbus-bin appstream man-db bsdextrautils xdotool imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
# node and npm may come from outside Debian's archive on some images; then they need no package.
if command -v node >/dev/null && command -v npm >/dev/null; then
    filtered=()
    for p in "${missing[@]}"; do
        [[ $p == nodejs || $p == npm ]] || filtered+=("$p")
    done
    missing=("${filtered[@]+"${filtered[@]}"}")
fi

if [ ${#missing[@]} -gt 0 ]; then
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    echo "Installing: ${missing[*]}"
    quiet $SUDO apt-get update
    quiet env DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The engine is fetched by exact version from the lock file; node_modules is never committed.
if [ -f "$ROOT/package-lock.json" ]; then
    stamp="$ROOT/node_modules/.quen-lock"
    if [ ! -f "$stamp" ] || ! cmp -s "$ROOT/package-lock.json" "$stamp"; then
        (cd "$ROOT" && quiet npm ci --no-audit --no-fund --ignore-scripts)
        cp "$ROOT/package-lock.json" "$stamp"
    fi
fi
