#!/usr/bin/env bash
# Installs the Debian packages the project needs, when some are missing.
set -euo pipefail

packages=(
  build-essential g++ clang libclang-rt-14-dev cmake ninja-build ccache pkg-config
  qt6-base-dev libgl-dev fonts-dejavu-core xvfb
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev libsimdjson-dev libcli11-dev liborcus-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
