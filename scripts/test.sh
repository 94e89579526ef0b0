#!/usr/bin/env bash
# Installs what is missing and runs every test twice: once built with
# AddressSanitizer and UndefinedBehaviorSanitizer, once in the optimised build
# the start script makes (tests on), run under nice. A test that leans on what
# one build happens to do (a freed address not handed out again, a nice value
# of 0, a timing) fails in the other. A compiler warning is an error in every
# build, the fuzzing build too. Last, every fuzzing harness runs briefly
# (scripts/fuzz.sh) so that a reintroduced crash fails. Before any of it, a
# source that differs from the project's formatting fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/check-format.sh
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVZ_SANITIZE=ON -DVZ_TESTS=ON -DVZ_BENCH=ON \
  -DVZ_WERROR=ON
cmake --build build/test
# The start script's optimised build, with the tests: gcc warns of some faults
# (uninitialised use, overflowing copies) only when it optimises, and the
# program a user starts must pass the same tests.
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVZ_WERROR=ON -DVZ_TESTS=ON
cmake --build build/release
export QT_QPA_PLATFORM=offscreen
(cd build/test && ctest --output-on-failure -j "$(nproc)" --timeout 900)
(cd build/release && nice -n 10 ctest --output-on-failure -j "$(nproc)" --timeout 900)
bash scripts/fuzz.sh 150
