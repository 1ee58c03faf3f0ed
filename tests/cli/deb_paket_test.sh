#!/usr/bin/env bash
# Builds the .deb of a build tree with cpack, unpacks it with dpkg -x into a scratch root, lists
# its files and checks that the programs, the desktop entry, the icons, the metainfo, the manual
# pages, the changelog and the copyright file are there,
# that the dependencies are declared and that the packaged tool runs.
#   deb_paket_test.sh BUILD_DIR
set -eu
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch/out" >"$scratch/cpack.log" ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/vkr3xsteuerung_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -f "$deb" Package Version Architecture Depends
dpkg -x "$deb" "$scratch/root"
echo "files:"
(cd "$scratch/root" && find . -type f | sort)

id=de.vkr3x.VKR3XSteuerung
missing=0
for f in usr/bin/vkr3xsteuerung usr/bin/vkr3x usr/bin/vkr3x-sim \
  usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/$id.png \
  usr/share/man/man1/{vkr3xsteuerung,vkr3x,vkr3x-sim}.1.gz \
  usr/share/doc/vkr3xsteuerung/{changelog.gz,copyright}; do
  [ -f "$scratch/root/$f" ] || { echo "missing: $f"; missing=1; }
done
for d in libqt6widgets6 libqt6serialport6 libqt6charts6 qt6-qpa-plugins; do
  dpkg-deb -f "$deb" Depends | grep -q "$d" || { echo "not declared: $d"; missing=1; }
done
[ "$missing" = 0 ]
"$scratch/root/usr/bin/vkr3x" --version
"$scratch/root/usr/bin/vkr3x-sim" --help >/dev/null
