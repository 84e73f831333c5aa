#!/usr/bin/env bash
# Installs what the tests need, checks the formatting, then builds and runs every test twice: a
# plain build (build/) and one with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/).
# The Windows programs' checks under Wine (label `windows`) run once, in the plain build, which they
# take as the reference. Warnings are errors. Last, every fuzz target runs with libFuzzer from its
# committed corpus for a minute in all (build-fuzz/, clang, both sanitizers); an input that breaks
# one fails the command.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh test
jobs=$(nproc)

# The sources keep the committed .clang-format.
./scripts/check-format.sh

# The build trees are those of CMakePresets.json; build/ is the one scripts/run-example.sh makes.
cmake --preset default
cmake --build --preset default -j "$jobs"
ctest --preset default -j "$jobs"

cmake --preset asan
cmake --build --preset asan -j "$jobs"
ctest --preset asan -j "$jobs"

./scripts/fuzz.sh 60 all

echo "all tests passed, plain and sanitized, and the fuzz targets found nothing"
