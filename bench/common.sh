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

# release_lumarc BUILD_DIR: builds the release lumarc into BUILD_DIR unless it is there.
release_lumarc() {
  if [ ! -x "$1/src/lumarc" ]; then
    echo "== building lumarc (Release) in $1"
    cmake --preset release -B "$1" >/dev/null
    cmake --build "$1" --target lumarc >/dev/null
  fi
}
