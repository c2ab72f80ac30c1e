#!/usr/bin/env bash
# Draws the application icon, app/VaskelSetup.ico, from the welcome picture's motif: a
# small network of orange, cyan and green nodes joined by pale lines, on its blue.
# Run it after changing the design and commit the result; the build only embeds it.
# Needs ImageMagick (Debian's imagemagick). Usage: scripts/make-icon.sh [OUTPUT.ico]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$here/app/VaskelSetup.ico}
im=/usr/bin/convert
[ -x "$im" ] || im=convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The colours of the welcome picture.
top='#0A1C5C' bottom='#3A78CF' line='#EFE5B0' input='#FFAF1F' hidden='#62DEFF' output='#83FAA0'

# Node lists "x,y" on a 256-unit grid. From 32 pixels up the picture's 2-3-2 network;
# at 16 pixels a 2-2-1 one, so that each node keeps a few pixels.
full_in='56,84 56,172' full_hidden='128,60 128,128 128,196' full_out='200,96 200,160'
full_edges='0-0 0-1 1-1 1-2 h0-0 h0-1 h1-0 h1-1 h2-0 h2-1'
small_in='44,60 44,196' small_hidden='128,60 128,196' small_out='212,128'
small_edges='0-0 0-1 1-0 1-1 h0-0 h1-0'

# draw SIZE: the picture at SIZE pixels, drawn 8 times larger and scaled down.
draw() {
  local size=$1 k=8
  local big=$((size * k)) set=full
  [ "$size" -le 16 ] && set=small
  local -n ins=${set}_in hid=${set}_hidden outs=${set}_out edges=${set}_edges
  # Unit scale, and the line width and node radius in big pixels (at least 1 and 1.8 pixels).
  awk -v big="$big" -v k="$k" -v ins="$ins" -v hid="$hid" -v outs="$outs" -v edges="$edges" \
      -v line="$line" -v cin="$input" -v chid="$hidden" -v cout="$output" -v size="$size" '
    function pt(s, i, xy) { split(s, xy, ","); X = xy[1] * big / 256; Y = xy[2] * big / 256 }
    function circle(s, r) { pt(s); printf "circle %.1f,%.1f %.1f,%.1f\n", X, Y, X + r, Y }
    BEGIN {
      n1 = split(ins, a, " "); n2 = split(hid, b, " "); n3 = split(outs, c, " ")
      w = big * 6 / 256; if (w < k) w = k
      r = big * 19 / 256; if (size <= 16) r = big * 30 / 256; if (r < 1.8 * k) r = 1.8 * k
      printf "stroke %s stroke-width %.1f fill none\n", line, w
      ne = split(edges, e, " ")
      for (i = 1; i <= ne; i++) {
        split(e[i], p, "-")
        if (p[1] ~ /^h/) { from = b[substr(p[1], 2) + 1]; to = c[p[2] + 1] } else { from = a[p[1] + 1]; to = b[p[2] + 1] }
        pt(from); x1 = X; y1 = Y; pt(to)
        printf "line %.1f,%.1f %.1f,%.1f\n", x1, y1, X, Y
      }
      printf "stroke none fill %s\n", cin;  for (i = 1; i <= n1; i++) circle(a[i], r)
      printf "fill %s\n", chid;             for (i = 1; i <= n2; i++) circle(b[i], r)
      printf "fill %s\n", cout;             for (i = 1; i <= n3; i++) circle(c[i], r)
    }' >"$work/net-$size.mvg"
  local corner=$((big * 40 / 256))
  # The two soft discs of the picture, where there is room for them.
  local glow=()
  [ "$size" -ge 48 ] && glow=(-fill 'rgba(255,255,255,0.14)' -draw "circle $((big*60/256)),$((big*80/256)) $((big*104/256)),$((big*80/256))"
                              -draw "circle $((big*198/256)),$((big*186/256)) $((big*250/256)),$((big*186/256))")
  "$im" -size "${big}x${big}" gradient:"$top-$bottom" "${glow[@]}" -draw "$(<"$work/net-$size.mvg")" \
    \( -size "${big}x${big}" xc:black -fill white -draw "roundrectangle 0,0 $((big - 1)),$((big - 1)) $corner,$corner" \) \
    -alpha off -compose CopyOpacity -composite \
    -filter box -resize "${size}x${size}" -depth 8 -define png:exclude-chunks=date,time "PNG32:$work/$size.png"
}

for size in 16 32 48 256; do draw "$size"; done
# Small sizes as 32-bit bitmaps, 256 as PNG: what Windows reads at each size.
"$im" "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" "$out"
echo "make-icon: $out ($(stat -c %s "$out") bytes)"
