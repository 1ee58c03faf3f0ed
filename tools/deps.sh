#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when they are missing.
set -eu
pkgs="cmake ninja-build g++ qt6-base-dev qt6-serialport-dev qt6-charts-dev libgtest-dev locales desktop-file-utils appstream poppler-utils help2man"
# The screen-reader test runs the program on a virtual display and its own accessibility bus.
pkgs="$pkgs xvfb dbus-daemon dbus-bin at-spi2-core python3-pyatspi"
missing=""
for p in $pkgs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
sudo_=""
[ "$(id -u)" = 0 ] || sudo_=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo_ apt-get update -qq
$sudo_ apt-get install -y -qq $missing
