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
  # a decimal-comma locale for the separator tests
  locales
  # independent readers that check the workbooks we write
  python3-xlrd python3-olefile libapache-poi-java
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "$(id -u)" -ne 0 ]; then
  SUDO=sudo
else
  SUDO=
fi

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests read the separators of a German locale, which writes numbers with a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
