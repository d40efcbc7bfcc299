#!/usr/bin/env bash
# Installs what the build and the tests need, then configures and builds in Release.
# Quick when everything is already there: apt is only asked for missing packages.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  cmake ninja-build g++ pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2
  # the symbol palettes draw their glyphs from DejaVu Math TeX Gyre, falling back to DejaVu Sans
  fonts-dejavu-extra fonts-dejavu-core
  # the default View PDF entry opens the PDF with xdg-open; the dictionary tests read the
  # English and German word lists
  xdg-utils wamerican wngerman
  texlive-latex-base texlive-bibtex-extra
  # what the shipped templates use: lmodern.sty (article), beamer.cls and the pgf it loads
  lmodern texlive-latex-recommended texlive-pictures
  xvfb xauth
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build=${ORVELT_BUILD_DIR:-build}
if [ ! -f "$build/build.ninja" ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j "$(nproc)"
