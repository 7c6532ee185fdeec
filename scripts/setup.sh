#!/usr/bin/env bash
# Installs what the build needs (Debian/Ubuntu, apt), then configures and builds into build/.
# Usage: scripts/setup.sh [target...]   (every target when none is named)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkgconf libgtest-dev libgmock-dev qt6-base-dev qt6-svg-dev
          qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
          qt6-translations-l10n libgl-dev libxlsxwriter-dev zlib1g-dev fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing… ${missing[*]} (apt-get; this can take a few minutes)"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}"
fi

if [ ! -f build/build.ninja ]; then
  echo "Configuring… (build/)"
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
fi
targets=()
for t in "$@"; do targets+=(--target "$t"); done
echo "Building… ${*:-everything} (the first build takes several minutes; later ones only what changed)"
cmake --build build ${targets[@]+"${targets[@]}"}
