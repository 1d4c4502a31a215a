#!/usr/bin/env bash
# Builds ZaroSim and runs it. With no arguments it opens the desktop program
# on an example circuit when there is a display, otherwise it runs the example
# NPN amplifier's AC analysis in the terminal; any arguments go to zarosim-cli.
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages "${ZARO_BUILD_PACKAGES[@]}"
BUILD="$ZARO_ROOT/build"
zaro_configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ $# -eq 0 ]; then
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        cmake --build "$BUILD" --target zarosim
        exec "$BUILD/bin/zarosim" "$ZARO_ROOT/examples/diode-lamp.zsm"
    fi
    echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are empty): running the example in the terminal."
    set -- analyse "$ZARO_ROOT/examples/npn-common-emitter.zsm" --kind ac
fi
cmake --build "$BUILD" --target zarosim-cli
exec "$BUILD/bin/zarosim-cli" "$@"
