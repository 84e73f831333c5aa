#!/usr/bin/env bash
# Builds dist/mapbasis-<version>-win64.zip, what a Windows user unzips and runs: mapbasisw.exe (to
# double-click: the dialogs, no console) and mapbasis.exe (the console program), needing no DLL
# beyond Windows' own, the sample parameter files
# and ПРОЧТИ.txt. Cross-builds with scripts/build-windows.sh, checks the program's imports, and
# runs the unpacked program under Wine on a sample before it calls the package done.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/build-windows.sh

version="$(sed -n 's/^project(mapbasis VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
name="mapbasis-$version-win64"
stage="build-windows/package/$name"
rm -rf "build-windows/package"
mkdir -p "$stage/examples" dist

# Only libraries every Windows has; anything else would have to travel with the program.
system_dlls=" KERNEL32.dll msvcrt.dll USER32.dll GDI32.dll COMCTL32.dll comdlg32.dll ole32.dll SHELL32.dll ADVAPI32.dll "
for program in mapbasis mapbasisw; do
  x86_64-w64-mingw32-strip -o "$stage/$program.exe" "build-windows/$program.exe"
  for dll in $(x86_64-w64-mingw32-objdump -p "$stage/$program.exe" | sed -n 's/^\tDLL Name: //p'); do
    case "$system_dlls" in
      *" $dll "*) ;;
      *) echo "$program.exe needs $dll, which Windows does not have" >&2; exit 1 ;;
    esac
  done
done

# Texts in Windows' line ends; the read-me in UTF-8 with its mark, which Notepad reads on any
# system whatever its code page.
for example in examples/*.txt; do
  sed 's/\r*$/\r/' "$example" >"$stage/examples/$(basename "$example")"
done
{ printf '\xef\xbb\xbf'; sed 's/\r*$/\r/' "packaging/windows/ПРОЧТИ.txt"; } >"$stage/ПРОЧТИ.txt"

# The unpacked program makes a sample sheet, as a user would from a command prompt.
check="$(mktemp -d)"
trap 'WINEPREFIX="$check/prefix" wineserver -k 2>/dev/null || true; rm -rf "$check"' EXIT
cp -r "$stage" "$check/"
(
  cd "$check/$name"
  export WINEPREFIX="$check/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY
  wineboot --init >/dev/null 2>&1
  # Every sample, through the runtime's wildcard, as a user types it.
  wine mapbasis.exe 'examples\*.txt'
  for layer in HYPS/HypsA HYPS/HypsP HYPS/HypsL FRAME/Frame FRAME/FrameAdj FRAME/FrameDig; do
    [ -s "results/N-37-XIV/$layer.shp" ] || { echo "the packaged program wrote no $layer" >&2; exit 1; }
  done
  [ -s "results/U-01/HYPS/HypsA.shp" ] || { echo "the packaged program did not run every sample" >&2; exit 1; }
)

# Names in UTF-8, flagged as such, so that Windows' own unpacker shows ПРОЧТИ.txt by its name.
/usr/bin/python3 - "$stage" "dist/$name.zip" <<'PY'
import os, sys, zipfile
stage, target = sys.argv[1], sys.argv[2]
root = os.path.dirname(stage)
with zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as z:
    for folder, _, files in sorted(os.walk(stage)):
        for f in sorted(files):
            path = os.path.join(folder, f)
            z.write(path, os.path.relpath(path, root))
PY
echo "dist/$name.zip"
