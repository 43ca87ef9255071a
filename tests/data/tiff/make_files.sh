#!/usr/bin/env bash
# Makes the TIFF test files with libtiff's tools and ImageMagick, each beside
# its reference decode (ImageMagick through libtiff, laid over white) as a
# binary PPM. Run once; the files are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

convert -seed 7 -size 37x23 plasma:fractal -depth 8 "$work/source.ppm"
convert "$work/source.ppm" -compress none "$work/rgb.tif"
convert "$work/source.ppm" -colorspace gray -depth 8 -compress none "$work/grey.tif"
convert "$work/grey.tif" -threshold 50% -type bilevel -depth 1 -compress none "$work/bilevel.tif"
convert -size 37x23 gradient:white-black -rotate 90 -resize '37x23!' "$work/alpha.pgm"

tiffcp -L -c none -r 8 "$work/rgb.tif" rgb8-none-ii.tif
tiffcp -B -c none -r 8 "$work/rgb.tif" rgb8-none-mm.tif
tiffcp -B -c lzw -r 8 "$work/rgb.tif" rgb8-lzw-mm.tif
tiffcp -L -c lzw:2 -r 5 "$work/rgb.tif" rgb8-lzw-predictor.tif
tiffcp -c zip -r 8 "$work/rgb.tif" rgb8-deflate.tif
tiffcp -B -c zip:2 "$work/rgb.tif" rgb8-deflate-predictor-mm.tif
tiffcp -c packbits -r 8 "$work/rgb.tif" rgb8-packbits.tif
tiffcp -c jpeg:90 -r 16 "$work/rgb.tif" rgb8-jpeg-ycbcr.tif
tiffcp -c jpeg:r:90 -r 16 "$work/rgb.tif" rgb8-jpeg-rgb.tif
tiffcp -p separate -c lzw -r 8 "$work/rgb.tif" rgb8-planar-lzw.tif
tiffcp -t -w 16 -l 16 -c lzw:2 "$work/rgb.tif" rgb8-tiled-lzw-predictor.tif
tiffcp -B -t -w 16 -l 16 -p separate -c zip "$work/rgb.tif" rgb8-tiled-planar-mm.tif
convert "$work/source.ppm" -depth 16 -define tiff:endian=msb -compress none rgb16-mm.tif
convert "$work/source.ppm" -depth 16 -define tiff:endian=lsb -compress lzw -define tiff:predictor=2 rgb16-lzw-predictor.tif
convert "$work/source.ppm" "$work/alpha.pgm" -alpha off -compose CopyOpacity -composite -compress lzw rgba8.tif
convert "$work/source.ppm" "$work/alpha.pgm" -alpha off -compose CopyOpacity -composite \
  -define tiff:alpha=associated -compress none rgba8-associated.tif
convert "$work/grey.tif" "$work/alpha.pgm" -alpha off -compose CopyOpacity -composite -compress none grey8-alpha.tif
tiff2bw -c lzw "$work/rgb.tif" grey8-tiff2bw.tif
convert "$work/grey.tif" -depth 16 -compress none grey16.tif
convert "$work/grey.tif" -depth 4 -compress none grey4.tif
convert "$work/grey.tif" -depth 2 -compress none grey2.tif
tiffcp -c none "$work/bilevel.tif" grey1.tif
convert "$work/source.ppm" -colors 40 -type Palette -compress lzw palette8.tif
convert "$work/source.ppm" -colors 12 -type Palette -depth 4 -compress none palette4.tif
convert "$work/source.ppm" -colorspace cmyk -compress none cmyk8.tif
convert "$work/source.ppm" -colorspace YCbCr -compress lzw ycbcr8.tif
tiffcp -c g3 "$work/bilevel.tif" fax-g3-1d.tif
tiffcp -c g3:2d:fill "$work/bilevel.tif" fax-g3-2d-fill.tif
convert "$work/bilevel.tif" -compress fax fax-g3-imagemagick.tif
convert "$work/bilevel.tif" -resize 200x "$work/page.tif"
convert "$work/page.tif" g3:"$work/page.g3"
fax2tiff -X 200 -6 -r 16 -o fax2tiff-2d-lsb.tif "$work/page.g3"
fax2tiff -X 200 -5 -a -m -o fax2tiff-1d.tif "$work/page.g3"
tiffcp -c g4 "$work/bilevel.tif" fax-g4.tif

for file in *.tif; do
  convert "$file" -background white -alpha remove -alpha off -depth 8 -strip "${file%.tif}.ppm"
done
# Plain alpha is compared as it is, before it is laid over white.
for file in rgba8 grey8-alpha; do
  rm "$file.ppm"
  convert "$file.tif" -depth 8 -strip "$file.pam"
done
