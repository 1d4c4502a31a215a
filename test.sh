#!/usr/bin/env bash
# Builds ZaroSim with its tests and runs the whole suite.
#   ./test.sh              optimized build in build/
#   ./test.sh --sanitize   AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages "${ZARO_BUILD_PACKAGES[@]}"

BUILD="$ZARO_ROOT/build"
ARGS=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARO_TESTS=ON -DZARO_WERROR=ON)
if [ "${1:-}" = "--sanitize" ]; then
    BUILD="$ZARO_ROOT/build-asan"
    ARGS=(-DCMAKE_BUILD_TYPE=Debug -DZARO_TESTS=ON -DZARO_SANITIZE=ON -DZARO_WERROR=ON)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
zaro_configure "$BUILD" "${ARGS[@]}"
cmake --build "$BUILD"
cd "$BUILD"
ctest --output-on-failure -j"$(nproc)"
