#!/usr/bin/env bash
# Builds Scrivo's Debian package with CPack and installs it with apt (as root, or through sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
rm -f build/scrivo_*.deb
(cd build && cpack -G DEB)
deb=$(realpath build/scrivo_*.deb)
if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get install -y "$deb"
echo "Installed $deb: start it with 'scrivo' or from the desktop's menu."
