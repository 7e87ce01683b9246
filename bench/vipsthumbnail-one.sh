#!/bin/sh
# One source as a vipsthumbnail user makes a gallery: two calls, photo and thumbnail.
# vipsthumbnail-one.sh SOURCE OUTPUT_FOLDER
set -e
name=$(basename "$1" .jpg)
vipsthumbnail "$1" --size 750x500 -o "$2/photos/$name.jpg[Q=90,strip]"
vipsthumbnail "$1" --size 160x120 -o "$2/thumbs/$name.jpg[Q=80,strip]"
