#!/usr/bin/env bash
# Builds everything and runs every test: the release build, then the test suite again
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_BUILD_GUI=ON >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs" --timeout 600

if [ "${VELMORA_SKIP_SANITIZERS:-0}" != "1" ]; then
  # Line tables are all the sanitizers' reports need, and far quicker to build than full
  # debug information.
  CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -gline-tables-only -DNDEBUG" \
    -DVELMORA_SANITIZE=ON -DVELMORA_FUZZ=ON -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan -j"$jobs"
  ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j"$jobs" --timeout 600 -LE slow
fi
