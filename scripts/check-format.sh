#!/usr/bin/env bash
# Fails when a C++ source of the project differs from its .clang-format layout.
set -euo pipefail
ZARO_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
source "$ZARO_ROOT/scripts/deps.sh"
zaro_ensure_packages clang-format
cd "$ZARO_ROOT"
git ls-files -z -- '*.h' '*.cpp' | xargs -0 clang-format --dry-run --Werror
echo "Formatting: every source follows .clang-format"
