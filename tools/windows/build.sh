#!/usr/bin/env bash
# Builds Tallyvane for 64-bit Windows against the cached Qt for Windows, with the tests, and
# packs the program's folder as a zip and an MSI into the current folder.
#   build.sh BUILD_DIR
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(mkdir -p "$1" && cd "$1" && pwd)
qt=$("$root/tools/windows/build-qt.sh")

# Boost.Math, nlohmann-json and CLI11 are header-only: reach them through a folder that holds
# them alone, never through /usr/include, whose other headers are the host's.
mkdir -p "$build/boost-include"
for library in boost nlohmann CLI; do
    ln -sfn "/usr/include/$library" "$build/boost-include/$library"
done
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/windows-toolchain.cmake" \
    -DCMAKE_PREFIX_PATH="$qt" -DCMAKE_FIND_ROOT_PATH="$qt" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DBoost_INCLUDE_DIR="$build/boost-include" -DBoost_NO_BOOST_CMAKE=ON \
    -DTALLYVANE_HEADER_ONLY_DIR="$build/boost-include" \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/tests/windows/wine.sh" \
    -DTALLYVANE_SANITIZERS=OFF -DTALLYVANE_BENCH=OFF >/dev/null
cmake --build "$build"

# The folder that ships: the program, the Qt libraries and plugins it loads, MinGW's runtime.
version=$(sed -n 's/^project(tallyvane VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
deploy=$build/deploy/Tallyvane
rm -rf "$build/deploy" && mkdir -p "$deploy/platforms" "$deploy/styles"
cp "$build"/{tallyvane.exe,tallyvane-cli.exe,tallyvane_printer.dll,tallyvane_samples_window.dll} "$deploy/"
cp "$qt"/bin/Qt6{Core,Gui,Widgets,PrintSupport}.dll "$deploy/"
cp "$qt/plugins/platforms/qwindows.dll" "$deploy/platforms/"
cp "$qt/plugins/styles/qwindowsvistastyle.dll" "$deploy/styles/"
cp /usr/lib/gcc/x86_64-w64-mingw32/12-posix/{libgcc_s_seh-1,libstdc++-6}.dll \
    /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$deploy/"
find "$deploy" -name '*.exe' -o -name '*.dll' | xargs x86_64-w64-mingw32-strip --strip-unneeded

zip_file=$PWD/tallyvane-$version-windows-x64.zip
rm -f "$zip_file"
(cd "$build/deploy" && zip -qr "$zip_file" Tallyvane)
(cd "$build/deploy" && find Tallyvane -type f | sort |
    wixl-heat -p Tallyvane/ --component-group TallyvaneFiles --var var.SourceDir \
        --directory-ref INSTALLDIR --win64 >"$build/files.wxs")
msi=$PWD/tallyvane-$version-x64.msi
(cd "$build" && wixl -a x64 -D Win64=yes -D Version="$version" -D SourceDir=deploy/Tallyvane \
    -D IconFile=app/tallyvane.ico -o "$msi" "$root/data/windows/tallyvane.wxs" files.wxs)
ls "$(basename "$msi")" "$(basename "$zip_file")"
