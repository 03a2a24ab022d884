#!/usr/bin/env bash
# Builds the Debian package and checks that it declares what the program needs at run time.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >/dev/null
deb=$(ls "$out"/lintaro_*.deb)
info=$(dpkg-deb --info "$deb")
echo "$info" | sed -n '/Package:/,$p'
depends=$(echo "$info" | sed -n 's/^ Depends: //p')
for need in libqt6widgets6 libqt6gui6 libqt6printsupport6 qt6-qpa-plugins \
            qt6-image-formats-plugins libcups2 fonts-ipafont-gothic qt6-translations-l10n libgif7 \
            libimagequant0 libwebp7 libwebpmux3 libavformat libavcodec libswscale; do
  echo "$depends" | grep -q "$need" || fail "package does not depend on $need"
done
contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/lintaro ./usr/bin/lintaro-cli ./usr/share/applications/io.github.lintaro.Lintaro.desktop \
            ./usr/share/metainfo/io.github.lintaro.Lintaro.metainfo.xml \
            ./usr/share/icons/hicolor/32x32/apps/io.github.lintaro.Lintaro.png; do
  echo "$contents" | grep -q " $path\$" || fail "package lacks $path"
done
echo "package ok"
