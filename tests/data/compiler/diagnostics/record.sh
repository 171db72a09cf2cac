#!/bin/sh
# Records what makensis prints for each scenario, as the editor runs it: in
# the script's folder, GBK scripts converted to UTF-8 on standard input.
set -u
cd "$(dirname "$0")"
for script in */*.nsi; do
    dir=$(dirname "$script")
    name=$(basename "$script" .nsi)
    if iconv -f utf-8 -t utf-8 "$script" >/dev/null 2>&1; then
        (cd "$dir" && makensis -NOCONFIG "$name.nsi" >"$name.out" 2>&1)
    else
        (cd "$dir" && iconv -f gbk -t utf-8 "$name.nsi" | makensis -NOCONFIG - >"$name.out" 2>&1)
    fi
    rm -f "$dir"/*.exe
done
