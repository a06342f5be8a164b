#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Zel need,
# but only those that are missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang clang-format libclang-rt-14-dev pkg-config python3
    qt6-base-dev qt6-base-private-dev libgl-dev libxcb1-dev libuchardet-dev zlib1g-dev libbenchmark-dev
    fonts-ipafont-gothic
    weston qt6-wayland
    xvfb xdotool x11-utils x11-apps imagemagick
    openbox wmctrl
    xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils xfwm4 dbus-daemon
    dpkg-dev file desktop-file-utils appstream lintian
    python3-hypercorn openssl
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
