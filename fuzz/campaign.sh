#!/usr/bin/env bash
# A fuzzing campaign: every harness in turn for SECONDS each, on one core,
# starting from its seeds (fuzz/corpus/<name>/ with what earlier campaigns
# kept, and its format's tests/data/ folder).
#
#   bash fuzz/campaign.sh SECONDS [HARNESS...]
#
# New inputs that reach code no kept input reaches are merged into
# fuzz/corpus/<name>/found/; every crash, leak, hang or memory blow-up goes
# to fuzz/crashes/<name>/, where the replay test wants it refused once it is
# fixed. The harness is restarted after a finding until its time is up. At
# the end a table gives executions, findings and kept inputs per harness;
# the exit status is 1 when there was any finding.
# LUMIVO_FUZZ_BUILD names the clang build folder (default build-fuzz/).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ $# -lt 1 ] || ! [[ $1 =~ ^[0-9]+$ ]]; then
  echo "usage: bash fuzz/campaign.sh SECONDS [HARNESS...]" >&2
  exit 2
fi
seconds=$1
shift

build=${LUMIVO_FUZZ_BUILD:-$root/build-fuzz}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_CXX_COMPILER=clang++ -DLUMIVO_FUZZ=ON \
  -DLUMIVO_TESTS=OFF -DLUMIVO_BENCH=OFF >/dev/null

declare -A data
names=()
while read -r name format; do
  data[$name]=$format
  names+=("$name")
done <"$build/fuzz_harnesses.txt"
if [ $# -gt 0 ]; then
  for name in "$@"; do
    [ -n "${data[$name]+set}" ] || { echo "no harness named $name" >&2; exit 2; }
  done
  names=("$@")
fi
cmake --build "$build" -j 1 --target "${names[@]/%/_fuzzer}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/fuzz/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
logs=$root/fuzz/campaign-logs
mkdir -p "$logs"

total_runs=0
total_findings=0
rows=()
for name in "${names[@]}"; do
  fuzzer=$build/fuzz/${name}_fuzzer
  corpus=$root/fuzz/corpus/$name
  crashes=$root/fuzz/crashes/$name
  mkdir -p "$corpus/found" "$crashes" "$work/$name"
  seeds=("$corpus" "$corpus/found")
  [ -n "${data[$name]}" ] && [ -d "$root/tests/data/${data[$name]}" ] && seeds+=("$root/tests/data/${data[$name]}")
  log=$logs/$name.log
  : >"$log"

  runs=0
  findings=0
  end=$((SECONDS + seconds))
  while [ $SECONDS -lt $end ]; do
    status=0
    # Slow inputs are findings only as timeouts: libFuzzer would otherwise
    # leave them among the crashes, which must all be refused.
    "$fuzzer" -max_total_time=$((end - SECONDS)) -timeout=30 -report_slow_units=30 -rss_limit_mb=2560 -print_final_stats=1 \
      -artifact_prefix="$crashes/" "$work/$name" "${seeds[@]}" >"$work/run.log" 2>&1 || status=$?
    cat "$work/run.log" >>"$log"
    # The final statistics, or after a crash the last progress line.
    executed=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$work/run.log" | tail -1 | grep -o '[0-9]*$' || true)
    [ -n "$executed" ] || executed=$(grep -o '^#[0-9]*' "$work/run.log" | tail -1 | tr -d '#' || true)
    runs=$((runs + ${executed:-0}))
    [ "$status" -eq 0 ] && break
    findings=$((findings + 1))
  done

  # Merge against everything kept so far, so that only new reach is kept.
  merged=$work/merged-$name
  mkdir -p "$merged"
  find "$corpus" -maxdepth 1 -type f -exec cp -t "$merged" {} +
  find "$corpus/found" -type f -exec cp -t "$merged" {} +
  before=$(find "$merged" -type f | wc -l)
  "$fuzzer" -merge=1 -timeout=30 -rss_limit_mb=2560 -artifact_prefix="$crashes/" "$merged" "$work/$name" \
    >>"$log" 2>&1 || echo "note: the merge of $name failed, see $log" >&2
  for file in "$merged"/*; do
    [ -e "$file" ] || continue  # nothing kept, nothing seeded
    base=${file##*/}
    [ -e "$corpus/$base" ] || [ -e "$corpus/found/$base" ] || cp "$file" "$corpus/found/"
  done
  kept=$(($(find "$merged" -type f | wc -l) - before))
  rmdir --ignore-fail-on-non-empty "$corpus/found" "$crashes"

  rows+=("$(printf '%-24s %12d %9d %6d' "$name" "$runs" "$findings" "$kept")")
  total_runs=$((total_runs + runs))
  total_findings=$((total_findings + findings))
done

echo
printf '%-24s %12s %9s %6s\n' "harness ($seconds s each)" executions findings kept
printf '%s\n' "${rows[@]}"
printf '%-24s %12d %9d\n' "all ${#names[@]}" "$total_runs" "$total_findings"
[ "$total_findings" -eq 0 ]
