#!/usr/bin/env bash
# Runs the viewer's browser test: installs the pinned node packages on first use, then
#   run.sh LUMARC_EXE WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ ! -d "$here/node_modules/playwright-core" ]; then
    npm ci --prefix "$here" --no-audit --no-fund --loglevel=error
fi
exec node "$here/viewer.test.mjs" "$@"
