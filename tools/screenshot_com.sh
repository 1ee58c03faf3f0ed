#!/usr/bin/env bash
# Remakes the README's picture of the COM panel: the simulator's line (a version-b regulator at
# address 1) behind a stand-in stable name, bound to COM 2 and opened through the binding at
# start, on a virtual display.
#   tools/screenshot_com.sh [BUILD_DIR] [OUT.png]     (defaults: build, docs/companel.png)
# Installs xvfb, xdotool and imagemagick when missing.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
build=$root/${1:-build}
out=$root/${2:-docs/companel.png}
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
coproc SIM { exec "$build/sim/vkr3x-sim" --device 1:b; }
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true; rm -rf "$work"' EXIT
read -r device <&"${SIM[0]}"
# The folder of stable names is the test hook's: a link to the pseudo-terminal stands in for an
# adapter's /dev/serial/by-id name.
mkdir "$work/by-id"
link=$work/by-id/usb-vkr3x-sim_Regler_0001-if00-port0
ln -s "$device" "$link"
printf '[COMBINDUNG]\r\ncom2 = "%s"\r\n\r\n[VKR3AX2]\r\nport = 2\r\nlport = 2\r\nadresse = 49\r\nbaudrate = 9600\r\nsprache = 1\r\n' \
  "$link" >"$work/vkr3ax2Steuerung.ini"

unset QT_QPA_PLATFORM
# Once the main window is up, Einstellungen/Com Einstellung is chosen (menu position in the
# window); the shot is taken of the whole window, the panel in its corner.
xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  cd "$1" && VKR3X_SERIAL_BY_ID="$1/by-id" "$2" & pid=$!
  w=$(xdotool search --sync --onlyvisible --name "VKR 3 A X2 Steuerung" | head -1)
  sleep 1
  xdotool mousemove --window "$w" 95 10 click 1
  sleep 0.5
  xdotool key Down Return
  sleep 2
  import -window "$w" "$3"
  kill $pid 2>/dev/null; wait $pid 2>/dev/null || true' _ "$work" "$build/app/vkr3xsteuerung" "$out"
echo "$out"
