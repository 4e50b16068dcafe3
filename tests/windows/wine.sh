#!/usr/bin/env bash
# ctest's emulator for the Windows build: runs a test program under Wine, in the prefix that
# `make windows-test` makes afresh, on the tests' own X server, printing through the tests'
# private CUPS scheduler or through none: never through the machine's own printers.
#   wine.sh PROGRAM [ARGUMENTS...]
set -euo pipefail
: "${WINEPREFIX:?run through make windows-test, which makes the Wine prefix}"
state=${TALLYVANE_STATE:-/nonexistent}
if [[ -f $state/window-manager.state ]]; then
    DISPLAY=$(head -1 "$state/window-manager.state")
    export DISPLAY
fi
cups=$(cat "$state/private-cups.state" 2>/dev/null || echo /nonexistent)
export CUPS_SERVER=$cups/cups.sock WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps Qt's QT_ variables from Windows programs: cmd sets them again. (Wine would escape
# quotes on cmd's line, so the program's path and arguments go without.)
command="$(winepath -w "$1") ${*:2}"
for name in $(compgen -e | grep '^QT_'); do
    command="set $name=${!name}&& $command"
done
exec wine cmd /c "$command"
