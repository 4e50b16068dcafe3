#!/usr/bin/env bash
# Builds the page with Debian's Emscripten: the core as WebAssembly, its tests for Node.js, and
# tallyvane.html, which it copies into the current folder.
#   build.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(mkdir -p "$1" && cd "$1" && pwd)
# Emscripten's JavaScript optimizer finds Debian's acorn here.
export NODE_PATH=/usr/share/nodejs

# Boost.Math is header-only: reach it through a folder that holds boost/ alone, since the host's
# /usr/include would shadow Emscripten's own C library.
mkdir -p "$build/boost-include"
ln -sfn /usr/include/boost "$build/boost-include/boost"
# The smallest code, optimised across the whole program: less for the page to carry and compile.
emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=MinSizeRel \
    -DCMAKE_CXX_FLAGS_MINSIZEREL="-Oz -DNDEBUG -flto" -DCMAKE_EXE_LINKER_FLAGS="-Oz -flto" \
    -DBoost_INCLUDE_DIR="$build/boost-include" -DBoost_NO_BOOST_CMAKE=ON \
    -DTALLYVANE_GUI=OFF -DTALLYVANE_SANITIZERS=OFF -DTALLYVANE_BENCH=OFF >/dev/null
cmake --build "$build"
cp "$build/web/tallyvane.html" .
