#!/usr/bin/env bash
# Installs the Debian packages Brackmoor needs to build, test and run its demo, where missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev libturbojpeg0-dev
    libgtest-dev libbenchmark-dev
    xvfb xdotool xclip x11-utils imagemagick fonts-dejavu-core fs-uae time
    clang-format qt6-svg-dev appstream desktop-file-utils
    clang-14 libclang-rt-14-dev e2fsprogs util-linux mount
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
