#!/usr/bin/env bash
# Installs the Debian packages the project needs (quick when they are there).
# Usage: scripts/deps.sh [extra packages...]
set -euo pipefail
packages=(cmake g++ clang clang-format libclang-rt-14-dev libsdl2-dev libfltk1.3-dev fluid libx11-dev
    libxext-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth x11-utils x11-apps
    x11-xserver-utils xdotool imagemagick bc xfonts-base fonts-dejavu-core fonts-liberation openbox
    libpng-dev libxrandr-dev libxss-dev libwayland-dev wayland-protocols libwayland-bin sway grim wtype
    swayidle weston xwayland wayland-utils libsystemd-dev xdg-desktop-portal
    xdg-desktop-portal-wlr xdg-desktop-portal-gtk pipewire pipewire-bin dbus-daemon dbus-bin mate-screensaver desktop-file-utils appstream xdg-utils dpkg-dev lintian xscreensaver dbus-x11 "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
    $sudo_cmd apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
