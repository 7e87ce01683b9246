#!/usr/bin/env bash
# Installs what is missing, builds lumarc and runs it with the given arguments.
# Without arguments it makes the demo gallery from the bundled sample photographs.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target lumarc >/dev/null

lumarc=build/release/src/lumarc
if [ $# -gt 0 ]; then
    exec "$lumarc" "$@"
fi

# The demo: twelve photographs from Debian's mate-backgrounds, with titles, tooltips and
# links in examples/nature.zeb (made from examples/nature.txt with 'lumarc import').
echo "Making the demo gallery from examples/nature.zeb into ./gallery ..." >&2
"$lumarc" build examples/nature.zeb -o gallery --yes
echo "Open gallery/zeb.html in a web browser to see it." >&2
