#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Runs as root or through sudo; does nothing when everything is present.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ninja-build clang libclang-rt-dev
  qt6-base-dev qt6-multimedia-dev libqt6opengl6-dev libgl-dev
  libcdio-dev libcdio-cdda-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  python3 python3-dbfread python3-dbf libdbd-xbase-perl
  libdiscid-dev
  desktop-file-utils appstream dpkg-dev
  xvfb xauth poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
