#!/usr/bin/env bash
# Times lintaro-cli compose against a plain libvips program doing the same job: four
# 4000 x 3000 JPEG frames composed onto A4 at 600 dpi (7016 x 4961, slit 2), picture and
# lattice written as PNG. The two run alternately, RUNS times each, as whole processes;
# medians of wall time and peak resident memory, and their ratios, are printed, with the
# PNG's size against zlib at level 6 with every filter tried per row for the same pixels.
# Then the sheet: A4 at 1200 dpi against the libvips program composing the same dots to PNG,
# and an A0 sheet at 600 dpi (peak memory only). Each figure is printed beside its aim.
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
ratio() { echo "$1 / $2" | bc -l; }
printf '%-34s %8s %10s\n' "medians of $runs runs" "wall s" "peak MB"
printf '%-34s %8.2f %10.1f\n' "lintaro-cli compose A4 600 dpi" "$lw" "$(ratio "$lm" 1024)"
printf '%-34s %8.2f %10.1f\n' "libvips program" "$vw" "$(ratio "$vm" 1024)"
printf 'compose: wall ratio %.2f (aim <= 0.35), peak memory ratio %.2f (aim <= 3)\n' \
  "$(ratio "$lw" "$vw")" "$(ratio "$lm" "$vm")"
printf 'PNG %d bytes; zlib level 6, adaptive filters: %d bytes; ratio %.3f (aim <= 1.15)\n' \
  "$ls" "$rs" "$(ratio "$ls" "$rs")"

# The sheet at A4 1200 dpi, against the libvips program composing its picture's dots.
: >"$work/sheet.txt"
: >"$work/vips_sheet.txt"
for ((run = 0; run < runs; ++run)); do
  /usr/bin/time -a -o "$work/sheet.txt" -f "%e %M" \
    "$cli" sheet -q --paper a4 --dpi 1200 --slit-mm 0.8 -o "$work/s.pdf" "${frames[@]}"
  read -r sw sh < <(pdfimages -list -f 1 -l 1 "$work/s.pdf" | awk 'NR == 3 {print $4, $5}')
  /usr/bin/time -a -o "$work/vips_sheet.txt" -f "%e %M" \
    "$vips" "$sw" "$sh" 38 "$work/vs.png" "$work/vs_lattice.png" "${frames[@]}"
done
shw=$(cut -d' ' -f1 "$work/sheet.txt" | median); shm=$(cut -d' ' -f2 "$work/sheet.txt" | median)
vsw=$(cut -d' ' -f1 "$work/vips_sheet.txt" | median)
printf '%-34s %8.2f %10.1f\n' "lintaro-cli sheet A4 1200 dpi" "$shw" "$(ratio "$shm" 1024)"
printf '%-34s %8.2f\n' "libvips program, ${sw} x ${sh} dots" "$vsw"
printf 'sheet A4 1200 dpi: wall ratio %.2f (aim <= 0.2), peak %.0f MB (aim <= 300)\n' \
  "$(ratio "$shw" "$vsw")" "$(ratio "$shm" 1024)"

# An A0 poster at 600 dpi: it must complete within its memory aim.
/usr/bin/time -o "$work/a0.txt" -f "%e %M" \
  "$cli" sheet -q --paper a0 --dpi 600 --slit-mm 0.8 -o "$work/a0.pdf" "${frames[@]}"
read -r aw am <"$work/a0.txt"
printf 'sheet A0 600 dpi: %.2f s, peak %.0f MB (aim <= 400)\n' "$aw" "$(ratio "$am" 1024)"
