#!/usr/bin/env bash
# Installs the Debian packages Quelbrin needs to build, test and run; skips what is present.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-charts-dev
    libqt6opengl6-dev libxkbcommon-dev libgl-dev qt6-qpa-plugins
    xvfb xauth fonts-noto-cjk fonts-dejavu-core
    lrzsz socat
    libqt6sql6-sqlite libqt6sql6-psql postgresql postgresql-common
    poppler-utils qt6-l10n-tools qt6-translations-l10n qt6-tools-dev qt6-tools-dev-tools
    dpkg-dev fakeroot file lintian desktop-file-utils appstream
    python3
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then sudo_cmd=(sudo); else
        echo "Need root (or sudo) to install: ${missing[*]}" >&2
        exit 1
    fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" </dev/null
