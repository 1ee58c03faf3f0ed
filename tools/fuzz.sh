#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs every target for the given
# number of seconds (default 600), JOBS targets at a time (default 2):
#   bash tools/fuzz.sh [seconds] [target...]
# Each target starts from its stored corpus in tests/fuzz/<target>/ and grows a working corpus
# in build-fuzz/korpus/<target>/. An input that breaks a check is saved in build-fuzz/funde/ and
# the script ends with status 1; copy it into tests/fuzz/<target>/ (named fund-...) once fixed,
# so that every test run replays it.
set -eu
cd "$(dirname "$0")/.."
sekunden=${1:-600}
[ $# -gt 0 ] && shift
ziele=${*:-"parameter_antwort identitaet seed status ini_getint programmdatei"}
jobs=${JOBS:-2}
bau=build-fuzz

if ! command -v clang++-14 >/dev/null ||
    [ ! -f "$(clang++-14 -print-resource-dir)/lib/linux/libclang_rt.fuzzer-x86_64.a" ]; then
  echo "needs the Debian packages clang-14 and libclang-rt-14-dev" >&2
  exit 2
fi
CC=clang-14 CXX=clang++-14 cmake -S . -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVKR3X_FUZZ=ON >/dev/null
cmake --build "$bau" --target $(for z in $ziele; do printf 'fuzz_%s ' "$z"; done)

lauf() {
  local z=$1
  mkdir -p "$bau/korpus/$z" "$bau/funde/$z"
  if "$bau/fuzz/fuzz_$z" -max_total_time="$sekunden" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$bau/funde/$z/" "$bau/korpus/$z" "tests/fuzz/$z" >"$bau/funde/$z.log" 2>&1; then
    echo "$z: no finding in ${sekunden} s ($(grep -o 'stat::number_of_executed_units: *[0-9]*' "$bau/funde/$z.log" | grep -o '[0-9]*$') runs)"
  else
    echo "$z: FINDING, see $bau/funde/$z.log and $bau/funde/$z/"
    return 1
  fi
}

export -f lauf
export bau sekunden
printf '%s\n' $ziele | xargs -P "$jobs" -I{} bash -c 'lauf {}'
