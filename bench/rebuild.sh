#!/usr/bin/env bash
# Times rebuilds of a gallery against its first build, through `lumarc build` as users run it:
#  - N camera-like photos: the first build, a rebuild with no change, and a rebuild after one
#    photo was replaced, against a build of that one photo alone;
#  - M small images: a rebuild with no change, its wall time and peak memory.
#
#   bench/rebuild.sh [-l LUMARC] [-n PHOTOS] [-s WIDTHxHEIGHT] [-m SMALL] [-j WORKERS]
#
# Peak memory is GNU time's maximum resident set size. One run each: the numbers are as noisy
# as the machine is busy.
set -euo pipefail

count=96
size=6000x4000
small=10000
workers=2
lumarc=
while getopts "l:n:s:m:j:" opt; do
  case $opt in
    l) lumarc=$OPTARG ;;
    n) count=$OPTARG ;;
    s) size=$OPTARG ;;
    m) small=$OPTARG ;;
    j) workers=$OPTARG ;;
    *) echo "usage: $0 [-l LUMARC] [-n PHOTOS] [-s WIDTHxHEIGHT] [-m SMALL] [-j WORKERS]" >&2; exit 2 ;;
  esac
done

source "$(dirname "$0")/common.sh"
require_tools /usr/bin/time cmake ninja awk
data=$root/bench/data/rebuild
build=build/bench
echo "== building lumarc_bench (Release) in $build"
bench_drivers "$build" lumarc_bench
bench_exe=$build/lumarc_bench
if [ -z "$lumarc" ]; then
  # The command line built with the driver, from the same Release objects.
  cmake --build "$build" --target lumarc >/dev/null
  lumarc=$build/lumarc/src/lumarc
fi

width=${size%x*}
height=${size#*x}
photos=$data/photos-$size
$bench_exe generate "$photos" "$count" "$width" "$height" 92 6
$bench_exe generate "$data/other-$size" 1 "$width" "$height" 92 9

# timed LABEL ARGS...: runs lumarc build ARGS quietly; sets $secs and $peak (MB).
timed() {
  local label=$1; shift
  local stats=$data/time.txt
  /usr/bin/time -o "$stats" -f "%e %M" "$lumarc" build "$@" -y -q -j "$workers" >/dev/null || true
  read -r secs peak < "$stats"
  peak=$(( peak / 1024 ))
  printf "%-34s %8.2f s %6d MB\n" "$label" "$secs" "$peak"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "inf" }'; }

out=$data/out-$size
rm -rf "$out" "$data/one"
echo "== $count photos of $size, $workers workers"
timed "first build" "$photos" -o "$out"; first=$secs
timed "rebuild, no change" "$photos" -o "$out"; same=$secs
victim=$(ls "$photos" | head -1)
cp "$photos/$victim" "$data/$victim.keep"
cp "$data/other-$size/IMG_1000.jpg" "$photos/$victim"
timed "rebuild, one photo replaced" "$photos" -o "$out"; one=$secs
mv "$data/$victim.keep" "$photos/$victim"
mkdir -p "$data/one-in" && cp "$data/other-$size/IMG_1000.jpg" "$data/one-in/$victim"
timed "that photo alone" "$data/one-in" -o "$data/one"; alone=$secs
echo "first build / no-change rebuild:   $(ratio "$first" "$same")x"
echo "one replaced / that photo alone:   $(ratio "$one" "$alone")x"

if [ "$small" -gt 0 ]; then
  echo "== $small small images"
  $bench_exe generate "$data/small" "$small" 64 48 90 0
  rm -rf "$data/small-out"
  timed "first build" "$data/small" -o "$data/small-out"
  timed "rebuild, no change" "$data/small" -o "$data/small-out"
fi
