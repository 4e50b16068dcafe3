#!/usr/bin/env bash
# Runs the Windows build's tests under Wine through ctest, in a Wine prefix made afresh without
# a display or the machine's printers, with the libraries beside the test programs as they are
# beside the installed program.
#   test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
qt=$("$(dirname "$0")/build-qt.sh")
export WINEPREFIX=$build/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
rm -rf "$WINEPREFIX"
DISPLAY='' CUPS_SERVER=/nonexistent/cups.sock wineboot -i >/dev/null 2>&1
wineserver -w
cp -r "$build"/deploy/Tallyvane/{*.dll,platforms,styles} "$qt/bin/Qt6Test.dll" "$build/"
cd "$build" && ctest --output-on-failure
