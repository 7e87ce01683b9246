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

photos=/usr/share/backgrounds/mate/nature
echo "Making the demo gallery from $photos into ./gallery ..." >&2
"$lumarc" build "$photos" -o gallery --yes --settings examples/demo.zes
echo "Open gallery/index.html in a web browser to see it." >&2
