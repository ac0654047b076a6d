#!/usr/bin/env bash
# Builds the game and its tests with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there (set-up first, as scripts/test.sh does). The leak
# suppressions of tools/lsan.supp are in the tests' environment; use them by hand too:
#   LSAN_OPTIONS=suppressions=$PWD/tools/lsan.supp build-asan/tests/tarn_tests
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake -S . -B build-asan -DTARN_SANITIZE=ON -DTARN_BENCH=OFF
cmake --build build-asan -j"$(nproc)"
cd build-asan
ctest --output-on-failure -j"$(nproc)"
