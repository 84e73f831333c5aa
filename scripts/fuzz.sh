#!/usr/bin/env bash
# Fuzzes with libFuzzer, under AddressSanitizer and UndefinedBehaviorSanitizer:
#   params      the readers of typed text (parameter file, sheet names, angles, minutes)
#   batch       the whole batch run in-process, on generated parameter files
#   attributes  the record and shape writers, fed arbitrary attribute texts
#   cp1251      the cp1251, UTF-8 and path conversions and the values shown in messages
#
#     scripts/fuzz.sh [seconds] [params|batch|attributes|cp1251|all]     (default 60 params)
#
# `all` shares the seconds among the four targets, two running at a time (one per core), so the
# whole takes about that long. Builds build-fuzz/ with clang and runs each target on a scratch copy
# of its corpus (tests/fuzz/corpus/<target>), so the inputs it finds stay out of the repository.
# Fails when a target finds an input that breaks it: the input is kept in the scratch folder's
# found/ (libFuzzer prints its path); add it to the corpus once the fault is mended.
# MAPBASIS_FUZZ_TRACE=1 makes the batch target print each run's exit status and message.
set -euo pipefail

all_targets=(params batch attributes cp1251)
usage() { echo "usage: $0 [seconds] [${all_targets[*]// /|}|all]" >&2; exit 2; }

seconds="${1:-60}"
target="${2:-params}"
case "$seconds" in
  ''|*[!0-9]*) usage ;;
esac
case "$target" in
  all) targets=("${all_targets[@]}") ;;
  params|batch|attributes|cp1251) targets=("$target") ;;
  *) usage ;;
esac

root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

"$root/scripts/install-deps.sh" test

# The fuzz preset of CMakePresets.json.
(cd "$root" && cmake --preset fuzz >/dev/null &&
  cmake --build --preset fuzz -j "$(nproc)" --target "${targets[@]/#/fuzz_}")

scratch="$(mktemp -d "${TMPDIR:-/tmp}/mapbasis-fuzz.XXXXXX")"
# Two targets at a time share the time: each gets its share of both cores' time.
share=$(( ${#targets[@]} > 1 ? seconds * 2 / ${#targets[@]} : seconds ))
[ "$share" -lt 1 ] && share=1
echo "fuzzing ${targets[*]} for $share s each in $scratch" >&2

# Runs one target; its output goes to <target>.log unless it runs alone.
fuzz() {
  local name=$1 dir="$scratch/$1"
  mkdir -p "$dir/corpus" "$dir/found"
  cp "$root/tests/fuzz/corpus/$name"/* "$dir/corpus/"
  (cd "$dir/found" && TMPDIR="$dir" "$build/fuzz_$name" -max_len=4096 -timeout=5 -max_total_time="$share" \
    -print_final_stats=1 "$dir/corpus")
}

failed=()
if [ ${#targets[@]} -eq 1 ]; then
  fuzz "${targets[0]}" || failed+=("${targets[0]}")
else
  for name in "${targets[@]}"; do
    # A target starts when a core is free.
    while [ "$(jobs -rp | wc -l)" -ge 2 ]; do wait -n || true; done
    (if fuzz "$name"; then echo 0; else echo 1; fi) >"$scratch/$name.log" 2>&1 &
  done
  wait
  for name in "${targets[@]}"; do
    if [ "$(tail -n 1 "$scratch/$name.log")" = 0 ]; then
      runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$scratch/$name.log")
      echo "fuzz_$name: ${runs:-?} inputs in $share s, nothing found" >&2
    else
      failed+=("$name")
      echo "fuzz_$name FOUND A FAULT; the end of its log ($scratch/$name.log):" >&2
      tail -n 40 "$scratch/$name.log" >&2
    fi
  done
fi

if [ ${#failed[@]} -eq 0 ]; then
  rm -rf "$scratch"
  exit 0
fi
echo "failing inputs and grown corpora stay in $scratch (${failed[*]})" >&2
exit 1
