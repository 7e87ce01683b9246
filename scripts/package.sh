#!/usr/bin/env bash
# Builds a Debian package of the current work tree (committed or not) with Debian's own
# tools, checks it with lintian and prints the package's path as its last line.
# Everything it writes lies in build/package/: the copied tree, the build and the .deb.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build/package
src=$out/src

rm -rf "$out"
mkdir -p "$src"
# The tracked and new files as they are now, without what the package does not build.
git ls-files -z --cached --others --exclude-standard -- . ':!:bench' ':!:tests' |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"

# Objects already compiled with the same flags come from the cache. debhelper gives the
# build a HOME of its own, so the cache is named here.
if command -v ccache >/dev/null; then
    export CMAKE_CXX_COMPILER_LAUNCHER=ccache
    CCACHE_DIR=$(ccache -k cache_dir)
    export CCACHE_DIR
fi
export DEB_BUILD_OPTIONS="nocheck parallel=${LUMARC_PACKAGE_JOBS:-2}"
echo "package: building in $src (log: $out/build.log)" >&2
if ! (cd "$src" && dpkg-buildpackage -us -uc -b) >"$out/build.log" 2>&1; then
    tail -n 40 "$out/build.log" >&2
    echo "package: dpkg-buildpackage failed" >&2
    exit 1
fi

changes=$(ls "$out"/lumarc_*.changes)
deb=$(ls "$out"/lumarc_*.deb)
echo "== lintian" >&2
lintian --fail-on error --info "$changes" >&2
echo "$deb"
