#!/usr/bin/env bash
# Times lintaro-cli compose against a plain libvips program doing the same job: four
# 4000 x 3000 JPEG frames composed onto A4 at 600 dpi (7016 x 4961, slit 2), picture and
# lattice written as PNG. The two run alternately, RUNS times each, as whole processes;
# medians of wall time and peak resident memory, and their ratios, are printed, with the
# PNG's size against zlib at level 6 with every filter tried per row for the same pixels.
# Usage: bench/print_scale/print_scale.sh BUILD_DIR [RUNS]
set -euo pipefail
build=${1:?build folder}
runs=${2:-5}
cli="$build/lintaro-cli"
vips="$build/bench/lintaro_vips_compose"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for i in 1 2 3 4; do
  convert -size 400x300 plasma:fractal -resize 4000x3000\! -attenuate 0.4 +noise Gaussian \
          -quality 90 "$work/frame$i.jpg" &
done
wait
frames=("$work"/frame{1,2,3,4}.jpg)

median() { sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
: >"$work/lintaro.txt"
: >"$work/vips.txt"
for ((run = 0; run < runs; ++run)); do
  /usr/bin/time -a -o "$work/lintaro.txt" -f "%e %M" \
    "$cli" compose -q -w 2 -s 7016x4961 -o "$work/l.png" -l "$work/l_lattice.png" "${frames[@]}"
  /usr/bin/time -a -o "$work/vips.txt" -f "%e %M" \
    "$vips" 7016 4961 2 "$work/v.png" "$work/v_lattice.png" "${frames[@]}"
done
lw=$(cut -d' ' -f1 "$work/lintaro.txt" | median); lm=$(cut -d' ' -f2 "$work/lintaro.txt" | median)
vw=$(cut -d' ' -f1 "$work/vips.txt" | median); vm=$(cut -d' ' -f2 "$work/vips.txt" | median)
# ImageMagick's PNG quality 65: zlib level 6, adaptive filtering per row.
convert "$work/l.png" -quality 65 "$work/reference.png"
ls=$(stat -c %s "$work/l.png"); rs=$(stat -c %s "$work/reference.png")
printf '%-28s %8s %10s\n' "medians of $runs runs" "wall s" "peak MB"
printf '%-28s %8.2f %10.1f\n' "lintaro-cli compose" "$lw" "$(echo "$lm / 1024" | bc -l)"
printf '%-28s %8.2f %10.1f\n' "libvips program" "$vw" "$(echo "$vm / 1024" | bc -l)"
printf '%-28s %8.2f %10.2f\n' "ratio lintaro / libvips" "$(echo "$lw / $vw" | bc -l)" "$(echo "$lm / $vm" | bc -l)"
printf 'PNG %d bytes; zlib level 6, adaptive filters: %d bytes; ratio %.3f\n' \
  "$ls" "$rs" "$(echo "$ls / $rs" | bc -l)"
