#!/usr/bin/env bash
# Installs the Debian packages a build needs. Sourced by run.sh and test.sh.
# Usage: zaro_ensure_packages PKG...

zaro_ensure_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -eq 0 ]; then
        echo "Installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq || return 1
        apt-get install -y -qq --no-install-recommends "${missing[@]}" || return 1
    else
        echo "Missing packages. Run:"
        echo "  sudo apt-get install -y ${missing[*]}"
        return 1
    fi
}

ZARO_BUILD_PACKAGES=(g++ cmake ninja-build pkg-config ccache libgtest-dev libgmock-dev libbenchmark-dev
    libc6 libsuitesparse-dev zlib1g-dev qt6-base-dev qt6-qpa-plugins qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libgl-dev fonts-ipafont-gothic
    xvfb xauth)
ZARO_CLANG_PACKAGES=(clang libclang-rt-14-dev llvm)
# cpack's Debian generator works out the package's dependencies with dpkg-shlibdeps.
ZARO_PACKAGE_PACKAGES=(dpkg-dev)

# zaro_configure BUILD_DIR [CMAKE_ARGS...]: configure once, out of tree.
zaro_configure() {
    local dir=$1
    shift
    local launcher=()
    # Rebuilds of an unchanged file come from the compiler cache when there is one.
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S "$ZARO_ROOT" -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
}
