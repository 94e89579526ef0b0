#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (a compiler warning is an error, here and in the
# fuzzing build), runs every test through CTest, then runs every
# fuzzing harness briefly (scripts/fuzz.sh) so that a reintroduced crash fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVZ_SANITIZE=ON -DVZ_TESTS=ON -DVZ_BENCH=ON \
  -DVZ_WERROR=ON
cmake --build build/test
export QT_QPA_PLATFORM=offscreen
cd build/test
ctest --output-on-failure -j "$(nproc)" --timeout 900
cd ../..
bash scripts/fuzz.sh 150
