#!/usr/bin/env bash
# What a user gets from installing Lumarc.
#   install_test.sh install BUILD_DIR SOURCE_DIR VERSION
#       installs BUILD_DIR into a temporary prefix and checks the files, the installed
#       program run far from the source tree, the desktop entry, AppStream data, file
#       types and manual page, and that every place naming the version agrees.
#   install_test.sh package SOURCE_DIR VERSION
#       builds the Debian package with scripts/package.sh (lintian errors fail it there)
#       and checks its version and its dependencies.
set -uo pipefail

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
finish() { [ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }; echo "all checks passed"; exit 0; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
app=org.lumarc.Lumarc

if [ "${1:-}" = package ]; then
    src=$2 version=$3
    deb=$("$src/scripts/package.sh" | tail -n 1) || { fail "scripts/package.sh failed"; finish; }
    [ -f "$deb" ] || { fail "last line of scripts/package.sh is not a file: $deb"; finish; }
    [ "$(dpkg-deb -f "$deb" Version)" = "$version-1" ] || fail "package version $(dpkg-deb -f "$deb" Version)"
    # The dependencies come from the libraries the binary links, not from a hand list.
    depends=$(dpkg-deb -f "$deb" Depends)
    for lib in libvips42 libqt6widgets6 libc6; do
        [[ "$depends" == *"$lib"* ]] || fail "Depends lacks $lib: $depends"
    done
    dpkg-deb -c "$deb" >"$tmp/contents.txt"
    grep -q " ./usr/share/applications/$app.desktop$" "$tmp/contents.txt" || fail "no desktop entry in the package"
    finish
fi

build=$2 src=$3 version=$4
prefix=$tmp/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null || { fail "cmake --install"; finish; }
share=$prefix/share

# The files, at the places desktops and man look for them.
for f in bin/lumarc share/applications/$app.desktop share/metainfo/$app.metainfo.xml \
         share/mime/packages/$app.xml share/man/man1/lumarc.1 share/doc/lumarc/README.md \
         share/doc/lumarc/LICENSE share/icons/hicolor/scalable/apps/$app.svg \
         share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$app.png; do
    [ -s "$prefix/$f" ] || fail "not installed: $f"
done
for size in 16 24 32 48 64 128 256; do
    # A PNG's width and height are the big-endian words at bytes 16 and 20.
    dims=$(od -An -j16 -N8 --endian=big -tu4 "$share/icons/hicolor/${size}x$size/apps/$app.png" | xargs)
    [ "$dims" = "$size $size" ] || fail "icon ${size}x$size is $dims"
done

# The installed program, from an empty folder outside the source tree, for a new user with
# nothing but the system's programs on its path.
mkdir -p "$tmp/photos" "$tmp/home" "$tmp/cwd"
for colour in red green blue; do convert -size 120x80 "xc:$colour" "$tmp/photos/$colour.jpg"; done
run() { (cd "$tmp/cwd" && env -i HOME="$tmp/home" PATH=/usr/bin:/bin "$prefix/bin/lumarc" "$@"); }
run build "$tmp/photos" -o gallery -q || fail "lumarc build exited with $?"
gallery=$tmp/cwd/gallery
for f in index.html lightbox.js prototype.js scriptaculous.js library/zebstyle.css library/gallery.js images/close.gif \
         photos/red.jpg photos/green.jpg photos/blue.jpg thumbs/blue.jpg; do
    [ -s "$gallery/$f" ] || fail "gallery lacks $f"
done
grep -q 'photos/green.jpg' "$gallery/index.html" || fail "index.html does not show the photos"
# The manual page names this file as the program's own settings.
[ -f "$tmp/home/.config/Lumarc/Lumarc.conf" ] || fail "no ~/.config/Lumarc/Lumarc.conf after a build"

# One version everywhere: the build's, the AppStream release, the package and the manual.
first=$(run --version | head -n 1)
[ "$first" = "lumarc $version" ] || fail "--version says '$first'"
grep -q "<release version=\"$version\"" "$share/metainfo/$app.metainfo.xml" || fail "no AppStream release $version"
head -n 1 "$src/debian/changelog" | grep -q "(${version}-" || fail "debian/changelog is not at $version"
grep -q "^\.TH LUMARC 1 .*\"Lumarc $version\"" "$share/man/man1/lumarc.1" || fail "manual page not at $version"

# The validators of the desktop entry and the AppStream data.
desktop-file-validate "$share/applications/$app.desktop" || fail "desktop-file-validate"
grep -q '^Exec=lumarc %f$' "$share/applications/$app.desktop" || fail "the entry does not pass the file to lumarc"
appstreamcli validate --no-net "$share/metainfo/$app.metainfo.xml" >"$tmp/appstream.txt" 2>&1 ||
    { cat "$tmp/appstream.txt"; fail "appstreamcli validate"; }

# File types by content and by name, through the shared MIME database as a desktop reads it.
export XDG_DATA_HOME=$tmp/data XDG_DATA_DIRS=/usr/share
mkdir -p "$XDG_DATA_HOME/mime/packages"
cp "$share/mime/packages/$app.xml" "$XDG_DATA_HOME/mime/packages/"
update-mime-database "$XDG_DATA_HOME/mime" || fail "update-mime-database"
printf 'ZEB104\0\0\0\0rest' >"$tmp/trip.bin"        # a project renamed
printf 'ZEB100\0\0\0\0rest' >"$tmp/old-layout.dat"  # the older layout, renamed
printf 'ZEB104\0\0\0\1rest' >"$tmp/near-miss.bin"   # the signature but for its last byte
printf 'ZEB105\0\0\0\0rest' >"$tmp/later.bin"       # a layout this program does not know
printf 'ZEB104\0\0\0\0rest' >"$tmp/look.zes"
printf 'ZEB104\0\0\0\0rest' >"$tmp/default.zem"
printf 'ZEB104\0\0\0\0rest' >"$tmp/trip.ZEB"
while read -r name expected; do
    got=$(gio info -a standard::content-type "$tmp/$name" 2>/dev/null | sed -n 's/.*standard::content-type: //p')
    [ "$got" = "$expected" ] || fail "$name is '$got', expected $expected"
done <<'TABLE'
trip.bin        application/x-lumarc-project
old-layout.dat  application/x-lumarc-project
trip.ZEB        application/x-lumarc-project
near-miss.bin   application/octet-stream
later.bin       application/octet-stream
look.zes        application/x-lumarc-settings
default.zem     application/x-lumarc-settings
TABLE
grep -q "^MimeType=.*application/x-lumarc-project;" "$share/applications/$app.desktop" ||
    fail "the desktop entry does not open projects"

# The manual page renders cleanly and names every command and option that --help shows.
man=$share/man/man1/lumarc.1
groff -ww -man -Tutf8 "$man" >/dev/null 2>"$tmp/groff.txt"
[ -s "$tmp/groff.txt" ] && { cat "$tmp/groff.txt"; fail "groff warns about the manual page"; }
page=$(groff -man -Tutf8 -P -cbou "$man" 2>/dev/null | sed 's/\xe2\x80\x90/-/g; s/\xe2\x88\x92/-/g')
synopsis=$(sed -n '/^SYNOPSIS/,/^DESCRIPTION/p' <<<"$page")
commands=$(run --help | sed -n '/^Commands:/,/^$/p' | awk 'NR > 1 && NF { print $1 }')
[ "$(wc -w <<<"$commands")" -ge 7 ] || fail "found too few commands in --help: $commands"
options() { grep -oE -- '(^|[ ,[|])--?[a-z][a-z-]*' | sed 's/^[ ,[|]//'; }
for cmd in $commands; do
    grep -qE "lumarc +$cmd( |$)" <<<"$synopsis" || fail "the manual page has no synopsis of '$cmd'"
    for option in $(run "$cmd" --help | options | sort -u); do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$page" || fail "the manual page lacks '$cmd $option'"
    done
done
for option in $(run --help | options | sort -u); do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$page" || fail "the manual page lacks '$option'"
done
for name in LUMARC_DATA_FOLDER LUMARC_PROBE_URL EXIT\ STATUS FILES EXAMPLES; do
    grep -q "$name" <<<"$page" || fail "the manual page lacks $name"
done

finish
