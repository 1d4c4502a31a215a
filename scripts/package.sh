#!/usr/bin/env bash
# Builds the Debian package in build/ and checks it: unpacked into a scratch
# root with dpkg -x, zarosim-cli and the desktop program zarosim run from
# there with libZaroMath.so, the manual and the examples where the package
# puts them, and the package asks for the Qt libraries the program needs.
#   ./scripts/package.sh     leaves build/zarosim_<version>_<arch>.deb
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages "${ZARO_BUILD_PACKAGES[@]}" "${ZARO_PACKAGE_PACKAGES[@]}"

fail() {
    echo "package: $*" >&2
    exit 1
}

BUILD="$ZARO_ROOT/build"
zaro_configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD"
rm -f "$BUILD"/zarosim_*.deb
(cd "$BUILD" && cpack -G DEB >/dev/null 2>&1) || fail "cpack failed"
deb=$(ls "$BUILD"/zarosim_*.deb)

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
cli="$root/usr/bin/zarosim-cli"
[ "$("$cli" eval "4.7k*2")" = "9400" ] || fail "zarosim-cli eval does not run from the package"
"$cli" analyse "$root/usr/share/doc/zarosim/examples/divider.zsm" --kind dc |
    grep -qx "Reading = 8 + j0.00" || fail "the example divider does not read 8 V"
"$cli" version | grep -qx "ProductName: ZaroSim" || fail "no version information in the program"
for file in usr/lib/zarosim/ZaroSim_J.html usr/lib/zarosim/libZaroMath.so \
    usr/share/mime/packages/zarosim-zsm.xml usr/share/applications/zarosim.desktop \
    usr/share/icons/hicolor/scalable/apps/zarosim.svg usr/lib/zarosim/zarosim \
    usr/lib/zarosim/images/about.png usr/lib/zarosim/images/label.png; do
    [ -f "$root/$file" ] || fail "$file is missing"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6gui6 libqt6svg6 qt6-qpa-plugins; do
    grep -q "$library" <<<"$depends" || fail "the package does not depend on $library"
done
# The desktop program opens the example on the offscreen platform and saves its window.
shot="$root/window.png"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$root/config" XDG_RUNTIME_DIR="$root" \
    timeout 60 "$root/usr/bin/zarosim" --screenshot "$shot" \
    "$root/usr/share/doc/zarosim/examples/divider.zsm" 2>/dev/null ||
    fail "zarosim does not start from the package"
[ "$(stat -c %s "$shot")" -gt 10000 ] || fail "zarosim saved no picture of its window"
echo "package: $(basename "$deb") runs from a scratch root"
