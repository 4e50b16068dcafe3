#!/usr/bin/env bash
# Times the start-up of the program's window against a minimal Qt Widgets window, as whole
# processes, under the offscreen platform and under Xvfb: RUNS runs each, interleaved (one
# hyperfine run of each probe in turn), then peak resident memory with /usr/bin/time -v.
# A third probe, the minimal window with one line of text, shows what text alone costs.
# Further probes (another build's tallyvane_probe, say) join the interleaved runs.
#   bench/startup/run.sh BUILD_DIR [RUNS [PROBE...]]
set -euo pipefail
build=$1
runs=${2:-30}
probes=("$build/bench/startup/tallyvane_probe" "$build/bench/startup/minimal_probe"
    "$build/bench/startup/text_probe" "${@:3}")
work=$(mktemp -d)
xvfb_pid=
wm_pid=
cleanup() {
    [[ -n "$wm_pid" ]] && kill "$wm_pid" 2>/dev/null
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

median() { sort -g | awk '{a[NR]=$1} END {print (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }

measure() {
    local setting=$1
    for probe in "${probes[@]}"; do
        hyperfine -N --warmup 3 --runs 2 "$probe" >/dev/null 2>&1
        : >"$work/$(basename "$probe").times"
    done
    for ((i = 0; i < runs; i++)); do
        for probe in "${probes[@]}"; do
            hyperfine -N --runs 1 --export-json "$work/run.json" "$probe" >/dev/null 2>&1
            python3 -c 'import json,sys; print(json.load(open(sys.argv[1]))["results"][0]["times"][0])' \
                "$work/run.json" >>"$work/$(basename "$probe").times"
        done
    done
    local text_wall text_rss
    for probe in "${probes[@]}"; do
        local name wall rss
        name=$(basename "$probe")
        wall=$(median <"$work/$name.times")
        for ((i = 0; i < 5; i++)); do
            /usr/bin/time -v "$probe" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}'
        done >"$work/$name.rss"
        rss=$(median <"$work/$name.rss")
        [[ $name == text_probe ]] && text_wall=$wall text_rss=$rss
        echo "$name $wall $rss"
    done >"$work/results"
    # A peer calculator's memory, where one is installed: its peak over its first two seconds,
    # under the window manager (on a bare X server it peaks at 85 MB).
    if [[ $setting == openbox ]] && command -v galculator >/dev/null; then
        for ((i = 0; i < 5; i++)); do
            { /usr/bin/time -v timeout -s INT 2 galculator || true; } 2>&1 >/dev/null |
                awk '/Maximum resident/ {print $6}'
        done | median | awk -v s="$setting" '{printf "%-9s %-16s peak RSS %6d KiB\n", s, "galculator", $1}'
    fi
    while read -r name wall rss; do
        awk -v s="$setting" -v n="$name" -v w="$wall" -v r="$rss" -v tw="$text_wall" \
            -v tr="$text_rss" 'BEGIN {
            printf "%-9s %-16s first frame %6.1f ms (%.2fx text), peak RSS %6d KiB (%.2fx text)\n",
                   s, n, w*1000, w/tw, r, r/tr }'
    done <"$work/results"
}

export QT_QPA_PLATFORM=offscreen
measure offscreen

# A display that no other server holds: Xvfb picks it and writes its number once it listens.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r display <"$work/display"
export QT_QPA_PLATFORM=xcb DISPLAY=:$display
measure Xvfb

# The same X server managed by openbox, where the window asks for its frame before it shows.
openbox >/dev/null 2>&1 &
wm_pid=$!
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    kill -0 "$wm_pid" 2>/dev/null || { echo "openbox exited before it managed the screen" >&2; exit 1; }
    sleep 0.1
done
measure openbox
