#!/usr/bin/env bash
# Peak resident memory of lumivo-batch against the number of files: batches
# of small files and of twelve-megapixel photographs, each at two counts,
# on one job and on all cores. The peak must not grow with the count.
#
#   bash bench/memory_bench.sh [--small N] [--large N]
#
# --small N   small files (160 x 120) in the larger batch (default 10000)
# --large N   photographs (4000 x 3000) in the larger batch (default 200)
# Each kind also runs at a tenth of its count (at least 1). The files are
# copies of one picture each (made once in bench/cache/memory/): links would
# be one source to lumivo-batch, which converts a file once under any name.
# LUMIVO_BUILD names the build folder (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

small=10000
large=200
while [ $# -gt 0 ]; do
  case $1 in
    --small) small=$2; shift ;;
    --large) large=$2; shift ;;
    *) echo "usage: bash bench/memory_bench.sh [--small N] [--large N]" >&2; exit 2 ;;
  esac
  shift
done

source "$root/bench/build_batch.sh"

cache=$root/bench/cache/memory
"$build/bench/lumivo_make_photos" "$cache/small" 1 160 120
"$build/bench/lumivo_make_photos" "$cache/large" 1 4000 3000

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cores=$(nproc)

# batch KIND COUNT: a folder of COUNT copies of the KIND picture.
batch_of() {
  local folder=$work/$1-$2
  if [ ! -d "$folder" ]; then
    mkdir -p "$folder"
    for ((i = 0; i < $2; ++i)); do cp "$cache/$1/photo-01.jpg" "$folder/$(printf 'bild%05d.jpg' "$i")"; done
  fi
  echo "$folder"
}

printf '%-8s %7s %6s %14s %9s\n' kind files jobs "peak RSS (MB)" seconds
for kind in small large; do
  full=$small
  [ "$kind" = large ] && full=$large
  tenth=$((full / 10 > 0 ? full / 10 : 1))
  for count in "$tenth" "$full"; do
    folder=$(batch_of "$kind" "$count")
    for jobs in 1 "$cores"; do
      rm -rf "$work/out"
      /usr/bin/time -f '%M %e' -o "$work/time" "$batch" --jobs "$jobs" --defaults --size 50% --quality 80 --quiet \
        --dest "$work/out" "$folder" >/dev/null
      read -r kilobytes seconds <"$work/time"
      written=$(find "$work/out" -name '*.jpg' | wc -l)
      [ "$written" -eq "$count" ] || echo "note: $written of $count files written" >&2
      printf '%-8s %7d %6d %14.1f %9.2f\n' "$kind" "$count" "$jobs" "$(awk "BEGIN { print $kilobytes / 1024 }")" "$seconds"
    done
  done
  rm -rf "$work/$kind-"*
done
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
