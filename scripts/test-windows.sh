#!/usr/bin/env bash
# Cross-builds the program for 64-bit Windows with MinGW-w64 and tests it under Wine against the
# Linux build: the batch runs (tests/windows/wine_check.py), then the dialogs played with keys on a
# virtual display (tests/windows/wine_dialogs.py). Installs what it needs; needs ../shared beside
# the project for shapelib's sources (a Windows user takes shapelib from vcpkg or MSYS2 instead and
# points SHAPELIB_ROOT at it).
#
#     scripts/test-windows.sh                 build and test
#     scripts/test-windows.sh --screenshots   also capture the dialogs into docs/screenshots/
set -euo pipefail
screenshots=()
[ "${1:-}" = "--screenshots" ] && screenshots=(docs/screenshots)
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

cmake -S . -B build-windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DSHAPELIB_ROOT="$prefix" -DMAPBASIS_TESTS=OFF -DMAPBASIS_WERROR=ON
cmake --build build-windows --target mapbasis

# The Linux build is the reference.
cmake -S . -B build-linux-reference -G Ninja -DMAPBASIS_TESTS=OFF -DMAPBASIS_DIALOGS=OFF >/dev/null
cmake --build build-linux-reference --target mapbasis

/usr/bin/python3 tests/windows/wine_check.py build-linux-reference/mapbasis build-windows/mapbasis.exe .
/usr/bin/python3 tests/windows/wine_dialogs.py build-linux-reference/mapbasis \
  build-windows/mapbasis.exe "${screenshots[@]}"
