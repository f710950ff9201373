#!/usr/bin/env bash
# Installs the Debian packages SecLog needs (only when one is missing), then configures and
# builds the given CMake preset. Sourced by run.sh and test.sh; usable alone too.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${1:-default}"

packages=(
    cmake g++ pkg-config ninja-build
    qt6-base-dev qt6-declarative-dev qt6-declarative-dev-tools qt6-multimedia-dev qt6-pdf-dev
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick-templates qml6-module-qtqml-workerscript
    qml6-module-qtqml qml6-module-qtqml-models
    qml6-module-qtquick-dialogs qml6-module-qtmultimedia qml6-module-qtquick-pdf
    qml6-module-qtquick-shapes
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    libzxing-dev libcpp-httplib-dev nlohmann-json3-dev libsqlite3-dev libhpdf-dev
    libgtest-dev libgmock-dev libpng-dev libsodium-dev libsimdjson-dev fonts-open-sans fonts-noto-color-emoji xvfb xauth
)
# The fuzz build also needs clang and its libFuzzer runtime.
fuzz_packages=(clang libclang-rt-14-dev)
if [ "$preset" = fuzz ]; then
    packages+=("${fuzz_packages[@]}")
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi

cd "$here"
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
