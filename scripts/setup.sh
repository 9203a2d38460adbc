#!/usr/bin/env bash
# Installs from Debian's packages what building, running and testing Tavoro! needs.
# Packages already present are skipped, so a second run costs only the dpkg query.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-multimedia-dev qt6-qpa-plugins libgl-dev libglx-dev
    libpugixml-dev libical-dev clang libclang-rt-dev
    fonts-liberation2 fonts-wqy-microhei fontconfig
    xvfb xauth
    xdg-utils
    librsvg2-bin desktop-file-utils appstream shared-mime-info file
    python3 python3-icalendar
    dbus-daemon
    radicale
    qtkeychain-qt6-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    $SUDO apt-get update
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
