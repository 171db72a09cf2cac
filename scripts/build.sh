#!/usr/bin/env bash
# Configures and builds Scrivo and its tests into build/. In CI warnings fail the build.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
[ "${CI:-}" = true ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DSCRIVO_WERROR=$werror >/dev/null
cmake --build build
