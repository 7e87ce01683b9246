#!/usr/bin/env bash
# The first build of phone photos against the JPEG decode floor: image production (the
# release driver's makeImages(), default sizes) against djpeg decoding every photo at the
# scale the large image needs, both two at a time. 12 MP phone photos (4000x2667) need
# -scale 1/4 and are then reduced to 750x500; 24 MP photos (6000x4000) decode straight to
# 750x500 at -scale 1/8.
#
#   bench/phone.sh [-n IMAGES] [-r ROUNDS] [-j WORKERS]
#
# The photos are made once under bench/data/phone from the sample photograph that
# scripts/install-deps.sh installs, as a phone writes them: 4:2:0 chroma, quality 90, light
# sensor noise. The two sides run in turn, ROUNDS times; each round's ratio is printed and
# the median judged, since the machine may be shared. CPU seconds (user + system) are shown
# beside the wall time: they suffer less from other work on the machine.
set -euo pipefail

count=36
rounds=5
workers=2
while getopts "n:r:j:" opt; do
  case $opt in
    n) count=$OPTARG ;;
    r) rounds=$OPTARG ;;
    j) workers=$OPTARG ;;
    *) echo "usage: $0 [-n IMAGES] [-r ROUNDS] [-j WORKERS]" >&2; exit 2 ;;
  esac
done

source "$(dirname "$0")/common.sh"
build=build/bench
data=$root/bench/data/phone
photo=/usr/share/backgrounds/mate/abstract/Elephants_5640x3172.jpg

require_tools djpeg vips cmake ninja /usr/bin/time
[ -f "$photo" ] || { echo "phone.sh: $photo is missing (scripts/install-deps.sh)" >&2; exit 1; }

echo "== building lumarc_bench (Release) in $build"
bench_drivers "$build" lumarc_bench

# make_set NAME WIDTH HEIGHT: COUNT copies of the sample photograph cut to 3:2 and scaled to
# WIDTH x HEIGHT, with noise of sigma 3, as 4:2:0 JPEGs of quality 90.
make_set() {
  local dir=$data/$1 w=$2 h=$3 tmp
  mkdir -p "$dir"
  if [ ! -f "$dir/IMG_1000.jpg" ]; then
    tmp=$(mktemp -d)
    vips crop "$photo" "$tmp/crop.v" 441 0 4758 3172
    vips resize "$tmp/crop.v" "$tmp/sized.v" "$(awk -v w="$w" 'BEGIN{print (w + 0.5) / 4758}')"
    vips extract_area "$tmp/sized.v" "$tmp/cut.v" 0 0 "$w" "$h"
    vips gaussnoise "$tmp/noise.v" "$w" "$h" --sigma 3
    vips add "$tmp/cut.v" "$tmp/noise.v" "$tmp/sum.v"
    vips cast "$tmp/sum.v" "$tmp/photo.v" uchar
    vips copy "$tmp/photo.v" "$dir/IMG_1000.jpg[Q=90,subsample_mode=on,strip]"
    rm -rf "$tmp"
  fi
  for ((i = 1; i < count; i++)); do
    [ -f "$dir/IMG_$((1000 + i)).jpg" ] || cp "$dir/IMG_1000.jpg" "$dir/IMG_$((1000 + i)).jpg"
  done
  find "$dir" -maxdepth 1 -name 'IMG_*.jpg' | sort | head -n "$count" >"$data/$1.list"
  xargs -a "$data/$1.list" cat >/dev/null   # both sides start from a warm file cache
}

# timed COMMAND...: prints "wall cpu" in seconds.
timed() {
  local stats
  stats=$(mktemp)
  /usr/bin/time -f "%e %U %S" -o "$stats" "$@" >/dev/null 2>&1 || { echo "phone.sh: $* failed" >&2; exit 1; }
  awk '{ printf "%s %.2f\n", $1, $2 + $3 }' "$stats"
  rm -f "$stats"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# compare NAME SCALE: ROUNDS rounds of djpeg then lumarc_bench; prints each and the medians.
declare -A result
compare() {
  local name=$1 scale=$2 walls="" cpus="" out=$data/out
  echo "== $name: $count photos, $workers at a time, djpeg -scale 1/$scale"
  for ((r = 1; r <= rounds; r++)); do
    read -r fw fc < <(timed xargs -a "$data/$name.list" -P "$workers" -I{} djpeg -scale "1/$scale" -outfile /dev/null {})
    rm -rf "$out"
    read -r lw lc < <(timed "$build/lumarc_bench" make "$data/$name" "$out" -j "$workers")
    printf '   round %d: djpeg %5.2f s (cpu %5.2f)  lumarc %5.2f s (cpu %5.2f)  ratio %.2fx (cpu %.2fx)\n' \
      "$r" "$fw" "$fc" "$lw" "$lc" "$(awk -v a="$lw" -v b="$fw" 'BEGIN{print a/b}')" "$(awk -v a="$lc" -v b="$fc" 'BEGIN{print a/b}')"
    walls+="$(awk -v a="$lw" -v b="$fw" 'BEGIN{print a/b}')"$'\n'
    cpus+="$(awk -v a="$lc" -v b="$fc" 'BEGIN{print a/b}')"$'\n'
  done
  result[$name]=$(printf '%s' "$walls" | median)
  printf '   median ratio %.2fx (cpu %.2fx)\n' "${result[$name]}" "$(printf '%s' "$cpus" | median)"
}

make_set phone12 4000 2667
make_set phone24 6000 4000
compare phone12 4
compare phone24 8

echo
if awk -v r="${result[phone12]}" 'BEGIN{exit !(r <= 1.6)}'; then s=PASS; else s=FAIL; fi
printf '%s  12 MP first build within 1.6x of the decode floor (%.2fx; 24 MP: %.2fx)\n' "$s" "${result[phone12]}" "${result[phone24]}"
