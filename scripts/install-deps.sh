#!/usr/bin/env bash
# Installs the Debian 12 packages MEMVAULT needs. Only packages that are
# missing are installed; nothing is asked.
#   install-deps.sh run    what building and running the programs need
#   install-deps.sh test   that, plus what the tests, the sanitizer and fuzz
#                          builds and the package check need (the default)
set -euo pipefail

RUN_PACKAGES=(
  cmake g++ ninja-build ccache
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev libgl-dev qt6-qpa-plugins
)
TEST_PACKAGES=(
  clang-14 libclang-rt-14-dev clang-format-14
  poppler-utils xvfb xauth fonts-dejavu-core
  dpkg-dev file appstream groff-base
)

case "${1:-test}" in
  run) PACKAGES=("${RUN_PACKAGES[@]}") ;;
  test) PACKAGES=("${RUN_PACKAGES[@]}" "${TEST_PACKAGES[@]}") ;;
  *)
    echo "usage: install-deps.sh [run|test]" >&2
    exit 2
    ;;
esac

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
