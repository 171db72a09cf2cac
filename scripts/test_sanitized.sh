#!/usr/bin/env bash
# Builds Scrivo and every test with AddressSanitizer and UndefinedBehaviorSanitizer (clang)
# into build-asan/ and runs the tests.
set -euo pipefail
cd "$(dirname "$0")/.."
# The test programs run at build time too (test discovery), so the options hold from here.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSCRIVO_SANITIZE=ON >/dev/null
cmake --build build-asan -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2

