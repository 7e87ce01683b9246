# Sourced by the benchmark scripts: moves to the repository root (as $root) and offers the
# checks and builds they share.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"

# require_tools TOOL...: stops with a message naming the first tool that is missing.
require_tools() {
  local tool
  for tool; do
    command -v "$tool" >/dev/null || { echo "$(basename "$0"): $tool is missing (scripts/install-deps.sh)" >&2; exit 1; }
  done
}

# release_lumarc BUILD_DIR: brings the release lumarc in BUILD_DIR up to date, configuring
# the folder first when it holds no build yet. The build always runs, so that nothing is
# measured on a binary older than the sources.
release_lumarc() {
  echo "== building lumarc (Release) in $1"
  if [ ! -f "$1/CMakeCache.txt" ]; then
    cmake --preset release -B "$1" >/dev/null
  fi
  cmake --build "$1" --target lumarc >/dev/null
}

# bench_drivers BUILD_DIR TARGET...: builds the benchmark drivers (bench/CMakeLists.txt) in
# release mode into BUILD_DIR.
bench_drivers() {
  local build=$1; shift
  cmake -S bench -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target "$@" >/dev/null
}
