#!/usr/bin/env bash
# Builds Scrivo and starts it, optionally with a script to open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
exec build/scrivo "$@"
