#!/usr/bin/env bash
# Checks the Debian package as a user of a fresh Debian 12 system meets it: builds the .deb, runs
# lintian on it (no errors, no warnings), installs it with apt-get into a fresh minimal Debian 12
# tree and there runs "vkr3x --version", "man -w vkr3x", the tool against the simulator and the
# desktop program headless. Needs root (debootstrap, chroot) and the Debian package registry.
#
# The minimal tree (debootstrap minbase with man-db) is made once in build-pkg/debian12 and kept;
# each run installs into a fresh copy of it. The packages apt downloads are kept in
# build-pkg/apt-archive, so a second run needs the network only when they change.
set -eu
cd "$(dirname "$0")/.."
root=$PWD
work=$root/build-pkg
base=$work/debian12
tree=$work/probe
archive=$work/apt-archive
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}
sudo_=""
[ "$(id -u)" = 0 ] || sudo_=sudo

summary=()
started=$(date +%s)
say() { echo "package-check: $*"; }
note() { summary+=("$*"); say "$*"; }
fail() {
  say "FAILED: $*"
  exit 1
}

# ---- Tools ------------------------------------------------------------------------------------
need=""
for p in lintian debootstrap; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need="$need $p"
done
if [ -n "$need" ]; then
  say "installing$need"
  $sudo_ env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  $sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $need >/dev/null
fi

# ---- Package ----------------------------------------------------------------------------------
bash tools/build.sh
mkdir -p "$work"
rm -rf "$work/out"
cpack --config build/CPackConfig.cmake -G DEB -B "$work/out" >"$work/cpack.log" ||
  { cat "$work/cpack.log"; fail "cpack could not make the package"; }
deb=$(ls "$work"/out/vkr3xsteuerung_*.deb)
note "package: ${deb#$root/} ($(du -k "$deb" | cut -f1) KiB)"

# ---- lintian ----------------------------------------------------------------------------------
# Errors and warnings are what it shows by default; it says nothing about a clean package.
lint=$(lintian "$deb" 2>&1 | grep -v '^running with root privileges' || true)
if [ -n "$lint" ]; then
  echo "$lint"
  fail "lintian: $(echo "$lint" | wc -l) complaints (above)"
fi
note "lintian $(lintian --version | sed 's/^Lintian v//'): no errors, no warnings"

# ---- A fresh minimal Debian 12 ----------------------------------------------------------------
if [ ! -f "$base/.fertig" ]; then
  say "making the minimal Debian 12 tree (once) in ${base#$root/}"
  rm -rf "$base"
  $sudo_ debootstrap --variant=minbase --include=man-db bookworm "$base" "$mirror" >"$work/debootstrap.log" ||
    { tail -20 "$work/debootstrap.log"; fail "debootstrap (log: ${work#$root/}/debootstrap.log)"; }
  $sudo_ chroot "$base" apt-get clean
  $sudo_ touch "$base/.fertig"
fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do $sudo_ umount -l "${mounted[i]}" 2>/dev/null || true; done
}
trap cleanup EXIT
bind() { # bind SOURCE TARGET-IN-TREE
  $sudo_ mkdir -p "$tree$2"
  $sudo_ mount --bind "$1" "$tree$2"
  mounted+=("$tree$2")
}

# What an interrupted run left mounted is unmounted before its tree goes.
findmnt -rn -o TARGET | grep "^$tree/" | sort -r | while read -r m; do $sudo_ umount -l "$m"; done
$sudo_ rm -rf --one-file-system "$tree"
$sudo_ cp -a "$base" "$tree"
mkdir -p "$archive/partial"
bind "$archive" /var/cache/apt/archives
$sudo_ mount -t proc proc "$tree/proc" && mounted+=("$tree/proc")
bind /dev/pts /dev/pts # the simulator's pseudo-terminal
$sudo_ cp "$deb" "$tree/tmp/"
in_tree() { $sudo_ chroot "$tree" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

say "installing $(basename "$deb") with apt-get"
in_tree apt-get update -qq >"$work/apt.log" 2>&1 || { tail "$work/apt.log"; fail "apt-get update in the tree"; }
in_tree env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "/tmp/$(basename "$deb")" \
  >>"$work/apt.log" 2>&1 || { tail -20 "$work/apt.log"; fail "apt-get install of the package"; }
note "installed into a fresh Debian $(cat "$tree/etc/debian_version") minbase tree with $(grep -c '^Unpacking' "$work/apt.log") packages"

# ---- The programs in the tree -----------------------------------------------------------------
version=$(in_tree vkr3x --version) || fail "vkr3x --version"
note "vkr3x --version: $version"
for page in vkr3x vkr3x-sim vkr3xsteuerung; do
  where=$(in_tree man -w "$page") || fail "man -w $page finds no page"
  note "man -w $page: $where"
done
in_tree env MANWIDTH=80 man vkr3x 2>&1 | grep -q '^ *load-program' || fail "man vkr3x does not show the command list"
note "man vkr3x: shows the page with the command list"

# The simulator prints its pseudo-terminal, then serves until it is stopped.
coproc SIM { exec $sudo_ chroot "$tree" env -i PATH=/usr/bin:/bin vkr3x-sim --device 1:b; }
read -r -t 10 device <&"${SIM[0]}" || fail "vkr3x-sim printed no device"
identity=$(in_tree vkr3x id --device "$device" --timeout 5) || fail "vkr3x id against vkr3x-sim on $device"
note "vkr3x id --device $device (vkr3x-sim): $identity"

# The desktop program has no option that ends it, so it runs offscreen connected to the same
# simulator until the timeout stops it; it must still run then (timeout's status 124), not have
# ended or crashed. What it printed is shown.
in_tree mkdir -p /tmp/start /tmp/run
in_tree chmod 700 /tmp/run
printf '[VKR3AX2]\r\nport = 1\r\nadresse = 49\r\nbaudrate = 9600\r\n' | $sudo_ tee "$tree/tmp/start/vkr3ax2Steuerung.ini" >/dev/null
status=0
gui=$(in_tree sh -c "cd /tmp/start && XDG_RUNTIME_DIR=/tmp/run VKR3X_COM1=$device QT_QPA_PLATFORM=offscreen timeout 8 vkr3xsteuerung" 2>&1) || status=$?
kill "$SIM_PID" 2>/dev/null || true
[ "$status" = 124 ] || { echo "$gui"; fail "vkr3xsteuerung ended with status $status before the timeout"; }
note "vkr3xsteuerung (offscreen, COM 1 on the simulator): still running after 8 s, stopped by the timeout"
[ -z "$gui" ] || while IFS= read -r line; do note "  it printed: $line"; done <<<"$gui"

echo
echo "package-check summary ($(($(date +%s) - started)) s):"
printf '  %s\n' "${summary[@]}"
echo "  PASSED"
