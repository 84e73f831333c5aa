#!/usr/bin/env bash
# Fuzzes with libFuzzer, under AddressSanitizer and UndefinedBehaviorSanitizer:
#   params  the readers of typed text (parameter file, sheet names, angles, minutes)
#   batch   the whole batch run in-process, on generated parameter files
#
#     scripts/fuzz.sh [seconds] [params|batch]      (default 60 params)
#
# Builds build-fuzz/ with clang and runs the target on a scratch copy of its corpus
# (tests/fuzz/corpus, tests/fuzz/corpus-batch), so the inputs it finds stay out of the repository.
# A failing input is kept in the scratch folder's found/ (libFuzzer prints its path); add it to
# the corpus once the fault is mended. MAPBASIS_FUZZ_TRACE=1 makes the batch target print each
# run's exit status and message.
set -euo pipefail

seconds="${1:-60}"
target="${2:-params}"
case "$seconds" in
  ''|*[!0-9]*) echo "usage: $0 [seconds] [params|batch]" >&2; exit 2 ;;
esac
case "$target" in
  params) corpus=corpus ;;
  batch) corpus=corpus-batch ;;
  *) echo "usage: $0 [seconds] [params|batch]" >&2; exit 2 ;;
esac

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

if ! command -v clang >/dev/null || ! command -v clang++ >/dev/null; then
  echo "clang is missing; installing it" >&2
  apt-get install -y clang libclang-rt-14-dev
fi

CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMAPBASIS_FUZZ=ON -DMAPBASIS_SANITIZE=ON -DMAPBASIS_TESTS=ON -DMAPBASIS_WERROR=ON
cmake --build "$build" --target "fuzz_$target"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/mapbasis-fuzz.XXXXXX")"
mkdir "$scratch/corpus" "$scratch/found"
cp "$root/tests/fuzz/$corpus"/* "$scratch/corpus/"
echo "fuzzing for $seconds s in $scratch" >&2

cd "$scratch/found"
set +e
"$build/fuzz_$target" -max_len=4096 -timeout=5 -max_total_time="$seconds" \
  -print_final_stats=1 "$scratch/corpus"
status=$?
echo "the corpus grew to $(ls "$scratch/corpus" | wc -l) inputs" >&2
if [ "$status" -eq 0 ]; then
  rm -rf "$scratch"
else
  echo "the failing input and the grown corpus stay in $scratch" >&2
fi
exit $status
