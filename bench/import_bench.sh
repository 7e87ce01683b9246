#!/usr/bin/env bash
# Times 'lumarc import' of generated text lists with the release build: N blocks naming N
# distinct files, and N blocks naming files with one file name in N folders (every output
# name after the first needs a number). Both should grow linearly with N; before the image
# list kept indexes, 4,000 blocks of one file name took 22 s and 100,000 distinct ones 21 s.
#
#   bench/import_bench.sh [-n BLOCKS] [-r REPEATS] [-b BUILD_DIR]
#
# Wall time is the best of REPEATS runs; peak memory is GNU time's maximum resident set size.
# The release build is configured and built (target lumarc only) when it is missing.
set -euo pipefail

count=100000
repeats=3
build=build/release
while getopts "n:r:b:" opt; do
  case $opt in
    n) count=$OPTARG ;;
    r) repeats=$OPTARG ;;
    b) build=$OPTARG ;;
    *) echo "usage: $0 [-n BLOCKS] [-r REPEATS] [-b BUILD_DIR]" >&2; exit 2 ;;
  esac
done

source "$(dirname "$0")/common.sh"
require_tools /usr/bin/time cmake ninja
release_lumarc "$build"
lumarc=$build/src/lumarc

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# One block per line of awk output, as 'lumarc export' writes them (CR LF line ends).
write_list() {  # $1: distinct|same  $2: file
  awk -v n="$count" -v kind="$1" 'BEGIN {
    ORS = "\r\n"
    for (i = 0; i < n; i++) {
      path = kind == "distinct" ? sprintf("/photos/img%07d.jpg", i) : sprintf("/photos/%07d/a.jpg", i)
      print "{"; print "path=" path; print "title=Title " i; print "tooltip="; print "url="
      print "url_text="; print "open=blank"; print "}"; print ""
    }
  }' > "$2"
}

# Best wall time of the repeats and the peak memory of that run.
time_import() {  # $1: list file
  local best="" best_kb="" seconds kb
  for ((r = 0; r < repeats; r++)); do
    rm -f "$work/p.zeb"
    /usr/bin/time -f "%e %M" -o "$work/time" "$lumarc" import "$1" "$work/p.zeb" >/dev/null
    read -r seconds kb < "$work/time"
    if [ -z "$best" ] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
      best_kb=$kb
    fi
  done
  printf '%8s s  %8d KB peak\n' "$best" "$best_kb"
}

echo "== lumarc import, $count blocks, best of $repeats ($lumarc)"
for kind in distinct same; do
  write_list "$kind" "$work/$kind.txt"
  printf '%-10s' "$kind"
  time_import "$work/$kind.txt"
done
# The last import's names: the one-name list must end in a_<count-1>.
"$lumarc" info "$work/p.zeb" --json | grep -o '"output_name": "[^"]*"' | tail -n 1
