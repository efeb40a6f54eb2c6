#!/usr/bin/env bash
# Sets up a Debian machine, builds Arvelle and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup-debian.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DARVELLE_BUILD_TESTS=OFF
ninja -C build/release
exec build/release/app/Arvelle
