#!/bin/sh
# Regenerates the test pictures in this folder.
# Needs: ImageMagick (convert).
set -e
cd "$(dirname "$0")"

convert -size 6x8 xc:'#FF0000' -size 6x8 xc:'#0000FF' +append -type TrueColor BMP3:sample.bmp
convert -size 10x6 xc:'#00A000' -size 10x6 xc:'#FFFF00' -append -type TrueColor BMP3:sample.dib
convert -size 9x7 xc:'#008000' -size 5x7 xc:none +append sample.gif
convert \( -size 8x8 xc:'#FF0000' xc:'#00FF00' +append \) \( -size 8x8 xc:'#0000FF' xc:'#FFFFFF' +append \) \
  -append -quality 100 -sampling-factor 1x1 sample.jpg
convert -size 4x2 xc:none -fill 'rgba(255,0,0,1)' -draw 'point 0,0' -fill 'rgba(255,255,255,0)' -draw 'point 1,0' \
  -fill 'rgba(0,255,0,0.5)' -draw 'point 2,0' -fill 'rgba(0,0,255,1)' -draw 'point 3,0' -define png:exclude-chunk=date,time PNG32:sample.png
convert -size 16x16 xc:'#FF8000' sample.ico

