#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing LedgerKeeper need.
# Idempotent: packages that are already installed are left alone, and nothing is
# fetched when everything is there.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev clang-tidy clang-format
    python3
    xvfb xauth x11-apps imagemagick xdotool
    # The Debian package (make package) and its tests: dpkg-shlibdeps and file
    # for the dependencies, lintian, appstreamcli and man to check the result.
    dpkg-dev file lintian appstream man-db
    # Cryptography (the generator's draws, the protected store), password
    # strength, Unicode case folding for the filter, the lock keys' state.
    libsodium-dev libzxcvbn-dev libicu-dev libx11-dev
    # Driving the real window from outside: a window manager and the clipboard.
    openbox xclip
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

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi

echo "Installing: ${missing[*]}"
$sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
