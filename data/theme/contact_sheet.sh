#!/usr/bin/env bash
# Composes every theme image of an application directory on one PNG for review, on a
# checkerboard so that transparency shows, and a second sheet with sample texts drawn where
# the program draws them (colours and sizes as the program uses; the font is whatever
# ImageMagick picks, only for review).
#   contact_sheet.sh APPDIR OUT.png [TEXTS.png]
set -euo pipefail
app=$1
out=$2
texts=${3:-}
images=$app/Images
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Large pictures first, then the faces, icons, dial frames and application icons.
mapfile -t files < <(cd "$images" && find . -name '*.png' | sed 's|^\./||' |
  awk '{ p=5; if ($0 ~ /^background\/(panel|alert|message)/) p=1; else if ($0 ~ /^etc\/(default|welcome|about|hp_|warning|indicator)/) p=2;
         else if ($0 ~ /^background/) p=3; else if ($0 ~ /^(icon|symbol)\//) p=4; else if ($0 ~ /^etc\/clock/) p=6; else if ($0 ~ /icons\//) p=7;
         print p " " $0 }' | sort -k1,1n -k2,2V | cut -d' ' -f2)
args=()
for f in "${files[@]}"; do args+=(-label "$f" "$images/$f"); done
montage -background '#3b3b3b' -fill '#e8e8e8' -pointsize 10 -texture pattern:checkerboard \
  "${args[@]}" -tile 8x -geometry '+8+8' "$out"

[ -z "$texts" ] && exit 0

# Sample texts at the program's own places (pen x, baseline y).
dark='rgba(51,51,51,0.87)'
white='rgba(255,255,255,0.87)'
draw() { # in out colour size x baseline text
  convert "$1" -fill "$3" -pointsize "$4" -annotate "+$5+$6" "$7" "$2"
}
centred() { # in out colour size centre-x baseline text
  convert "$1" -fill "$3" -pointsize "$4" -gravity North -annotate "+0+0" "" \
    \( +clone -alpha transparent \) -delete 1 "$2"
  local w
  w=$(convert -pointsize "$4" label:"$7" -format '%w' info:)
  convert "$2" -fill "$3" -pointsize "$4" -annotate "+$(( $5 - w / 2 ))+$6" "$7" "$2"
}
bg=$images/background
i=0
for s in normal hover press; do
  colour=$dark; [ "$s" != normal ] && colour=$white
  draw "$bg/list_$s.png" "$tmp/t$((i++)).png" "$colour" 15 66 31 "Terminal"
  convert "$tmp/t$((i - 1)).png" "$images/icon/help_normal.png" -geometry +15+13 -composite "$tmp/t$((i - 1)).png"
  draw "$bg/cata_$s.png" "$tmp/t$((i++)).png" "$colour" 15 70 27 "Internet"
  convert "$tmp/t$((i - 1)).png" "$images/icon/help_normal.png" -geometry +35+9 -composite "$tmp/t$((i - 1)).png"
  draw "$bg/catb_$s.png" "$tmp/t$((i++)).png" "$colour" 15 70 27 "Internet"
  convert "$tmp/t$((i - 1)).png" "$images/icon/help_hover.png" -geometry +35+9 -composite "$tmp/t$((i - 1)).png"
  convert "$bg/btn_$s.png" "$images/symbol/setting_normal.png" -geometry +7+7 -composite "$tmp/t$((i++)).png"
done
centred "$bg/panel.png" "$tmp/p.png" "rgba(51,51,51,0.8)" 15 123 40 "Applications"
convert "$tmp/p.png" "$images/etc/default.png" -geometry +13+53 -composite \
  -fill "rgba(51,51,51,0.8)" -pointsize 15 -annotate +25+325 "Programs of this desktop:" \
  -annotate +25+345 "terminal, files and editor." "$tmp/t$((i++)).png"
centred "$bg/alert.png" "$tmp/a.png" "$dark" 15 175 126 "Are you sure to Exit ?"
convert "$tmp/a.png" "$images/icon/ok_normal.png" -geometry +80+185 -composite \
  "$images/icon/cancel_hover.png" -geometry +230+185 -composite "$tmp/t$((i++)).png"
centred "$bg/message.png" "$tmp/t$((i++)).png" "$dark" 15 200 118 "Zyn Utils Starts Successfully."
convert "$images/etc/hp_bar.png" \( "$images/etc/hp_green.png" -crop 200x20+60+0 +repage \) -geometry +83+33 \
  -compose DstOver -composite -compose Over "$images/etc/hp_icon.png" -geometry +2+34 -composite \
  -fill "$white" -pointsize 15 -annotate +40+20 "2013-03-09 12:00" -pointsize 17 -annotate +42+50 "Daskel" \
  -pointsize 15 -annotate +228+73 "384 / 500" -annotate +315+73 "Lv.01" "$tmp/t$((i++)).png"
convert -size 240x240 xc:none "$images/etc/clock/b14.png" -geometry +60+65 -composite \
  -fill "rgba(51,51,51,0.73)" -pointsize 15 -annotate +45+45 "Memory Usage: 1024 / 4096 mb" \
  -pointsize 60 -annotate +88+147 "58" -pointsize 20 -annotate +200+180 "%" "$tmp/mon.png"
convert "$bg/panel.png" "$tmp/mon.png" -geometry +3+43 -composite "$tmp/t$((i++)).png"
montage -background '#3b3b3b' -texture pattern:checkerboard $(ls -v "$tmp"/t*.png) -tile 6x -geometry '+10+10' "$texts"
