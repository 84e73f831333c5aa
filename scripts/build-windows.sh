#!/usr/bin/env bash
# Cross-builds build-windows/mapbasis.exe (console) and mapbasisw.exe (windowed, for a double-click)
# for 64-bit Windows with MinGW-w64 (the preset `windows`): the batch program and its dialogs, with
# the MinGW runtime and shapelib (its copy in third_party/shapelib) linked statically. Installs what
# it needs.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh windows
cmake --preset windows
cmake --build --preset windows

# A batch run loads only what these two give: the dialogs' libraries are loaded on their first call.
for program in mapbasis mapbasisw; do
  imports="$(x86_64-w64-mingw32-objdump -p "build-windows/$program.exe" |
    sed -n 's/^\tDLL Name: //p' | sort -f | tr '\n' ' ')"
  if [ "$imports" != "KERNEL32.dll msvcrt.dll " ]; then
    echo "build-windows/$program.exe imports $imports- expected KERNEL32.dll and msvcrt.dll alone" \
      "(a function missing from src/dialogs/win32/delay_imports/?)" >&2
    exit 1
  fi
done
