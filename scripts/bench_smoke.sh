#!/usr/bin/env bash
# Builds every benchmark and runs each once on tiny inputs, so none stops compiling or running unnoticed.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=()
for source in bench/*.cpp; do
    targets+=("$(basename "$source" .cpp)")
done
cmake --build build --target "${targets[@]}"
start=$SECONDS
for name in "${targets[@]}"; do
    echo "== $name"
    SCRIVO_BENCH_SMOKE=1 QT_QPA_PLATFORM=offscreen "build/$name" --benchmark_min_time=0.01 >/dev/null
done
echo "benchmarks: ${#targets[@]} ran on tiny inputs in $((SECONDS - start)) s"
