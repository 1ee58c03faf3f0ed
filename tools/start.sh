#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -eu
cd "$(dirname "$0")/.."
bash tools/build.sh
exec ./build/app/vkr3xsteuerung "$@"
