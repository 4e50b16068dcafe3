#!/usr/bin/env bash
# Installs the MSI in the tests' Wine prefix as IT would (msiexec /qn), then starts the installed
# program on the tests' X server and calculates 7 in 1500 by keyboard: the window must grow. The
# console program installed beside it calculates too.
#   install-msi.sh MSI STATE_DIR
set -euo pipefail
msi=$1
DISPLAY=$(head -1 "$2/window-manager.state")
export DISPLAY CUPS_SERVER=/nonexistent/cups.sock WINEDEBUG=-all
wine msiexec /i "$(winepath -w "$msi")" /qn
programs=$WINEPREFIX/drive_c/Program\ Files/Tallyvane
[[ -f $programs/tallyvane.exe && -f $programs/platforms/qwindows.dll ]]
# The console program runs from where the MSI put it.
[[ $(wine "C:\\Program Files\\Tallyvane\\tallyvane-cli.exe" --json 7 1500 | tr -d '\r') == \
    '{"texts":["4666.66666666667","0.47%","99.53%","4.10"],'* ]]
find "$WINEPREFIX/drive_c" -path '*Start Menu/Programs/Tallyvane.lnk' | grep -q .
wine "C:\\Program Files\\Tallyvane\\tallyvane.exe" &
trap 'kill $! 2>/dev/null; wineserver -k' EXIT
# Wine names the window before openbox manages it, and a search fails outright (BadWindow) when
# a window goes while it walks the tree: search and activate again until both succeed.
until window=$(xdotool search --sync --onlyvisible --name '^Tallyvane-www.tallyvane.example$' |
    head -1) && xdotool windowactivate --sync "$window" 2>/dev/null; do
    sleep 0.1
done
xdotool type --delay 50 7 && xdotool key Return && xdotool type --delay 50 1500
xdotool key Return Return
for _ in $(seq 50); do  # 6120 x 5600 twips with the frame: wider and taller than 400 x 120
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    [[ ${geometry%x*} -gt 400 && ${geometry#*x} -gt 300 ]] && exit 0
    sleep 0.1
done
echo "the window did not grow: $geometry" >&2
exit 1
