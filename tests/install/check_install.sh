#!/usr/bin/env bash
# Installs the program into a temporary prefix and checks that a desktop finds everything:
# the program, a valid desktop entry, the icons of every size, and valid AppStream metainfo.
set -euo pipefail
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null
id=io.github.lintaro.Lintaro
fail() { echo "FAIL: $*"; exit 1; }

[ -x "$prefix/bin/lintaro" ] || fail "bin/lintaro missing"
[ -x "$prefix/bin/lintaro-cli" ] || fail "bin/lintaro-cli missing"
# The command-line program runs without any display.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/lintaro-cli" --version |
  grep -q '^lintaro-cli ' || fail "lintaro-cli does not run without a display"
desktop="$prefix/share/applications/$id.desktop"
[ -f "$desktop" ] || fail "desktop entry missing"
desktop-file-validate "$desktop" || fail "desktop entry invalid"
grep -q '^Name\[ja\]=' "$desktop" || fail "no Japanese name"
grep -q '^Categories=.*Graphics;' "$desktop" || fail "not in Graphics"
# Started with the files a file manager opens with it; offered for every picture type it reads.
grep -qx 'Exec=lintaro %F' "$desktop" || fail "Exec does not take files"
for type in bmp gif jpeg png webp tiff; do
  grep -q "^MimeType=\(.*;\)\?image/$type;" "$desktop" || fail "MimeType lacks image/$type"
done
for size in 16 24 32 48 64 128 256; do
  icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png"
  [ -f "$icon" ] || fail "icon $size missing"
  file "$icon" | grep -q "PNG image data, $size x $size" || fail "icon $size is not a ${size}px PNG"
done
metainfo="$prefix/share/metainfo/$id.metainfo.xml"
[ -f "$metainfo" ] || fail "metainfo missing"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$metainfo" || fail "metainfo invalid"
else
  echo "appstreamcli not installed: metainfo not validated"
fi
echo "install layout ok"
