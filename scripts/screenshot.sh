#!/usr/bin/env bash
# Starts the built editor under a virtual X server and saves a screenshot.
# Usage: scripts/screenshot.sh OUT.png [seconds] [scrivo arguments...]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "$1"); wait_s=${2:-3}; shift $(( $# >= 2 ? 2 : 1 ))
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  build/scrivo "$@" & pid=$!
  sleep '"$wait_s"'
  import -window root "'"$out"'"
  kill $pid 2>/dev/null || true
' _ "$@"
echo "$out"
