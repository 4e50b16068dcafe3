#!/usr/bin/env bash
# An X server of its own (Xvfb, 1024 x 768) with the openbox window manager, for the tests
# whose behaviour depends on a real window manager, or bare, for a test that stands in for one.
# STATE receives the display's name.
#   window-manager.sh start|stop STATE [bare]
set -euo pipefail
state=$2
if [[ $1 == start ]]; then
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb=$!
    read -r display <"$fifo"
    rm -f "$fifo"
    if [[ ${3:-} == bare ]]; then
        printf ':%s\n%s\n' "$display" "$xvfb" >"$state"
        exit 0
    fi
    DISPLAY=:$display openbox >/dev/null 2>&1 &
    printf ':%s\n%s %s\n' "$display" "$xvfb" "$!" >"$state"
    for _ in $(seq 300); do  # until openbox manages the screen, 30 s at most
        DISPLAY=:$display xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && exit 0
        sleep 0.1
    done
    exit 1
elif [[ -f $state ]]; then
    kill $(sed -n 2p "$state") 2>/dev/null || true
    rm -f "$state"
fi
