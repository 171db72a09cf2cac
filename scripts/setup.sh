#!/usr/bin/env bash
# Installs every Debian package that Scrivo's build, tests and run need. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libqscintilla2-qt6-dev libtinyxml2-dev zlib1g-dev libuchardet-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # The sanitized test build and the fuzz targets (scripts/test_sanitized.sh)
  clang libclang-rt-dev llvm
  nsis nsis-doc
  # Running built installers and the install/uninstall test run (64-bit wine; wine32 needs i386 multiarch)
  wine wine64
  xvfb xauth fonts-wqy-microhei
  # A screen reader's bus for the whole-frame typing benchmark (scripts/with_reader_bus.sh)
  dbus-daemon dbus-bin at-spi2-core
  # Desktop integration: the MIME database, the validators and the tools the tests ask
  shared-mime-info desktop-file-utils appstream xdg-utils libfile-mimeinfo-perl
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then as_root=(); else as_root=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update
"${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
