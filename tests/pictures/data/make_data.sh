#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates the test pictures in this folder.
# Needs: ImageMagick (convert), python3; g++ with libemf-dev for the EMF
# pair; inkscape for the inkscape_* pair. Steps whose tool is missing are
# skipped and leave the committed file as it is.
set -e
cd "$(dirname "$0")"

if command -v convert >/dev/null; then
  convert -size 6x8 xc:'#FF0000' -size 6x8 xc:'#0000FF' +append -type TrueColor BMP3:sample.bmp
  convert -size 10x6 xc:'#00A000' -size 10x6 xc:'#FFFF00' -append -type TrueColor BMP3:sample.dib
  convert -size 9x7 xc:'#008000' -size 5x7 xc:none +append sample.gif
  convert \( -size 8x8 xc:'#FF0000' xc:'#00FF00' +append \) \( -size 8x8 xc:'#0000FF' xc:'#FFFFFF' +append \) \
    -append -quality 100 -sampling-factor 1x1 sample.jpg
  convert -size 4x2 xc:none -fill 'rgba(255,0,0,1)' -draw 'point 0,0' -fill 'rgba(255,255,255,0)' -draw 'point 1,0' \
    -fill 'rgba(0,255,0,0.5)' -draw 'point 2,0' -fill 'rgba(0,0,255,1)' -draw 'point 3,0' -define png:exclude-chunk=date,time PNG32:sample.png
  convert -size 16x16 xc:'#FF8000' sample.ico
fi

python3 mkwmf.py sample.wmf
WMF_TEXT= WMF_BG=0 python3 mkwmf.py wmf_content_inset.wmf
WMF_TEXT= WMF_BG=0 WMF_ORIGIN=1000,-500 python3 mkwmf.py wmf_moved_origin.wmf
WMF_TEXT= WMF_BG=0 WMF_MAPPING=0 python3 mkwmf.py wmf_header_units.wmf
tail -c +23 sample.wmf > wmf_no_placeable.wmf            # same records, no placeable header

if [ -e /usr/include/libEMF/emf.h ]; then
  g++ -std=c++17 mkemf.cpp -o mkemf -lEMF
  ./mkemf sample.emf
  EMF_NOBG=1 ./mkemf emf_ink_bounds.emf
  # libEMF writes rclBounds = whole frame; a real GDI writes the ink box. Patch it in:
  python3 -c "import struct; p='emf_ink_bounds.emf'; d=bytearray(open(p,'rb').read()); d[8:24]=struct.pack('<4i',16,16,390,282); open(p,'wb').write(d)"
  rm -f mkemf
fi

if command -v inkscape >/dev/null; then
  inkscape drawing.svg --export-type=wmf --export-filename=inkscape_drawing.wmf
  inkscape drawing.svg --export-type=emf --export-filename=inkscape_drawing.emf
fi
