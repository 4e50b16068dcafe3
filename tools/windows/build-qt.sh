#!/usr/bin/env bash
# Builds Qt for Windows (Core, Gui, Widgets, PrintSupport, Test and the windows platform plugin)
# from Debian's own qt6-base source with MinGW-w64, using the host's Qt as the host tools. The
# result goes to a cache outside the checkout, keyed by this recipe, and is built only once;
# prints its prefix.
#   build-qt.sh
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$here/../../cmake/windows-toolchain.cmake
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
key=$(cat "$0" "$toolchain" <(echo "$version") | sha256sum | cut -c1-12)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/tallyvane
prefix=$cache/qt-windows-$key
if [[ -f $prefix/.complete ]]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tallyvane-qt.XXXXXX")
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq "qt6-base=$version" >/dev/null 2>&1) || {
    echo "apt-get source qt6-base=$version failed: is there a deb-src entry?" >&2
    exit 1
}
src=$(echo "$work"/qt6-base-*/)
rm -rf "$prefix"
echo "Building Qt $version for Windows into $prefix (once; about 15 minutes)" >&2
# The dfsg source lacks the wintab headers (tablet events); Direct2D 1.1 is left out rather than
# all of Direct2D, which PrintSupport and the platform plugin link against. What the program
# does not use is switched off.
(cd "$work" && mkdir build && cd build &&
    "$src/configure" -prefix "$prefix" -release -shared -nomake examples -nomake tests \
        -xplatform win32-g++ -qt-host-path /usr \
        -no-feature-tabletevent -no-feature-direct2d1_1 \
        -qt-zlib -qt-pcre -qt-libpng -qt-harfbuzz -no-freetype -no-fontconfig -no-feature-jpeg -no-feature-gif \
        -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network -no-feature-xml \
        -no-feature-concurrent -no-feature-vulkan -no-feature-imageformatplugin \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake >"$work/configure.log" 2>&1 ||
    { tail -40 "$work/configure.log" >&2; exit 1; })
cmake --build "$work/build" >"$work/build.log" 2>&1 || { grep -B2 -A20 FAILED "$work/build.log" | head -60 >&2; exit 1; }
cmake --install "$work/build" >/dev/null
touch "$prefix/.complete"
echo "$prefix"
