#!/bin/sh
# pack_ico.sh OUT.ico IMAGE.png...: the PNG images, unchanged, in one icon
# file, as Windows reads icons since Vista. Each entry takes its size and bits
# per pixel from the image's header: 24 for RGB, 32 for RGB with alpha.
set -eu
out=$1
shift

byte() { od -An -tu1 -j"$2" -N1 "$1" | tr -d ' '; }
be32() { od -An -tu1 -j"$2" -N4 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4 }'; }
u8() { printf "\\$(printf %03o "$1")"; }
le16() { u8 $(($1 & 255)); u8 $(($1 >> 8 & 255)); }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }

for image in "$@"; do
  signature=$(od -An -tx1 -N8 "$image" | tr -d ' ')
  [ "$signature" = 89504e470d0a1a0a ] || { echo "pack_ico: $image is no PNG image" >&2; exit 1; }
done

tmp=$out.tmp
{
  le16 0; le16 1; le16 $#  # reserved, type 1 (icon), count
  offset=$((6 + 16 * $#))
  for image in "$@"; do
    width=$(be32 "$image" 16)
    height=$(be32 "$image" 20)
    depth=$(byte "$image" 24)
    case $(byte "$image" 25) in
      2) bits=$((3 * depth)) ;;
      6) bits=$((4 * depth)) ;;
      *) echo "pack_ico: $image is neither RGB nor RGBA" >&2; exit 1 ;;
    esac
    [ "$width" -le 256 ] && [ "$height" -le 256 ] || { echo "pack_ico: $image is too large" >&2; exit 1; }
    size=$(wc -c <"$image")
    # 256 is written as 0.
    u8 $((width & 255)); u8 $((height & 255)); u8 0; u8 0
    le16 1; le16 "$bits"; le32 "$size"; le32 "$offset"
    offset=$((offset + size))
  done
  cat "$@"
} >"$tmp"
mv "$tmp" "$out"
