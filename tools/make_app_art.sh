#!/usr/bin/env bash
# Draws the program's small pictures with ImageMagick and DejaVu fonts:
# the 16 x 16 window icon and the four 16 x 16 font-kind glyphs (24-bit BMP
# on white, white being transparent when drawn). Run by hand after a change:
#   tools/make_app_art.sh     (writes into resources/art/)
set -euo pipefail
out=$(cd "$(dirname "$0")/../resources/art" && pwd)
SERIF=DejaVu-Serif-Bold
SANS=DejaVu-Sans-Bold

glyph() { # name, then ImageMagick drawing arguments
  local name=$1; shift
  convert -size 64x64 xc:white "$@" -filter Box -resize 16x16 -background white -flatten \
    -type TrueColor "BMP3:$out/$name.bmp"
}

# TrueType: a grey serif T behind, a blue one in front, with a soft shadow.
glyph TTF -font $SERIF -pointsize 46 \
  -fill '#9a9a9a' -annotate +2+40 T \
  -fill '#c8c8c8' -annotate +23+63 T \
  -fill '#1f5fbf' -annotate +19+59 T
# PostScript/device: a green P with a small blue s over its lower right.
glyph PS -font $SANS -pointsize 54 -fill '#2e8b3a' -annotate +4+50 P \
  -pointsize 34 -fill '#1f5fbf' -annotate +34+62 s
# Raster: a red A with a grey shadow.
glyph RASTER -font $SANS -pointsize 58 -fill '#b8b8b8' -annotate +9+59 A -fill '#cc2222' -annotate +5+55 A
# Unknown: a black question mark.
glyph UNKNOWN -font $SANS -pointsize 58 -fill '#202020' -annotate +14+56 '?'

# Window icon: a rounded tile in the accent colour with a white serif "G".
convert -size 64x64 xc:none -fill '#2f6fd0' -draw 'roundrectangle 2,2 61,61 12,12' \
  -font $SERIF -pointsize 50 -fill white -gravity center -annotate +0+2 G \
  -filter Lanczos -resize 16x16 -define icon:auto-resize=16 "$out/glyphora.ico"


# Shadow templates for skins without an extended border image: a soft shadow
# around a window area, the active one darker. Nine-slice margins 11, 7, 11,
# 11 (left, top, right, bottom) of shadow; the window covers the middle.
shadow() { # name, size, opacity
  local s=$2 r=$(($2 - 12)) b=$(($2 - 12))
  convert -size "${s}x${s}" xc:none -fill black -draw "roundrectangle 11,7 $r,$b 3,3" \
    -channel A -blur 0x3.5 -evaluate multiply "$3" +channel "PNG32:$out/$1.png"
}
shadow ACSHDA 32 0.7
shadow ACSHDI 31 0.42
echo "art written to $out"
