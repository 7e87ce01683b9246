#!/usr/bin/env bash
# Times gallery image production (a 750x500 photo at Q90 and a 160x120 thumbnail at Q80 per
# source) against vipsthumbnail, ImageMagick and a JPEG decode floor, all with the same number
# of parallel workers, on camera-like 6000x4000 JPEGs generated under bench/data/.
#
#   bench/run.sh [-j WORKERS] [-n IMAGES] [-r REPEATS]
#
# Wall time is the best of REPEATS runs (ImageMagick: one run). Peak memory is GNU time's
# maximum resident set size: for lumarc the whole process with all its workers, for the
# xargs-driven tools the largest single child process.
set -euo pipefail

workers=2
count=24
repeats=3
while getopts "j:n:r:" opt; do
  case $opt in
    j) workers=$OPTARG ;;
    n) count=$OPTARG ;;
    r) repeats=$OPTARG ;;
    *) echo "usage: $0 [-j WORKERS] [-n IMAGES] [-r REPEATS]" >&2; exit 2 ;;
  esac
done

source "$(dirname "$0")/common.sh"
data=$root/bench/data
in=$data/in
out=$data/out
build=build/bench
lumarc=build/release/src/lumarc
magick=/usr/bin/convert   # /usr/local/bin/convert is not ImageMagick

require_tools vipsthumbnail djpeg "$magick" /usr/bin/time cmake ninja

echo "== building lumarc_bench (Release) in $build"
bench_drivers "$build" lumarc_bench
bench_exe=$build/lumarc_bench
# The command line as users run it: a release build's, else built here with the driver.
if [ ! -x "$lumarc" ] && cmake --build "$build" --target lumarc >/dev/null 2>&1; then
  lumarc=$build/lumarc/src/lumarc
fi

echo "== test set: $count JPEGs of 6000x4000, quality 92, in $in"
"$bench_exe" generate "$in" "$count" 6000 4000 92 10
mapfile -t sources < <(find "$in" -maxdepth 1 -name 'IMG_*.jpg' | sort | head -n "$count")
[ "${#sources[@]}" -eq "$count" ] || { echo "run.sh: expected $count sources" >&2; exit 1; }
cat "${sources[@]}" >/dev/null   # every tool starts from a warm file cache
printf '%s\n' "${sources[@]}" >"$data/list.txt"

# measure NAME REPEATS COMMAND...: best wall time (s) and the peak RSS (kB) of that run.
declare -A wall peak
measure() {
  local name=$1 runs=$2; shift 2
  local best="" best_mem="" stats
  stats=$(mktemp)
  for ((i = 0; i < runs; i++)); do
    rm -rf "${out:?}/$name"; mkdir -p "$out/$name/photos" "$out/$name/thumbs"
    if ! /usr/bin/time -f "%e %M" -o "$stats" "$@" >/dev/null 2>"$out/$name.log"; then
      echo "run.sh: $name failed, see $out/$name.log" >&2; rm -f "$stats"; return 1
    fi
    read -r secs mem <"$stats"
    if [ -z "$best" ] || awk "BEGIN{exit !($secs < $best)}"; then best=$secs; best_mem=$mem; fi
  done
  rm -f "$stats"
  wall[$name]=$best; peak[$name]=$best_mem
  printf '   %-14s %8.2f s\n' "$name" "$best"
}

echo "== timing with $workers workers"
measure lumarc_bench "$repeats" "$bench_exe" make "$in" "$out/lumarc_bench" -j "$workers"
if [ -x "$lumarc" ] && "$lumarc" build --help >/dev/null 2>&1; then
  echo "   (lumarc: $lumarc)"
  measure lumarc "$repeats" "$lumarc" build "$in" -o "$out/lumarc" --yes -j "$workers" -q
fi
measure vipsthumbnail "$repeats" xargs -a "$data/list.txt" -P "$workers" -I{} bench/vipsthumbnail-one.sh {} "$out/vipsthumbnail"
measure imagemagick 1 xargs -a "$data/list.txt" -P "$workers" -I{} bench/convert-one.sh "$magick" {} "$out/imagemagick"
measure decode-floor "$repeats" xargs -a "$data/list.txt" -P "$workers" -I{} sh -c 'djpeg -scale 1/8 "$1" >/dev/null' _ {}

ours=lumarc_bench
[ -n "${wall[lumarc]:-}" ] && ours=lumarc

echo
printf '%-14s %9s %10s %10s %14s\n' tool "wall s" "ms/image" "peak MB" "$ours speed-up"
for name in lumarc lumarc_bench vipsthumbnail imagemagick decode-floor; do
  [ -n "${wall[$name]:-}" ] || continue
  awk -v n="$name" -v w="${wall[$name]}" -v m="${peak[$name]}" -v c="$count" -v o="${wall[$ours]}" \
    'BEGIN { printf "%-14s %9.2f %10.1f %10.1f %13.2fx\n", n, w, 1000*w/c, m/1024, w/o }'
done

echo
check() {  # check DESCRIPTION AWK-CONDITION
  if awk "BEGIN{exit !($2)}"; then echo "PASS  $1"; else echo "FAIL  $1"; fi
}
o=${wall[$ours]}
check ">= 1.8x vipsthumbnail's throughput ($(awk "BEGIN{printf \"%.2f\", ${wall[vipsthumbnail]}/$o}")x)" \
  "${wall[vipsthumbnail]} / $o >= 1.8"
check ">= 8x ImageMagick's throughput ($(awk "BEGIN{printf \"%.1f\", ${wall[imagemagick]}/$o}")x)" \
  "${wall[imagemagick]} / $o >= 8"
check "<= 2x the decode floor's time ($(awk "BEGIN{printf \"%.2f\", $o/${wall[decode-floor]}}")x)" \
  "$o / ${wall[decode-floor]} <= 2"
check "peak memory < 300 MB ($(awk "BEGIN{printf \"%.0f\", ${peak[$ours]}/1024}") MB)" "${peak[$ours]} < 300 * 1024"
