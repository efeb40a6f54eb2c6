#!/usr/bin/env bash
# Sets up a Debian machine, builds Arvelle and runs every test:
#   1. GCC, warnings as errors: every test, the benchmarks built.
#   2. Clang with AddressSanitizer and UndefinedBehaviorSanitizer (no recovery): every test.
#   3. The libFuzzer targets (Clang, sanitizers): each fuzzes for a while, then the saved
#      corpus of past failures is replayed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=${ARVELLE_JOBS:-$(nproc)}

bash scripts/setup-debian.sh

export QT_QPA_PLATFORM=offscreen
# Qt and fontconfig keep caches for the life of the process; LeakSanitizer is told so.
export LSAN_OPTIONS="suppressions=$root/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

step() { printf '\n==== %s ====\n' "$*"; }

step "GCC build, warnings as errors"
cmake -S . -B build/gcc -G Ninja -DCMAKE_CXX_COMPILER=g++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DARVELLE_WERROR=ON -DARVELLE_BUILD_BENCH=ON
ninja -C build/gcc -j "$jobs"
step "GCC tests"
ctest --test-dir build/gcc --output-on-failure -j "$jobs"

step "Clang build with AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build/clang-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug \
  -DARVELLE_WERROR=ON -DARVELLE_SANITIZE=ON
ninja -C build/clang-asan -j "$jobs"
step "Clang sanitizer tests"
ctest --test-dir build/clang-asan --output-on-failure -j "$jobs"

step "Fuzz targets"
cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DARVELLE_WERROR=ON -DARVELLE_SANITIZE=ON -DARVELLE_BUILD_FUZZ=ON -DARVELLE_BUILD_GUI=OFF
ninja -C build/fuzz -j "$jobs"
# name:seconds; each fuzzes from a scratch copy of its corpus so the repository stays as it is
for target in cell_text_to_number:20 number_to_cell_text:20 workbook_append:60; do
  name=${target%%:*}
  seconds=${target##*:}
  scratch=$(mktemp -d)
  cp -r "fuzz/corpus/$name/." "$scratch/"
  # Real workbooks from other programs seed the workbook reader.
  if [ "$name" = workbook_append ]; then cp ../shared/fixtures/xls/*.xls "$scratch/"; fi
  step "fuzz_$name for ${seconds}s"
  build/fuzz/fuzz/fuzz_"$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="build/fuzz/crash-$name-" "$scratch"
  rm -rf "$scratch"
done
step "Fuzz corpus replays"
ctest --test-dir build/fuzz --output-on-failure -j "$jobs" -R "^fuzz_"

echo
echo "All builds and tests passed."
