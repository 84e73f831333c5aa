#!/usr/bin/env bash
# Installs from Debian's packages what mapbasis needs: `build` for the program, `test` for the
# program and every test (the fuzz targets and the Windows build's checks under Wine included),
# `bench` for the program and bench/, `windows` for the cross build and its Wine checks,
# `screenshots` for scripts/screenshots.sh. Installs only what is missing; runs as root without
# prompts (and through sudo for another user). `install-deps.sh --missing SET` installs nothing and
# prints the packages of the set that are missing, one a line.
set -euo pipefail
list_missing=false
if [ "${1:-}" = "--missing" ]; then
  list_missing=true
  shift
fi

# Qt's own translations make its folder picker speak Russian. msgfmt and xgettext (gettext) compile
# and extract the message catalogue in po/. GoogleTest is small and comes with the build: build/ is
# configured with its tests (CMakePresets.json), so that the example and the test command share one
# build tree.
build_packages=(cmake ninja-build g++ pkg-config libshp-dev qt6-base-dev qt6-translations-l10n
  gettext googletest libgtest-dev)
# The Qt tests also run on a virtual display with a window manager; the killed-run test injects
# faults with strace; chattr makes an undeletable file;
# the QGIS test opens the project with the real QGIS library and the fonts its styles name (the
# Liberation fonts, Linux's twins of Arial and Times New Roman; DejaVu Sans draws a family that is
# missing, as Windows' interface font does); scripts/generate-font-metrics.py reads the URW and
# Liberation fonts' metrics (python3-fonttools); the message tests run under Russian and other
# locales (locales-all).
test_packages=(gdal-bin python3-gdal clang-format clang libclang-rt-14-dev
  xvfb xauth x11-utils openbox strace e2fsprogs
  python3-qgis fonts-urw-base35 fonts-liberation fonts-dejavu-core python3-fonttools locales-all)
bench_packages=(python3 time strace valgrind)
screenshot_packages=(fonts-dejavu-core)

windows_packages=(g++-mingw-w64-x86-64 wine64 wine gdal-bin python3-gdal xvfb xdotool xclip imagemagick zip)

case "${1:-build}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${build_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}") ;;
  bench) wanted=("${build_packages[@]}" "${bench_packages[@]}") ;;
  windows) wanted=("${build_packages[@]}" "${windows_packages[@]}") ;;
  screenshots)
    wanted=("${build_packages[@]}" "${test_packages[@]}" "${screenshot_packages[@]}")
    ;;
  *) echo "usage: $0 [--missing] [build|test|bench|windows|screenshots]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if $list_missing; then
  [ ${#missing[@]} -eq 0 ] || printf '%s\n' "${missing[@]}"
  exit 0
fi
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q "${missing[@]}"
