#!/usr/bin/env bash
# Times the built editor from exec until its window is on screen, empty and with a large script.
# Usage: scripts/startup_timing.sh [megabytes of the large script, default 10]
set -euo pipefail
cd "$(dirname "$0")/.."
mb=${1:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A program folder of its own, so the user's settings and open files play no part.
cp build/scrivo build/langs.xml build/stylers.xml "$work/"
printf '<?xml version="1.0" encoding="UTF-8"?>\n<Scrivo><BaseConfig><OpenLastFiles Val="0"/></BaseConfig></Scrivo>\n' > "$work/config.xml"
mkdir -m 700 "$work/run"
# NSIS's own headers, repeated up to the size asked for.
cat /usr/share/nsis/Include/*.nsh > "$work/base.nsh"
: > "$work/big.nsi"
while [ "$(stat -c %s "$work/big.nsi")" -lt $((mb * 1024 * 1024)) ]; do cat "$work/base.nsh" >> "$work/big.nsi"; done
truncate -s $((mb * 1024 * 1024)) "$work/big.nsi"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  # The window counts as shown once its caption names what it shows.
  measure() {
    local caption=$1; shift
    local start=$(date +%s%N)
    XDG_RUNTIME_DIR="'"$work"'/run" "'"$work"'/scrivo" "$@" & local pid=$!
    until xwininfo -root -tree 2>/dev/null | grep -q "$caption"; do sleep 0.002; done
    local end=$(date +%s%N)
    kill $pid; wait $pid 2>/dev/null || true
    echo $(( (end - start) / 1000000 ))
  }
  measure "起始页" >/dev/null  # warm the file cache
  empty=$(measure "起始页"); big=$(measure "big.nsi - Korvane" "'"$work"'/big.nsi")
  echo "empty editor: ${empty} ms"
  echo "with '"$mb"' MB script: ${big} ms (adds $((big - empty)) ms)"
'
