#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the unit, command-line
# and browser tests, the core tests again under the address and undefined-behaviour
# sanitizers, and a bounded fuzzing run of the file parsers.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake --preset asan -DLUMARC_WERROR=$werror >/dev/null
cmake --build --preset asan --target lumarc_core_tests
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 build/asan/tests/lumarc_core_tests --gtest_brief=1

echo "== fuzzing the project, settings and text parsers"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target lumarc_fuzz_files
mkdir -p build/fuzz/corpus
build/fuzz/tests/fuzz/lumarc_fuzz_files -max_total_time="${LUMARC_FUZZ_SECONDS:-60}" -runs=2000000 -timeout=10 \
    -rss_limit_mb=2048 -artifact_prefix=build/fuzz/ -print_final_stats=1 build/fuzz/corpus tests/fuzz/corpus 2>&1 | tail -n 12

echo "== build and test (debug)"
cmake --preset dev -DLUMARC_WERROR=$werror >/dev/null
cmake --build --preset dev
# The Debian package takes minutes more: on CI, or with LUMARC_PACKAGE_TEST=1.
ctest --preset dev -LE package
if [ "${LUMARC_PACKAGE_TEST:-}" = "1" ] || [ "${CI:-}" = "true" ]; then
    echo "== the Debian package"
    ctest --preset dev -L package
fi

