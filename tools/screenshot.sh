#!/usr/bin/env bash
# Remakes the README's screenshot: the real program's main panel, connected to the simulator
# (a version-b regulator at address 1 as COM 1, 9600 baud), on a virtual display.
#   tools/screenshot.sh [BUILD_DIR] [OUT.png]     (defaults: build, packaging/screenshots/hauptpanel.png)
# Installs xvfb, xdotool and imagemagick when missing.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
build=$root/${1:-build}
out=$root/${2:-packaging/screenshots/hauptpanel.png}
mkdir -p "$(dirname "$out")"

need=""
command -v xvfb-run >/dev/null || need="$need xvfb xauth"
command -v import >/dev/null || need="$need imagemagick"
command -v xdotool >/dev/null || need="$need xdotool"
if [ -n "$need" ]; then
  sudo_=""
  [ "$(id -u)" = 0 ] || sudo_=sudo
  DEBIAN_FRONTEND=noninteractive $sudo_ apt-get install -y -qq $need >/dev/null
fi

work=$(mktemp -d)
printf '[VKR3AX2]\r\nport = 1\r\nlport = 1\r\nadresse = 49\r\nbaudrate = 9600\r\nsprache = 1\r\n' \
  >"$work/vkr3ax2Steuerung.ini"
coproc SIM { exec "$build/sim/vkr3x-sim" --device 1:b; }
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
read -r device <&"${SIM[0]}"

unset QT_QPA_PLATFORM
# Once the main window is up, "An VKR3AX2-Version anpassen" and "abfragen" are pressed (positions
# in the window), so that the picture shows the regulator's version and live values; the shot
# is then taken of the window alone.
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  cd "$1" && VKR3X_COM1="$2" "$3" & pid=$!
  w=$(xdotool search --sync --onlyvisible --name "VKR 3 A X2 Steuerung" | head -1)
  sleep 1
  xdotool mousemove --window "$w" 123 355 click 1
  xdotool mousemove --window "$w" 1222 142 click 1
  xdotool mousemove --window "$w" 1100 600
  sleep 1
  import -window "$w" "$4"
  kill $pid 2>/dev/null; wait $pid 2>/dev/null || true' _ "$work" "$device" "$build/app/vkr3xsteuerung" "$out"
echo "$out"
