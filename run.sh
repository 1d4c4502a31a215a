#!/usr/bin/env bash
# Builds ZaroSim and runs it: analyses an example circuit with the command-line tool.
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages "${ZARO_BUILD_PACKAGES[@]}"
BUILD="$ZARO_ROOT/build"
zaro_configure "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" --target zarosim-cli
exec "$BUILD/bin/zarosim-cli" "$@"
