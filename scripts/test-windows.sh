#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows (scripts/build-windows.sh) and tests it under Wine
# against the Linux build (build/mapbasis): the ctest tests labelled `windows`, which the test
# command runs too. The batch runs and the programs' kinds, versions and icons
# (tests/windows/wine_check.py), then the dialogs of the windowed program played with keys on a
# virtual display (tests/windows/wine_dialogs.py): 3 minutes once the trees are built, 9 from
# scratch, on a shared two-core machine.
#
#     scripts/test-windows.sh                 build and test
#     scripts/test-windows.sh --screenshots   also capture the dialogs into docs/screenshots/
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"
[ "${1:-}" = "--screenshots" ] && export MAPBASIS_SCREENSHOTS="$root/docs/screenshots"

./scripts/install-deps.sh windows
# The Linux program is the reference; the tests are those of build/ (CMakePresets.json).
cmake --preset default >/dev/null
cmake --build --preset default --target mapbasis
ctest --preset default -L windows
