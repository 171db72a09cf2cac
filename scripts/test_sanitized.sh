#!/usr/bin/env bash
# Builds Scrivo and every test with AddressSanitizer and UndefinedBehaviorSanitizer (clang)
# into build-asan/, runs the tests, then runs each fuzz target over its seeds and a fixed
# number of generated inputs.
set -euo pipefail
cd "$(dirname "$0")/.."
# The test programs run at build time too (test discovery), so the options hold from here.
export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DSCRIVO_SANITIZE=ON -DSCRIVO_FUZZ=ON >/dev/null
cmake --build build-asan -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build-asan --output-on-failure -j2

# Each fuzz target over its seeds (tests/data/fuzz/<target>) and a fixed number of
# generated inputs; what it finds is kept in build-asan/fuzz/<target>.
fuzz_runs=(
  "nsis_lexer_fuzz 20000"
  "outline_scanner_fuzz 50000"
  "compile_output_fuzz 20000"
  "config_files_fuzz 600"
  "hand_over_fuzz 50000"
  "encoding_fuzz 5000"
)
cmake --build build-asan -j2 --target fuzz
for entry in "${fuzz_runs[@]}"; do
  read -r target runs <<<"$entry"
  corpus=build-asan/fuzz/$target
  mkdir -p "$corpus"
  dict=()
  [ -f "tests/fuzz/${target%_fuzz}.dict" ] && dict=(-dict="tests/fuzz/${target%_fuzz}.dict")
  log=$corpus.log
  echo "fuzz: $target, $runs inputs"
  if ! "build-asan/$target" -runs="$runs" -seed=1 -print_final_stats=1 -artifact_prefix="$corpus/" \
    "${dict[@]}" "$corpus" "tests/data/fuzz/${target%_fuzz}" >"$log" 2>&1; then
    tail -n 80 "$log"
    echo "fuzz: $target failed; the input is in $corpus/"
    exit 1
  fi
  grep -E "^stat::(number_of_executed_units|peak_rss_mb)" "$log" || true
done
