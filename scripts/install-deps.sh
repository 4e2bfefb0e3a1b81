#!/usr/bin/env bash
# Installs what building and testing need, from Debian's packages and the npm registry.
# Safe to run again: it installs only what is missing. Runs as root without prompts.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)

packages=(
    cmake ninja-build googletest            # build system and test framework
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 # cross compilers: 32-bit (shipped) and 64-bit (tested)
    wine wine64                             # runs the 64-bit build (never wine32: this kernel has no 32-bit)
    xvfb xauth                              # a virtual display for the windows under test
    x11-apps x11-utils imagemagick          # screenshots (xwd, xwininfo, convert)
    clang libclang-rt-14-dev                # the fuzz target (libFuzzer)
    libarchive-tools unar                   # independent archive readers: bsdtar, lsar/unar
)
# Node.js runs the official RAR library compiled to WebAssembly (node-unrar-js). A machine may
# have it from elsewhere (whose nodejs brings its own npm, which Debian's npm conflicts with).
command -v node >/dev/null 2>&1 || packages+=(nodejs)
command -v npm >/dev/null 2>&1 || packages+=(npm)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing Debian packages: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

if [ "${1:-}" = "--with-node" ] && [ ! -d "$here/tests/readers/node_modules/node-unrar-js" ]; then
    echo "Installing npm package node-unrar-js (tests/readers)"
    (cd "$here/tests/readers" && npm ci --no-audit --no-fund --silent)
fi
