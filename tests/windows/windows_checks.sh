#!/usr/bin/env bash
# The Windows programs as ctest tests (label `windows`, tests/CMakeLists.txt):
#
#     windows_checks.sh build                   cross-builds them (scripts/build-windows.sh)
#     windows_checks.sh batch LINUX-MAPBASIS    the batch runs under Wine (wine_check.py)
#     windows_checks.sh dialogs LINUX-MAPBASIS  the dialogs under Wine (wine_dialogs.py), saved
#                                               into $MAPBASIS_SCREENSHOTS when it names a folder
#
# LINUX-MAPBASIS is the program of the Linux build, the reference. Where a Debian package the
# checks need is missing (MinGW-w64, Wine, Xvfb, xdotool ...), each says which and ends with 77,
# which ctest counts as skipped.
set -euo pipefail
mode="$1"
cd "$(dirname "$0")/../.."

missing="$(./scripts/install-deps.sh --missing windows | tr '\n' ' ')"
if [ -n "$missing" ]; then
  echo "skipped: the Windows checks need the Debian packages ${missing}(scripts/install-deps.sh" \
    "windows installs them)"
  exit 77
fi

case "$mode" in
  build) exec ./scripts/build-windows.sh ;;
  batch)
    # A second program that holds a layer file open, as a GIS that shows the sheet does.
    x86_64-w64-mingw32-g++-posix -municode -static -O2 -Wall -Wextra -Werror \
      tests/windows/hold_open.cpp -o build-windows/hold_open.exe
    exec /usr/bin/python3 tests/windows/wine_check.py "$2" build-windows/mapbasis.exe . \
      build-windows/hold_open.exe
    ;;
  dialogs)
    # Through the windowed program, the one a user double-clicks.
    exec /usr/bin/python3 tests/windows/wine_dialogs.py "$2" build-windows/mapbasisw.exe \
      ${MAPBASIS_SCREENSHOTS:+"$MAPBASIS_SCREENSHOTS"}
    ;;
  *) echo "usage: $0 build | batch LINUX-MAPBASIS | dialogs LINUX-MAPBASIS" >&2; exit 2 ;;
esac
