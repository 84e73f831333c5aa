#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows (scripts/build-windows.sh) and tests it under Wine
# against the Linux build: the batch runs (tests/windows/wine_check.py), then the dialogs played
# with keys on a virtual display (tests/windows/wine_dialogs.py), about a minute.
#
#     scripts/test-windows.sh                 build and test
#     scripts/test-windows.sh --screenshots   also capture the dialogs into docs/screenshots/
set -euo pipefail
screenshots=()
[ "${1:-}" = "--screenshots" ] && screenshots=(docs/screenshots)
cd "$(dirname "$0")/.."
./scripts/build-windows.sh

# The Linux build is the reference.
cmake -S . -B build-linux-reference -G Ninja -DMAPBASIS_TESTS=OFF -DMAPBASIS_DIALOGS=OFF >/dev/null
cmake --build build-linux-reference --target mapbasis

# A second program that holds a layer file open, as a GIS that shows the sheet does.
x86_64-w64-mingw32-g++-posix -municode -static -O2 -Wall -Wextra -Werror \
  tests/windows/hold_open.cpp -o build-windows/hold_open.exe

/usr/bin/python3 tests/windows/wine_check.py build-linux-reference/mapbasis build-windows/mapbasis.exe . \
  build-windows/hold_open.exe
/usr/bin/python3 tests/windows/wine_dialogs.py build-linux-reference/mapbasis \
  build-windows/mapbasis.exe "${screenshots[@]}"
