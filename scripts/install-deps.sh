#!/usr/bin/env bash
# Installs the Debian packages a command needs. Runs as root or through sudo; does nothing when
# everything is present.
#
#   bash scripts/install-deps.sh [run|test]
#
# run:  what building and starting the program needs
# test: that, and what the tests, the fuzzers and the interop checks need (the default)
set -euo pipefail

profile="${1:-test}"

packages=(
  cmake g++ pkg-config ninja-build mold
  qt6-base-dev qt6-multimedia-dev libqt6opengl6-dev libgl-dev
  libcdio-dev libcdio-cdda-dev libdiscid-dev zlib1g-dev
)
case "$profile" in
  run) ;;
  test)
    packages+=(
      make clang libclang-rt-dev
      libgtest-dev libgmock-dev googletest libbenchmark-dev
      python3 python3-dbfread python3-dbf libdbd-xbase-perl
      desktop-file-utils appstream dpkg-dev
      xvfb xauth poppler-utils
    )
    ;;
  *)
    echo "install-deps: unknown profile '$profile' (run or test)" >&2
    exit 2
    ;;
esac

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
