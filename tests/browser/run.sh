#!/usr/bin/env bash
# Runs a browser test (the viewer's unless another script is named): installs the pinned
# node packages on first use, then
#   run.sh [SCRIPT.mjs] LUMARC_EXE WORK_DIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
if [ ! -d "$here/node_modules/playwright-core" ]; then
    npm ci --prefix "$here" --no-audit --no-fund --loglevel=error
fi
script=viewer.test.mjs
case "${1:-}" in *.mjs) script="$1"; shift ;; esac
exec node "$here/$script" "$@"
