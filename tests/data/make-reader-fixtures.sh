#!/usr/bin/env bash
# Writes the reader fixtures under tests/data/<format>/: small pictures made
# by ImageMagick and netpbm, each beside ImageMagick's own decode of it laid
# over white (<name>.expected.ppm). Run again only to refresh the files.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# 7 x 5: an odd width, so rows end between pixels and bytes.
convert -size 7x5 xc:black -channel R -fx 'i/6' -channel G -fx 'j/4' -channel B -fx '((i+j)%3)/2' +channel \
  -depth 8 "$work/base.ppm"
convert "$work/base.ppm" -alpha set -channel A -fx '(i+1)/7' +channel "$work/alpha.png"
convert "$work/base.ppm" -colorspace Gray -depth 8 "$work/grey.pgm"

expect() {  # file: ImageMagick's decode, upright (its Targa rows keep their stored order unless turned), over white, as 8-bit binary PPM
  convert "$1[0]" -auto-orient -background white -alpha remove -alpha off -depth 8 -type TrueColor "ppm:${1%.*}.expected.ppm"
}
make() {  # folder name source options...
  local folder=$1 name=$2 source=$3
  shift 3
  mkdir -p "$folder"
  convert "$source" "$@" "$folder/$name"
  expect "$folder/$name"
}

rm -rf targa pcx pnm sgi psd
for rle in none RLE; do
  suffix=$([ $rle = RLE ] && echo -rle || true)
  make targa "colour-map8$suffix.tga" "$work/base.ppm" -compress $rle -type Palette
  make targa "grey8$suffix.tga" "$work/grey.pgm" -compress $rle -type Grayscale
  make targa "rgb16$suffix.tga" "$work/base.ppm" -compress $rle -depth 5
  make targa "rgb24$suffix.tga" "$work/base.ppm" -compress $rle
  make targa "rgba32$suffix.tga" "$work/alpha.png" -compress $rle
done

make pcx rgb24.pcx "$work/base.ppm"
make pcx palette8.pcx "$work/base.ppm" -type Palette
convert "$work/base.ppm" -monochrome "$work/mono.pbm"
# ImageMagick inverts this one-plane file against its own source; netpbm's
# decode agrees with the source.
ppmtopcx "$work/mono.pbm" > pcx/mono1.pcx 2>/dev/null
pcxtoppm pcx/mono1.pcx 2>/dev/null | pnmdepth 255 > pcx/mono1.expected.ppm
ppmtopcx -planes 4 <(ppmquant 16 "$work/base.ppm" 2>/dev/null) > pcx/planes4.pcx 2>/dev/null && expect pcx/planes4.pcx
ppmtopcx -packed <(ppmquant 4 "$work/base.ppm" 2>/dev/null) > pcx/packed2.pcx 2>/dev/null && expect pcx/packed2.pcx

make pnm rgb-binary.ppm "$work/base.ppm"
make pnm grey-binary.pgm "$work/grey.pgm"
make pnm mono-binary.pbm "$work/base.ppm" -monochrome
make pnm rgb16-binary.ppm "$work/base.ppm" -depth 16
make pnm rgb-text.ppm "$work/base.ppm" -compress none
make pnm grey-text.pgm "$work/grey.pgm" -compress none
make pnm mono-text.pbm "$work/base.ppm" -monochrome -compress none

make sgi rgb-rle.sgi "$work/base.ppm"
make sgi rgb.sgi "$work/base.ppm" -compress none
make sgi rgba-rle.sgi "$work/alpha.png"
make sgi rgb16.sgi "$work/base.ppm" -depth 16 -compress none
make sgi bw.sgi "$work/grey.pgm" -type Grayscale

make psd rgb-rle.psd "$work/base.ppm"
make psd rgb.psd "$work/base.ppm" -compress none
# ImageMagick's own decode of its RGBA Photoshop file mixes colour with
# alpha; the source laid over white is what the file holds.
convert "$work/alpha.png" psd/rgba.psd
convert "$work/alpha.png" -background white -alpha remove -alpha off -depth 8 -type TrueColor ppm:psd/rgba.expected.ppm
make psd grey.psd "$work/grey.pgm" -type Grayscale
make psd cmyk.psd "$work/base.ppm" -colorspace CMYK
make psd rgb16.psd "$work/base.ppm" -depth 16
