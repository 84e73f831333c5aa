#!/usr/bin/env bash
# Regenerates src/dialogs/win32/sheet.bmp, the picture of the Windows information dialog, and
# src/dialogs/win32/mapbasis.ico, the program's icon, from the drawing of the Qt dialogs
# (SheetPicture), so that both faces show the same sheet. The picture fills its place in the
# dialogs' description (src/dialogs/dialog_description.txt) at the system's 8-point dialog font
# (6 x 13 pixels a base unit at 96 dpi); the icon holds 16, 24, 32, 48 and 256 pixels. Builds the Linux program's Qt dialogs in build/ first; the
# Windows build itself needs no Qt.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh build
cmake --preset default >/dev/null
cmake --build --preset default --target mapbasis_sheet_bitmap
QT_QPA_PLATFORM=offscreen build/mapbasis_sheet_bitmap src/dialogs/win32/sheet.bmp
QT_QPA_PLATFORM=offscreen build/mapbasis_sheet_bitmap --icon src/dialogs/win32/mapbasis.ico
echo "wrote src/dialogs/win32/sheet.bmp and src/dialogs/win32/mapbasis.ico"
