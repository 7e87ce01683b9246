#!/usr/bin/env bash
# Peak memory of `lumarc build` on a decompression bomb: a tiny interlaced PNG of 17000 x 17000
# pixels (under the pixel limit), which libvips cannot stream and so decodes whole. Four copies
# with four workers show whether parallel workers multiply the decode's memory; one copy with
# one worker is the baseline.
#
#   bench/memory_bomb.sh [-b BUILD_DIR] [-l LUMARC] [-s SIDE] [-j WORKERS]
#
# BUILD_DIR (default build/release) is configured with the release preset and only the lumarc
# target is built there; -l runs a given lumarc binary instead, e.g. an older build kept for
# comparison. Peak memory is GNU time's maximum resident set size of the whole process.
set -euo pipefail

build=build/release
lumarc=""
side=17000
workers=4
while getopts "b:l:s:j:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    l) lumarc=$OPTARG ;;
    s) side=$OPTARG ;;
    j) workers=$OPTARG ;;
    *) echo "usage: $0 [-b BUILD_DIR] [-l LUMARC] [-s SIDE] [-j WORKERS]" >&2; exit 2 ;;
  esac
done

source "$(dirname "$0")/common.sh"
data=$root/bench/data/bomb

require_tools vips /usr/bin/time cmake ninja

if [ -z "$lumarc" ]; then
  release_lumarc "$build"
  lumarc=$build/src/lumarc
fi
[ -x "$lumarc" ] || { echo "memory_bomb.sh: $lumarc is not executable" >&2; exit 1; }

mkdir -p "$data"
bomb=$data/bomb-$side.png
if [ ! -f "$bomb" ]; then
  echo "== making an interlaced ${side}x${side} PNG"
  vips black "$data/black.v" "$side" "$side" --bands 3
  vips pngsave "$data/black.v" "$bomb" --interlace
  rm -f "$data/black.v"
fi
copies=()
for name in a b c d; do
  cp "$bomb" "$data/$name.png"
  copies+=("$data/$name.png")
done
printf '   %s: %s bytes, %s x %s pixels\n' "$(basename "$bomb")" "$(stat -c %s "$bomb")" "$side" "$side"

# run TAG LABEL WORKERS FILE...: peak RSS (MB), wall time and exit status of one build.
run() {
  local tag=$1 label=$2 jobs=$3; shift 3
  local out=$data/out-$tag stats status=0
  stats=$(mktemp)
  rm -rf "$out"
  /usr/bin/time -v -o "$stats" "$lumarc" build "$@" -o "$out" -y -j "$jobs" -q >/dev/null \
    2>"$data/$tag.log" || status=$?
  awk -v label="$label" -v status="$status" -F': ' '
    /Maximum resident set size/ { peak = $2 }
    /Elapsed \(wall clock\)/ { wall = $2 }
    END { printf "   %-22s %10.1f %12s %6d\n", label, peak / 1024, wall, status }' "$stats"
  rm -f "$stats"
}

echo "== $lumarc"
printf '   %-22s %10s %12s %6s\n' run "peak MB" "wall" "exit"
run one "1 image, 1 worker" 1 "${copies[0]}"
run four "4 images, $workers workers" "$workers" "${copies[@]}"
echo "   (stderr of each run: $data/*.log)"
