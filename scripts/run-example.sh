#!/usr/bin/env bash
# Installs what the program needs, builds it to build/mapbasis and generates the sample sheet
# N-37-XIV (or the sheet of the parameter file given as the argument, relative to your folder).
# The program runs in your folder, so a relative Path in the file lands below it: run from the
# project's folder, the sample lands in results/N-37-XIV.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/install-deps.sh" build
# The tree the test command uses too (CMakePresets.json): it then builds only the tests.
(cd "$root" && cmake --preset default >/dev/null && cmake --build --preset default --target mapbasis)

params="${1:-$root/examples/sheet-200k-N-37-XIV.txt}"
status=0
"$root/build/mapbasis" "$params" || status=$?
echo "mapbasis $params: exit status $status"
folder=$(sed -n 's/^.*Path *= *\([^;]*\);.*$/\1/p' "$params" | head -n 1)
[ -n "$folder" ] && [ -d "$folder" ] && find "$folder" -type f | sort
exit "$status"
