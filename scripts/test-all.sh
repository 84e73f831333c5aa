#!/usr/bin/env bash
# Installs what the tests need, checks the formatting, then builds and runs every test twice: a
# plain build (build/) and one with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/).
# Warnings are errors. Last, every fuzz target runs with libFuzzer from its committed corpus for a
# minute in all (build-fuzz/, clang, both sanitizers); an input that breaks one fails the command.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh test
jobs=$(nproc)

# The sources keep the committed .clang-format.
./scripts/check-format.sh

cmake -S . -B build -G Ninja -DMAPBASIS_TESTS=ON -DMAPBASIS_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --no-tests=error --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DMAPBASIS_TESTS=ON -DMAPBASIS_WERROR=ON -DMAPBASIS_SANITIZE=ON \
  -DCMAKE_BUILD_TYPE=Debug
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --no-tests=error --output-on-failure -j "$jobs"

./scripts/fuzz.sh 60 all

echo "all tests passed, plain and sanitized, and the fuzz targets found nothing"
