#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing the editor need, skipping the
# ones already present. With --packaging also those that building and checking the Debian package
# need (scripts/package.sh, scripts/check-package.sh). With --format only clang-format, which is all
# that scripts/check-format.sh needs. Non-interactive; needs root (or sudo) only
# when something is missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config git ccache
    juce-modules-source libasound2-dev libfreetype-dev libfontconfig1-dev
    libx11-dev libxext-dev libxinerama-dev libxrandr-dev libxcursor-dev libxcomposite-dev libxrender-dev
    libpng-dev libjpeg-dev zlib1g-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang lld libclang-rt-14-dev clang-format
    xvfb xauth xdotool x11-utils imagemagick fonts-dejavu-core
    python3 librsvg2-bin
)

if [ "${1:-}" = "--format" ]; then
    packages=(clang-format)
fi

if [ "${1:-}" = "--packaging" ]; then
    packages+=(
        pandoc weasyprint dpkg-dev file fakeroot lintian
        desktop-file-utils appstream shared-mime-info xdg-utils libfile-mimeinfo-perl poppler-utils
        bash-completion
    )
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
