#!/usr/bin/env bash
# Installs the Debian 12 packages Lumivo needs to build and test, when missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
  libjpeg62-turbo-dev zlib1g-dev libdeflate-dev libpugixml-dev
  libemf2svg-dev libwmf-dev libfontconfig-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libjpeg-turbo-progs fonts-dejavu-core
  # Qt's own dialogs in German.
  qt6-translations-l10n
  # Other programs' files and decoders that the tests and benchmarks compare against.
  imagemagick netpbm libtiff-tools libimage-exiftool-perl exiv2
  libpng-dev libspng-dev libtiff-dev
  # The window under a virtual display, and the install checks.
  xvfb xauth desktop-file-utils appstream man-db
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
