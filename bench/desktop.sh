#!/usr/bin/env bash
# The desktop program's heavy paths, timed through the window's own code without a display:
# adding camera-size JPEGs (against the JPEG decode floor, djpeg -scale 1/8, with as many
# processes as the window has preview workers), the longest stall of the window's event
# loop while adding and while building, and a 10,000-image grid.
#
#   bench/desktop.sh [-n IMAGES] [-g GRID_IMAGES]
#
# Uses the release build of bench/run.sh (build/bench) and generates the pictures (6000x4000,
# quality 92) under bench/data/desktop.
set -euo pipefail

count=96
grid=10000
while getopts "n:g:" opt; do
  case $opt in
    n) count=$OPTARG ;;
    g) grid=$OPTARG ;;
    *) echo "usage: $0 [-n IMAGES] [-g GRID_IMAGES]" >&2; exit 2 ;;
  esac
done

source "$(dirname "$0")/common.sh"
build=build/bench
in=$root/bench/data/desktop
workers=$(nproc)

require_tools djpeg cmake ninja /usr/bin/time

echo "== building the benchmark drivers (Release) in $build"
bench_drivers "$build" lumarc_bench lumarc_bench_desktop

echo "== test set: $count JPEGs of 6000x4000, quality 92, in $in"
"$build/lumarc_bench" generate "$in" "$count" 6000 4000 92 10
cat "$in"/*.jpg >/dev/null   # both start from a warm file cache

echo "== adding $count images through the window ($workers preview workers)"
add_line=$("$build/lumarc_bench_desktop" add "$in" | tail -n 1)
echo "   $add_line"
add_secs=$(echo "$add_line" | sed -E 's/.* in ([0-9.]+) s.*/\1/')

echo "== decode floor: djpeg -scale 1/8, $workers processes"
start=$(date +%s.%N)
find "$in" -maxdepth 1 -name '*.jpg' -print0 | xargs -0 -P "$workers" -I{} sh -c 'djpeg -scale 1/8 "$1" >/dev/null' _ {}
end=$(date +%s.%N)
floor=$(awk -v a="$start" -v b="$end" 'BEGIN{printf "%.2f", b - a}')
echo "   $floor s"

echo "== building the gallery from the window"
out=$root/bench/data/desktop-out
rm -rf "$out"
"$build/lumarc_bench_desktop" build "$in" "$out" | sed 's/^/   /'

echo "== a grid of $grid images"
/usr/bin/time -f "   peak %M kB" "$build/lumarc_bench_desktop" grid "$grid" 2>&1 | sed 's/^grid/   grid/'

echo
ratio=$(awk -v a="$add_secs" -v f="$floor" 'BEGIN{printf "%.2f", a / f}')
if awk "BEGIN{exit !($ratio <= 2.5)}"; then verdict=PASS; else verdict=FAIL; fi
echo "$verdict  adding within 2.5x of the decode floor (${ratio}x)"
