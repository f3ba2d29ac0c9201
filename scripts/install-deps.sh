#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, test and fuzz MEMVAULT.
# Only packages that are missing are installed; nothing is asked.
set -euo pipefail

PACKAGES=(
  cmake g++ ninja-build ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev
  clang-14 libclang-rt-14-dev
  poppler-utils xvfb xauth fonts-dejavu-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  echo "install-deps: all ${#PACKAGES[@]} packages are installed"
  exit 0
fi

SUDO=()
if [ "$(id -u)" -ne 0 ]; then
  SUDO=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
echo "install-deps: installing ${missing[*]}"
"${SUDO[@]}" apt-get update -q
"${SUDO[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
