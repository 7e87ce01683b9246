#!/usr/bin/env bash
# The link verifier dialog against a local server whose every answer takes a second: 200 web links,
# checked 8 at a time, should take about 200 / 8 = 25 s. Passes within 1.5x of that; the
# longest stall of the dialog's event loop shows that it repaints throughout.
#
#   bench/verify.sh [-b BUILD_DIR] [-n LINKS] [-d DELAY_MS]
#
# BUILD_DIR (default build/bench) gets a release build of the benchmark drivers. Nothing
# leaves the machine: the server listens on 127.0.0.1 to 127.0.0.4.
set -euo pipefail

build=build/bench
links=200
delay=1000
while getopts "b:n:d:" opt; do
  case $opt in
    b) build=$OPTARG ;;
    n) links=$OPTARG ;;
    d) delay=$OPTARG ;;
    *) echo "usage: $0 [-b BUILD_DIR] [-n LINKS] [-d DELAY_MS]" >&2; exit 2 ;;
  esac
done

source "$(dirname "$0")/common.sh"

require_tools cmake ninja

echo "== building lumarc_bench_verify (Release) in $build"
bench_drivers "$build" lumarc_bench_verify

echo "== $links links, $delay ms per answer"
line=$(QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build/lumarc_bench_verify" "$links" "$delay")
echo "   $line"

ratio=$(echo "$line" | sed -E 's/.*, ([0-9.]+)x;.*/\1/')
if awk "BEGIN{exit !($ratio <= 1.5)}"; then verdict=PASS; else verdict=FAIL; fi
echo
echo "$verdict  link checks within 1.5x of $links / 8 answers in a row (${ratio}x)"
[ "$verdict" = PASS ]
