#!/usr/bin/env bash
# Installs what is needed, builds, runs every test and each benchmark on tiny inputs; then the tests again with the sanitizers, and the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
scripts/bench_smoke.sh
scripts/test_sanitized.sh
