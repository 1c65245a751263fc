#!/usr/bin/env bash
# Installs the Debian packages the game needs to build and run ("play") or also to be tested ("test").
# scdoc makes the manual pages; the build leaves them out without it, the tests require them.
# weston and the Mesa EGL it draws through run the game as a Wayland client in a test. Cairo and Pango draw the
# artwork (tools/make-assets.sh) and measure its words in the artwork tests.
set -euo pipefail

what="${1:-play}"
packages=(cmake ninja-build g++ pkg-config gettext libsdl2-dev libstb-dev libfontconfig-dev liblz4-dev
          fonts-dejavu-core fonts-dejavu-extra fonts-liberation2 fonts-roboto-unhinted)
if [[ "$what" == "test" ]]; then
    packages+=(googletest libgtest-dev libbenchmark-dev clang libclang-rt-14-dev
               xvfb xauth xdotool x11-utils x11-xserver-utils openbox metacity imagemagick
               hyperfine time appstream desktop-file-utils dpkg-dev file libgtk-3-0
               xserver-xorg-core xserver-xorg-video-dummy
               weston xwayland libegl-mesa0 libgl1-mesa-dri
               lintian scdoc man-db librsvg2-bin locales strace
               libcairo2-dev libpango1.0-dev)
fi

sudo_cmd=()
if [[ "$(id -u)" != 0 ]]; then
    sudo_cmd=(sudo)
fi

# The tests look at the windows in English too; the C library translates only under a real locale.
english_locale() {
    [[ "$what" == "test" ]] || return 0
    if locale -a 2>/dev/null | grep -qix 'en_US.utf-\?8'; then
        return 0
    fi
    echo "Generating the en_US.UTF-8 locale"
    "${sudo_cmd[@]}" sed -i 's/^# *\(en_US.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^en_US.UTF-8 UTF-8' /etc/locale.gen || echo 'en_US.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen
}

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
if ((${#missing[@]} > 0)); then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
english_locale
