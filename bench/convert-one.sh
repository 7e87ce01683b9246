#!/bin/sh
# One source as ImageMagick users type it: two calls, photo and thumbnail.
# convert-one.sh CONVERT SOURCE OUTPUT_FOLDER
set -e
name=$(basename "$2" .jpg)
"$1" "$2" -resize 750x500 -quality 90 "$3/photos/$name.jpg"
"$1" "$2" -resize 160x120 -quality 80 "$3/thumbs/$name.jpg"
