#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run ("play") or also to be tested ("test").
# scdoc makes the manual pages; the build leaves them out without it, the tests require them.
set -euo pipefail

what="${1:-play}"
packages=(cmake ninja-build g++ pkg-config libsdl2-dev libstb-dev libfontconfig-dev
          fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-roboto-unhinted)
if [[ "$what" == "test" ]]; then
    packages+=(googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
               xvfb xauth xdotool x11-utils x11-xserver-utils openbox metacity imagemagick
               hyperfine time appstream desktop-file-utils dpkg-dev file libgtk-3-0
               xserver-xorg-core xserver-xorg-video-dummy
               lintian scdoc man-db librsvg2-bin)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [[ "$(id -u)" != 0 ]]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
