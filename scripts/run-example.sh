#!/usr/bin/env bash
# Installs what the program needs, builds it to build/mapbasis and generates the sample sheet
# N-37-XIV into results/N-37-XIV (or the sheet of the parameter file given as the argument).
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/install-deps.sh build
cmake -S . -B build -G Ninja -DMAPBASIS_TESTS=OFF >/dev/null
cmake --build build --target mapbasis

params="${1:-examples/sheet-200k-N-37-XIV.txt}"
status=0
./build/mapbasis "$params" || status=$?
echo "mapbasis $params: exit status $status"
folder=$(sed -n 's/^.*Path *= *\([^;]*\);.*$/\1/p' "$params" | head -n 1)
[ -n "$folder" ] && [ -d "$folder" ] && find "$folder" -type f | sort
exit "$status"
