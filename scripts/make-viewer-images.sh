#!/usr/bin/env bash
# Draws the five images of the gallery viewer into resources/viewer/images.
# The viewer's style sheet shows them on white panels and rounds the corners of the
# navigation labels itself, so every image is opaque: GIF has only 1-bit transparency,
# and anti-aliased edges over a transparent background would show a fringe.
# Run again after changing a drawing; commit the script and the images together.
set -euo pipefail

# /usr/local/bin may hold a stand-in; the drawing needs ImageMagick itself.
convert=/usr/bin/convert
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
out="$(cd "$(dirname "$0")/.." && pwd)/resources/viewer/images"
mkdir -p "$out"

# ImageMagick may write date comments into some formats; +set and -strip keep the
# GIF bytes the same from run to run.
finish=(-strip +set comment -colors 64)

ink='#4a4a4a'

# A 16x16 cross, shown on the round close button in the corner of the screen.
"$convert" -size 16x16 xc:white -stroke "$ink" -strokewidth 2.2 \
    -draw 'line 3.5,3.5 12.5,12.5' -draw 'line 12.5,3.5 3.5,12.5' \
    "${finish[@]}" "$out/close.gif"

# "close" label with a small boxed cross, under the large image.
"$convert" -size 66x22 xc:white \
    -font "$font" -pointsize 11 -fill "$ink" -gravity west -annotate +4+0 'close' \
    -gravity northwest -fill none -stroke "$ink" -strokewidth 1 \
    -draw 'roundrectangle 47,4 61,18 2,2' \
    -strokewidth 1.6 -draw 'line 51,8 57,14' -draw 'line 57,8 51,14' \
    "${finish[@]}" "$out/closelabel.gif"

# Navigation labels shown over the halves of the image.
label() { # text file
    "$convert" -size 63x32 xc:'#262626' \
        -font "$font" -pointsize 12 -fill white -gravity center -annotate +0+0 "$1" \
        "${finish[@]}" "$out/$2"
}
label 'next »' nextlabel.gif
label '« prev' prevlabel.gif

# Spinner: eight dots on a ring; each frame moves the darkest dot one place on.
frames=()
for f in 0 1 2 3 4 5 6 7; do
    draw=()
    for d in 0 1 2 3 4 5 6 7; do
        age=$(( (f - d + 8) % 8 ))                     # 0: the head of the tail
        grey=$(( 60 + age * 25 ))
        read -r cx cy < <(awk -v d="$d" 'BEGIN { a = d * 3.14159265 / 4;
            printf "%.2f %.2f\n", 16 + 11 * sin(a), 16 - 11 * cos(a) }')
        r=$(awk -v a="$age" 'BEGIN { printf "%.2f", 3.2 - a * 0.2 }')
        draw+=(-fill "rgb($grey,$grey,$grey)" -draw "circle $cx,$cy $(awk -v x="$cx" -v r="$r" 'BEGIN { printf "%.2f", x + r }'),$cy")
    done
    frames+=('(' -size 32x32 xc:white "${draw[@]}" ')')
done
"$convert" -delay 10 -loop 0 -dispose none "${frames[@]}" "${finish[@]}" "$out/loading.gif"

ls -l "$out"
