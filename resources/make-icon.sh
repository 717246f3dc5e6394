#!/usr/bin/env bash
# Regenerates tolv.ico: a white "あ" on a rounded blue square, drawn at each
# size the shell asks for (not scaled down) so the small ones stay crisp.
set -euo pipefail
cd "$(dirname "$0")"
FONT=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
frames=()
for size in 16 20 24 32 48; do
    last=$((size - 1))
    radius=$((size / 5))
    points=$(( size * 80 / 100 ))
    convert -size ${size}x${size} xc:none \
        -fill '#1c64c8' -draw "roundrectangle 0,0 $last,$last $radius,$radius" \
        -fill '#3b82e6' -draw "roundrectangle 1,1 $((last - 1)),$((size / 2)) $radius,$radius" \
        -fill '#1c64c8' -draw "rectangle 1,$((size / 3)) $((last - 1)),$((size / 2))" \
        -font "$FONT" -pointsize $points -fill white -gravity center -annotate +0+0 'あ' \
        -define png:format=png32 "$work/$size.png"
    frames+=("$work/$size.png")
done
convert "${frames[@]}" tolv.ico
echo "wrote $(pwd)/tolv.ico"
