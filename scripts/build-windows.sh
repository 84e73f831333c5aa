#!/usr/bin/env bash
# Cross-builds build-windows/mapbasis.exe (console) and mapbasisw.exe (windowed, for a double-click)
# for 64-bit Windows with MinGW-w64: the batch program and its dialogs, the MinGW runtime and
# shapelib linked statically. Installs what it needs; needs
# ../shared beside the project for shapelib's sources (a Windows user takes shapelib from vcpkg or
# MSYS2 instead and points SHAPELIB_ROOT at it).
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

./scripts/install-deps.sh windows
shapelib_src="$root/../shared/third_party/shapelib-1.5.0"
[ -f "$shapelib_src/shpopen.c" ] || { echo "shapelib's sources are not at $shapelib_src" >&2; exit 2; }

# shapelib as a static library in the build folder; nothing of it enters the repository.
prefix="$root/build-windows/shapelib"
mkdir -p "$prefix/obj" "$prefix/lib" "$prefix/include"
for source in shpopen dbfopen safileio; do
  x86_64-w64-mingw32-gcc-posix -O2 -c "$shapelib_src/$source.c" -o "$prefix/obj/$source.o"
done
rm -f "$prefix/lib/libshp.a"
x86_64-w64-mingw32-ar rcs "$prefix/lib/libshp.a" "$prefix"/obj/*.o
cp "$shapelib_src/shapefil.h" "$prefix/include/"

# The windows preset of CMakePresets.json, whose SHAPELIB_ROOT is this prefix.
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
