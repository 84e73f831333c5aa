#!/usr/bin/env bash
# Installs what the benchmark needs, builds build/mapbasis and prints the table of bench/bench.py:
# each figure of a fresh sheet and of a rewrite beside its floor, a copy of the same files, and the
# ratio.
#
#     scripts/bench.sh [--pairs 30] [--grid-sheets N] ...      (see bench/bench.py --help)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"

"$root/scripts/install-deps.sh" bench
# build/, the tree of the README's commands (CMakePresets.json); only the program is built.
(cd "$root" && cmake --preset default >/dev/null &&
  cmake --build --preset default -j "$(nproc)" --target mapbasis >/dev/null)
exec python3 "$root/bench/bench.py" "$@"
