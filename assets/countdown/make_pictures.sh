#!/usr/bin/env bash
# Draws the countdown pictures: the digits 1 to 3 (150 x 150) and the closing banner (200 x 150).
# Needs ImageMagick and the Thai fonts of fonts-thai-tlwg; the PNGs are committed, so this runs only on change.
set -euo pipefail
cd "$(dirname "$0")"
digit_font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
thai_font=/usr/share/fonts/truetype/tlwg/Loma-Bold.ttf
[ -f "$thai_font" ] || thai_font=/usr/share/fonts/truetype/tlwg/Garuda-Bold.ttf

for n in 1 2 3; do
    convert -size 150x150 xc:none \
        -fill '#FFF1E6' -stroke '#FF4500' -strokewidth 6 -draw 'circle 75,75 75,6' \
        -stroke none -font "$digit_font" -pointsize 112 -fill '#FF4500' \
        -gravity center -annotate +0+4 "$n" \
        -define png:exclude-chunks=date,time "stage$n.png"
done

convert -size 200x150 xc:none \
    -fill '#C00000' -stroke '#FFD700' -strokewidth 5 -draw 'roundrectangle 4,4 195,145 18,18' \
    -stroke none -fill '#FFD700' -font "$digit_font" -pointsize 46 -gravity north -annotate +0+18 'SOLD!' \
    -fill white -font "$thai_font" -pointsize 34 -gravity south -annotate +0+20 'ขายแล้ว' \
    -define png:exclude-chunks=date,time sold.png
