#!/usr/bin/env bash
# Regenerates tolv.ico: a white "あ" on a rounded blue square, and tolv-paused.ico,
# the same in grey with an orange pause sign in the corner, for the tray while
# switching is paused. Each is drawn at every size the shell asks for (not
# scaled down) so the small ones stay crisp.
set -euo pipefail
cd "$(dirname "$0")"
FONT=/usr/share/fonts/opentype/noto/NotoSansCJK-Bold.ttc
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# draw <file> <dark> <light> <glyph colour> <pause sign: yes|no>
draw() {
    local file=$1 dark=$2 light=$3 glyph=$4 pause=$5
    local frames=()
    for size in 16 20 24 32 48; do
        local last=$((size - 1))
        local radius=$((size / 5))
        local points=$((size * 80 / 100))
        local sign=()
        if [ "$pause" = yes ]; then
            # A badge in the lower right corner, two bars inside; at least a pixel each.
            local badge=$((size * 9 / 16))
            local left=$((size - badge))
            local bar=$(( (badge + 3) / 5 ))
            local gap=$(( badge - 4 * bar ))
            [ "$gap" -ge 1 ] || gap=1
            local x1=$((left + (badge - 2 * bar - gap) / 2))
            local x2=$((x1 + bar + gap))
            local top=$((left + badge / 5))
            local bottom=$((last - badge / 5))
            sign=(-fill '#f08c00' -draw "roundrectangle $left,$left $last,$last $((radius + 1)),$((radius + 1))"
                  -fill white -draw "rectangle $x1,$top $((x1 + bar - 1)),$bottom"
                  -draw "rectangle $x2,$top $((x2 + bar - 1)),$bottom")
        fi
        convert -size ${size}x${size} xc:none \
            -fill "$dark" -draw "roundrectangle 0,0 $last,$last $radius,$radius" \
            -fill "$light" -draw "roundrectangle 1,1 $((last - 1)),$((size / 2)) $radius,$radius" \
            -fill "$dark" -draw "rectangle 1,$((size / 3)) $((last - 1)),$((size / 2))" \
            -font "$FONT" -pointsize $points -fill "$glyph" -gravity center -annotate +0+0 'あ' \
            -gravity northwest "${sign[@]}" \
            -define png:format=png32 "$work/$size.png"
        frames+=("$work/$size.png")
    done
    convert "${frames[@]}" "$file"
    echo "wrote $(pwd)/$file"
}

draw tolv.ico '#1c64c8' '#3b82e6' white no
draw tolv-paused.ico '#6b6b6b' '#8c8c8c' '#e6e6e6' yes
