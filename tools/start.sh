#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program connected to a simulated regulator:
# vkr3x-sim serves a version-b regulator (dither table supported) at address 1, COM 1 is mapped
# to it, and the program runs in build/start/, whose settings file opens COM 1 at 9600 baud.
# Closing the program stops the simulator. Arguments are passed on to the program.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
bash tools/build.sh

work=build/start
mkdir -p "$work"
# The settings the program starts with; a language chosen in an earlier run is kept.
sprache=$(sed -n 's/^sprache = \([0-9]*\).*/\1/p' "$work/vkr3ax2Steuerung.ini" 2>/dev/null || true)
printf '[VKR3AX2]\r\nport = 1\r\nlport = 1\r\nadresse = 49\r\nbaudrate = 9600\r\nsprache = %s\r\n' \
  "${sprache:-1}" >"$work/vkr3ax2Steuerung.ini"

# The simulator's first line is its device; it serves until it is stopped.
coproc SIM { exec "$root/build/sim/vkr3x-sim" --device 1:b; }
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT
read -r device <&"${SIM[0]}"
echo "vkr3x-sim: regulator b at address 1 on $device (COM 1)"

cd "$work"
VKR3X_COM1=$device "$root/build/app/vkr3xsteuerung" "$@"
