#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Arvelle needs.
# Idempotent: when everything is already installed it only asks dpkg and returns.
set -euo pipefail

packages=(
  # toolchains and build
  cmake ninja-build g++ clang libclang-rt-14-dev pkg-config
  # the desktop program
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev
  fonts-wine fonts-dejavu-core fonts-liberation xvfb xauth
  # the workbook container
  libgsf-1-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  # independent readers that check the workbooks we write
  python3-xlrd python3-olefile libapache-poi-java
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

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
