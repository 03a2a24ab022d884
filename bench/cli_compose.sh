#!/usr/bin/env bash
# Times lintaro-cli composing four 4000 x 3000 JPEG frames onto a 7016 x 4961 canvas
# (A4 at 600 dpi) with its lattice: wall time and peak resident memory of the whole run.
# Usage: bench/cli_compose.sh BUILD_DIR
set -euo pipefail
build=${1:?build folder}
cli="$build/lintaro-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for i in 1 2 3 4; do
  convert -size 400x300 plasma:fractal -resize 4000x3000\! -attenuate 0.4 +noise Gaussian \
          -quality 90 "$work/frame$i.jpg"
done
frames=("$work"/frame{1,2,3,4}.jpg)
echo "frames: $(du -ch "${frames[@]}" | tail -1 | cut -f1) of JPEG, 4000 x 3000 each"

for type in bmp png; do
  /usr/bin/time -f "compose + lattice as $type: %e s, peak %M KB" \
    "$cli" compose -q -w 2 -s 7016x4961 -o "$work/out.$type" -l "$work/lattice.$type" "${frames[@]}"
done
/usr/bin/time -f "compose only (bmp): %e s, peak %M KB" \
  "$cli" compose -q -w 2 -s 7016x4961 -o "$work/out.bmp" "${frames[@]}"
echo "decoded frames: $((4000 * 3000 * 4 * 4 / 1024)) KB; one canvas: $((7016 * 4961 * 4 / 1024)) KB"
