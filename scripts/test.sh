#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer and the program as the start script does (a
# compiler warning is an error in every build, the fuzzing build too), runs
# every test through CTest, then runs every fuzzing harness briefly
# (scripts/fuzz.sh) so that a reintroduced crash fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVZ_SANITIZE=ON -DVZ_TESTS=ON -DVZ_BENCH=ON \
  -DVZ_WERROR=ON
cmake --build build/test
# The start script's optimised build: gcc warns of some faults (uninitialised
# use, overflowing copies) only when it optimises, so a green Debug build alone
# would not show that the program a user starts still builds.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVZ_WERROR=ON
cmake --build build/release --target vivazozodi vz_make_examples
export QT_QPA_PLATFORM=offscreen
cd build/test
ctest --output-on-failure -j "$(nproc)" --timeout 900
cd ../..
bash scripts/fuzz.sh 150
