#!/usr/bin/env bash
# The program as a desktop starts it: its window shows on the test display with the class
# "Tallyvane"; with no display at all it says so in one line and exits with 1.
#   program.sh TALLYVANE WINDOW_MANAGER_STATE
set -uo pipefail
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" 2>&1)
[[ $? -eq 1 && $out == "tallyvane: no display to show the window on"* ]] || { echo "$out"; exit 1; }
export DISPLAY=$(head -n 1 "$2")
env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$1" &
trap 'kill $!' EXIT
for _ in $(seq 100); do
    xwininfo -name Tallyvane-www.tallyvane.example 2>/dev/null | grep -q IsViewable &&
        xprop -name Tallyvane-www.tallyvane.example WM_CLASS | grep -q '"Tallyvane"$' && exit 0
    sleep 0.1
done
exit 1
