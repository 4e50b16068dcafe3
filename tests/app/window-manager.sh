#!/usr/bin/env bash
# An X server of its own (Xvfb, 1024 x 768) with the openbox window manager, for the tests
# whose behaviour depends on a real window manager.
#   window-manager.sh start STATE   starts both; STATE receives the display's name
#   window-manager.sh stop STATE    stops both
set -euo pipefail
state=$2
case $1 in
start)
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    export DISPLAY=:$display
    openbox >/dev/null 2>&1 &
    echo "$DISPLAY $xvfb $!" >"$state"
    for _ in $(seq 100); do  # until openbox manages the screen
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && exit 0
        sleep 0.1
    done
    exit 1
    ;;
stop)
    [[ -f $state ]] && read -r _ xvfb openbox <"$state" && kill "$openbox" "$xvfb" 2>/dev/null
    rm -f "$state"
    ;;
esac
