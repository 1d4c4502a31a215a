#!/usr/bin/env bash
# Builds ZaroSim and runs it. With no arguments it opens the example NPN amplifier
# and runs the AC analysis at its operating point; any arguments go to zarosim-cli.
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages "${ZARO_BUILD_PACKAGES[@]}"
BUILD="$ZARO_ROOT/build"
zaro_configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" --target zarosim-cli
if [ $# -eq 0 ]; then
    set -- analyse "$ZARO_ROOT/examples/npn-common-emitter.zsm" --kind ac
fi
exec "$BUILD/bin/zarosim-cli" "$@"
