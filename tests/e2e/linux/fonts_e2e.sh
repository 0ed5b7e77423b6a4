#!/usr/bin/env bash
# The menu's Japanese captions with only DejaVu Sans and one Japanese font (IPA P Mincho) are
# real glyphs; with no Japanese font they are boxes (a control of the check); with no font at
# all the clock still runs, silently.
set -euo pipefail

source "$(dirname "$0")/e2e_lib.sh"

latin_font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
japanese_font=/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf
ls "$latin_font" "$japanese_font" >/dev/null || fail "fonts missing (see scripts/deps.sh)"

# font_config <name> <font files...>: $work/<name>/fonts.conf, with only these fonts.
font_config() {
  local folder="$work/$1"
  mkdir -p "$folder/fonts" "$folder/cache"
  shift
  (($# == 0)) || ln -s "$@" "$folder/fonts/"
  cat >"$folder/fonts.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>$folder/fonts</dir>
  <cachedir>$folder/cache</cachedir>
</fontconfig>
CONF
}

# menu_rows <config> <name>: the menu under that configuration in <name>.png, its captions' rows
# of ink (right of the check marks) in $work/<name>-row-N.png, N from 1, their number in $rows.
menu_rows() {
  local config=$1 name=$2
  start_clock env FONTCONFIG_FILE="$config"
  open_menu
  sleep 0.3
  shot "$name"
  local mx my mw mh
  read -r mx my mw mh < <(menu_geometry)
  local column="$((mw - 34))x$((mh - 4))+$((mx + 28))+$((my + 2))"
  convert "$shots/$name.png" -crop "$column" +repage -colorspace gray -threshold 50% -negate \
    "$work/$name-ink.png"
  local profile n=0 start=-1 y value
  profile=$(convert "$work/$name-ink.png" -scale "1x$((mh - 4))!" -depth 16 txt:- |
    sed -n 's/^0,\([0-9]*\): *(\([0-9]*\).*/\1 \2/p')
  while read -r y value; do
    if ((value > 0 && start < 0)); then
      start=$y
    elif ((value == 0 && start >= 0)); then
      n=$((n + 1))
      convert "$work/$name-ink.png" -crop "$((mw - 34))x$((y - start))+0+$start" +repage \
        "$work/$name-row-$n.png"
      start=-1
    fi
  done <<<"$profile"
  close_menu
  close_clock ""
  rows=$n
}

same_rows() { [[ $(differing "$work/$1-row-$2.png" "$work/$1-row-$3.png") == 0 ]]; }

e2e_begin

step "with one Japanese font the captions are drawn"
font_config one-japanese "$latin_font" "$japanese_font"
menu_rows "$work/one-japanese/fonts.conf" fonts-one-japanese
((rows == 8)) || fail "$rows rows of captions instead of 8 (fonts-one-japanese.png)"
# Their first characters tell these pairs apart; boxes would not.
same_rows fonts-one-japanese 5 6 && fail "大きく and 小さく look the same (fonts-one-japanese.png)"
same_rows fonts-one-japanese 2 3 && fail "3分ﾀｲﾏｰ and 4分ﾀｲﾏｰ look the same"
for row in 1 2 3 4 5 6 7 8; do
  ink=$(convert "$work/fonts-one-japanese-row-$row.png" -format '%[fx:round(mean*w*h)]' info:)
  ((ink > 20)) || fail "caption row $row has only $ink pixels of ink"
done

step "control: with no Japanese font the captions are boxes, and the check sees it"
rm -f "$work"/*-row-*.png
font_config latin-only "$latin_font"
menu_rows "$work/latin-only/fonts.conf" fonts-latin-only
((rows >= 5)) || fail "only $rows rows of captions without a Japanese font"
same_rows fonts-latin-only 5 6 || fail "大きく and 小さく differ even as boxes (fonts-latin-only.png)"

step "with no font at all the clock draws its face and complains of nothing"
font_config no-fonts
start_clock env FONTCONFIG_FILE="$work/no-fonts/fonts.conf" XDG_RUNTIME_DIR="$work"
wait_until 5 is green $(at 85 6) || fail "no face without fonts"
sleep 1.5
shot fonts-none
close_clock
[[ ! -s $work/output.log ]] || fail "without fonts the program says: $(cat "$work/output.log")"

echo "PASS (screenshots in $shots)"
