#!/usr/bin/env bash
# The batch benchmark: 40 twelve-megapixel photographs to 50 % at quality 80,
# by lumivo-batch on one job and on all cores, by ImageMagick, GraphicsMagick
# and vips, by djpeg | cjpeg on one core, and against the in-process floor:
# libjpeg-turbo's own decode of every source and encode of every output on
# one core (bench/jpeg_floor_bench.cpp). Also the peak resident memory of
# lumivo-batch with one job and with all.
#
#   bash bench/batch_bench.sh [--install] [--runs N] [--count N]
#
# --install   apt-get the other tools first (imagemagick graphicsmagick libvips-tools)
# --runs N    best of N runs of each (default 1)
# --count N   photographs (default 40)
# One job is also measured with --no-sync (outputs not flushed to the disk
# before their final names), to show what durability costs.
# LUMIVO_BUILD names the build folder (default build/); the script builds
# lumivo-batch and lumivo_make_photos there. The photographs are made once
# and kept in bench/cache/batch/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

install=0
runs=1
count=40
while [ $# -gt 0 ]; do
  case $1 in
    --install) install=1 ;;
    --runs) runs=$2; shift ;;
    --count) count=$2; shift ;;
    *) echo "usage: bash bench/batch_bench.sh [--install] [--runs N] [--count N]" >&2; exit 2 ;;
  esac
  shift
done

if [ "$install" = 1 ]; then
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y imagemagick graphicsmagick libvips-tools libjpeg-turbo-progs
fi

source "$root/bench/build_batch.sh"
cmake --build "$build" --target lumivo_jpeg_floor_bench >/dev/null

photos=$root/bench/cache/batch
"$build/bench/lumivo_make_photos" "$photos" "$count" 4000 3000
files=()
for ((i = 1; i <= count; ++i)); do files+=("$(printf '%s/photo-%02d.jpg' "$photos" "$i")"); done
cat "${files[@]}" >/dev/null  # into the page cache, so that every tool reads from memory

load_before=$(cut -d' ' -f1 /proc/loadavg)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cores=$(nproc)

calc() { awk "BEGIN { print $1 }"; }
holds() { awk "BEGIN { exit !($1) }"; }

# measure NAME COMMAND...: best time of the command over the runs, each into
# an empty folder $out; notes when it did not write one JPEG per photograph.
declare -A seconds
order=()
measure() {
  local name=$1
  shift
  local best=""
  for ((run = 0; run < runs; ++run)); do
    rm -rf "$work/out"
    mkdir -p "$work/out"
    out=$work/out
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null
    end=$(date +%s.%N)
    local taken
    taken=$(calc "$end - $start")
    if [ -z "$best" ] || holds "$taken < $best"; then best=$taken; fi
  done
  local written
  written=$(find "$work/out" -name '*.jpg' | wc -l)
  [ "$written" -eq "$count" ] || echo "note: $name wrote $written of $count files" >&2
  seconds[$name]=$best
  order+=("$name")
}

have() {
  command -v "$1" >/dev/null && return 0
  echo "note: $1 is missing, skipped (bash bench/batch_bench.sh --install brings it)" >&2
  return 1
}

gm_all() {  # gm keeps the folders of the names it is given below its output folder
  (cd "$photos" && gm mogrify -output-directory "$out" -sample 50% -quality 80 "${files[@]##*/}")
}
vips_each() {
  local file
  for file in "${files[@]}"; do vips resize "$file" "$out/$(basename "$file")[Q=80]" 0.5 --kernel nearest; done
}
# One process pair per file, both on the first core.
floor_script='out=$1; shift; for file in "$@"; do djpeg "$file" | cjpeg -quality 80 >"$out/${file##*/}"; done'

one="lumivo-batch --jobs 1"
unsynced="lumivo-batch --jobs 1 --no-sync"
all="lumivo-batch, all cores ($cores)"
measure "$one" "$batch" --jobs 1 --defaults --size 50% --quality 80 --quiet --dest "$work/out" "${files[@]}"
measure "$unsynced" "$batch" --jobs 1 --no-sync --defaults --size 50% --quality 80 --quiet --dest "$work/out" "${files[@]}"
measure "$all" "$batch" --defaults --size 50% --quality 80 --quiet --dest "$work/out" "${files[@]}"
if have mogrify; then
  measure "ImageMagick mogrify -sample" mogrify -path "$work/out" -sample 50% -quality 80 "${files[@]}"
fi
if have gm; then
  measure "GraphicsMagick gm mogrify -sample" gm_all
fi
if have vips; then
  measure "vips resize --kernel nearest" vips_each
fi
if have djpeg && have cjpeg && have taskset; then
  floor="djpeg | cjpeg, one core"
  measure "$floor" taskset -c 0 bash -c "$floor_script" floor "$work/out" "${files[@]}"
fi
inprocess="floor: libjpeg-turbo in-process, one core"
seconds[$inprocess]=$("$build/bench/lumivo_jpeg_floor_bench" 50 80 "$runs" "${files[@]}")
order+=("$inprocess")

# Peak resident memory (kB) of a whole run, in a run of its own.
peak_kb() {
  rm -rf "$work/out"
  mkdir -p "$work/out"
  /usr/bin/time -f %M -o "$work/peak" "$@" >/dev/null
  cat "$work/peak"
}
peak_one=""
peak_all=""
if [ -x /usr/bin/time ]; then
  peak_one=$(peak_kb "$batch" --jobs 1 --defaults --size 50% --quality 80 --quiet --dest "$work/out" "${files[@]}")
  peak_all=$(peak_kb "$batch" --defaults --size 50% --quality 80 --quiet --dest "$work/out" "${files[@]}")
else
  echo "note: /usr/bin/time is missing, no memory figures" >&2
fi
load_after=$(cut -d' ' -f1 /proc/loadavg)

echo
echo "$count photographs of 4000 x 3000 to 50 %, quality 80 (best of $runs), $cores cores"
echo "load average: $load_before before, $load_after after"
printf '%-44s %10s %12s %10s\n' "" "seconds" "÷ all cores" "÷ floor"
for name in "${order[@]}"; do
  printf '%-44s %10.2f %12.2f %10.2f\n' "$name" "${seconds[$name]}" "$(calc "${seconds[$name]} / ${seconds[$all]}")" \
    "$(calc "${seconds[$name]} / ${seconds[$inprocess]}")"
done
if [ -n "$peak_one" ]; then
  echo
  echo "peak resident memory of lumivo-batch (MB)"
  printf '%-44s %10.1f\n' "one job" "$(calc "$peak_one / 1024")"
  printf '%-44s %10.1f\n' "all cores ($cores jobs)" "$(calc "$peak_all / 1024")"
  if [ "$cores" -gt 1 ]; then
    printf '%-44s %10.1f\n' "each further job" "$(calc "($peak_all - $peak_one) / 1024 / ($cores - 1)")"
  fi
  printf '%-44s %10.1f\n' "one output bitmap (2000 x 1500 x 3)" "$(calc "2000 * 1500 * 3 / 1048576")"
  printf '%-44s %10.1f\n' "one decoded source (4000 x 3000 x 3)" "$(calc "4000 * 3000 * 3 / 1048576")"
  printf '%-44s %10.1f\n' "largest source file" "$(calc "$(stat -c %s "${files[@]}" | sort -n | tail -1) / 1048576")"
fi

echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
check() {  # check TEXT VALUE OP LIMIT
  local verdict=missed
  holds "$2 $3 $4" && verdict=met
  printf '%-62s %6.2f  %s\n' "$1" "$2" "$verdict"
}
check "one job against --no-sync (syncing stays on up to 1.10)" \
  "$(calc "${seconds[$one]} / ${seconds[$unsynced]}")" "<=" 1.10
check "all cores against one job (target: at least 1.8 on two cores)" \
  "$(calc "${seconds[$one]} / ${seconds[$all]}")" ">=" 1.8
if [ -n "${seconds["ImageMagick mogrify -sample"]:-}" ]; then
  check "mogrify against all cores (target: at least 2)" \
    "$(calc "${seconds["ImageMagick mogrify -sample"]} / ${seconds[$all]}")" ">=" 2
fi
if [ -n "${floor:-}" ]; then
  check "one job against djpeg | cjpeg on one core (target: at most 1.3)" \
    "$(calc "${seconds[$one]} / ${seconds[$floor]}")" "<=" 1.3
fi
check "one job / in-process floor (target: at most 1.15)" "$(calc "${seconds[$one]} / ${seconds[$inprocess]}")" "<=" 1.15
check "all cores / in-process floor (target: at most 0.60 on 2 cores)" \
  "$(calc "${seconds[$all]} / ${seconds[$inprocess]}")" "<=" 0.60
fastest=""
for other in "ImageMagick mogrify -sample" "GraphicsMagick gm mogrify -sample" "vips resize --kernel nearest"; do
  [ -n "${seconds[$other]:-}" ] || continue
  if [ -z "$fastest" ] || holds "${seconds[$other]} < ${seconds[$fastest]}"; then fastest=$other; fi
done
if [ -n "$fastest" ]; then
  check "all cores / fastest other tool, $fastest (target: at most 0.5)" \
    "$(calc "${seconds[$all]} / ${seconds[$fastest]}")" "<=" 0.5
fi
