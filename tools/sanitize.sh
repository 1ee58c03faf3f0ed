#!/usr/bin/env bash
# Builds the whole program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer
# into build-asan/ and runs every test there (headless). Any report of either ends the test
# that caused it as failed. Then builds what the station's tests need (the threads of vkr3x
# station and the simulators serving it) with ThreadSanitizer into build-tsan/ and runs them;
# a race reported in vkr3x makes it exit 66, which fails the test.
set -eu
cd "$(dirname "$0")/.."
bash tools/deps.sh
bau=build-asan
# GCC warns of uninitialised values inside its own <regex> once instrumented; not in plain builds.
flags="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer -Wno-maybe-uninitialized"
cmake -S . -B "$bau" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$bau"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
ctest --test-dir "$bau" --output-on-failure --parallel "$(nproc)" --timeout 600

tsan=build-tsan
flags="-fsanitize=thread -fno-omit-frame-pointer -Wno-maybe-uninitialized"
cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$tsan" --target test_station vkr3x
export TSAN_OPTIONS="halt_on_error=1:exitcode=66:second_deadlock_stack=1:suppressions=$PWD/tools/tsan.supp"
ctest --test-dir "$tsan" -R '^Station\.' --no-tests=error --output-on-failure --timeout 600
