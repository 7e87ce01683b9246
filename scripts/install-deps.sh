#!/usr/bin/env bash
# Installs every Debian 12 package that Lumarc needs to build, run, test and benchmark.
# Idempotent: when all packages are present it does nothing (no apt-get update either).
set -euo pipefail

packages=(
  # toolchain
  g++ cmake ninja-build pkg-config clang libclang-rt-14-dev
  # libraries
  qt6-base-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools libvips-dev libgtest-dev
  # viewer scripts embedded into every gallery
  libjs-prototype libjs-scriptaculous
  # sample photographs for the demo gallery
  mate-backgrounds
  # browser test and screenshots
  chromium nodejs xvfb xauth
  # a case-insensitive file system for the tests (FUSE)
  fuse3 libfuse2 python3-fusepy
  # the icon's bitmaps, drawn from its SVG at build time
  librsvg2-bin
  # the Debian package and the checks of what gets installed
  debhelper dpkg-dev fakeroot lintian desktop-file-utils appstream shared-mime-info
  libglib2.0-bin groff-base
  # benchmark comparison tools
  libvips-tools imagemagick libjpeg-turbo-progs time
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}" >&2
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
# npm ships with the nodejs package here; the browser test needs it.
command -v npm >/dev/null || $SUDO apt-get install -y -qq --no-install-recommends npm >/dev/null
