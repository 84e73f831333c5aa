#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows (scripts/build-windows.sh) and tests it under Wine
# against the Linux build: the batch runs and the programs' kinds, versions and icons
# (tests/windows/wine_check.py), then the dialogs of the windowed program played with keys on a
# virtual display (tests/windows/wine_dialogs.py): a minute once the trees are built, about six
# minutes from scratch.
#
#     scripts/test-windows.sh                 build and test
#     scripts/test-windows.sh --screenshots   also capture the dialogs into docs/screenshots/
set -euo pipefail
screenshots=()
[ "${1:-}" = "--screenshots" ] && screenshots=(docs/screenshots)
cd "$(dirname "$0")/.."
./scripts/build-windows.sh

# The Linux build is the reference.
cmake --preset linux-reference >/dev/null
cmake --build --preset linux-reference

# A second program that holds a layer file open, as a GIS that shows the sheet does.
x86_64-w64-mingw32-g++-posix -municode -static -O2 -Wall -Wextra -Werror \
  tests/windows/hold_open.cpp -o build-windows/hold_open.exe

/usr/bin/python3 tests/windows/wine_check.py build-linux-reference/mapbasis build-windows/mapbasis.exe . \
  build-windows/hold_open.exe
# The dialogs through the windowed program, the one a user double-clicks.
/usr/bin/python3 tests/windows/wine_dialogs.py build-linux-reference/mapbasis \
  build-windows/mapbasisw.exe "${screenshots[@]}"
