#!/usr/bin/env bash
# Fails when a C++ source of the project differs from its .clang-format layout.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
git ls-files -z -- '*.h' '*.cpp' | xargs -0 clang-format --dry-run --Werror
