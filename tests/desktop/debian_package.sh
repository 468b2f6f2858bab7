#!/usr/bin/env bash
# Makes the Debian package from a built tree, unpacks it into a scratch root and starts the
# unpacked program: it answers --version, and makes a new catalogue from the template it finds
# beside itself.
#
#   debian_package.sh BUILD_DIR SCRATCH_DIR
set -euo pipefail
build="$1"
scratch="$2"
rm -rf "$scratch"
mkdir -p "$scratch/root"

cpack --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; exit 1; }
deb="$(echo "$scratch"/*.deb)"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' ||
    { echo "the package does not declare the Qt libraries it needs" >&2; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"

for file in bin/tunelo share/applications/org.tunelo.Tunelo.desktop \
    share/metainfo/org.tunelo.Tunelo.metainfo.xml share/icons/hicolor/scalable/apps/org.tunelo.Tunelo.svg \
    share/icons/hicolor/48x48/apps/org.tunelo.Tunelo.png share/tunelo/data/hfdat.fpt \
    share/tunelo/data/help/index.html share/tunelo/data/error.wav; do
    [ -e "$scratch/root/usr/$file" ] || { echo "the package lacks /usr/$file" >&2; exit 1; }
done

export QT_QPA_PLATFORM=offscreen
unset TUNELO_DATA_DIR
program="$scratch/root/usr/bin/tunelo"
version="$("$program" --version)"
[ "$version" = "tunelo $(dpkg-deb --field "$deb" Version)" ] ||
    { echo "--version printed '$version'" >&2; exit 1; }
"$program" --new-catalogue --quit-when-ready "$scratch/catalogue"
[ -e "$scratch/catalogue/artdat.dat" ] || { echo "no catalogue was made" >&2; exit 1; }
echo "$deb installs and runs"
