#!/usr/bin/env bash
# Times the start-up of the program's window against a minimal Qt Widgets window, as whole
# processes, under the offscreen platform and under Xvfb: RUNS runs each, interleaved (one
# hyperfine run of each probe in turn), then peak resident memory with /usr/bin/time -v.
# A third probe, the minimal window with one line of text, shows what text alone costs.
#   bench/startup/run.sh BUILD_DIR [RUNS]
set -euo pipefail
build=$1
runs=${2:-30}
probes=("$build/bench/startup/tallyvane_probe" "$build/bench/startup/minimal_probe"
    "$build/bench/startup/text_probe")
work=$(mktemp -d)
xvfb_pid=
cleanup() {
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
    local -a wall rss
    for probe in "${probes[@]}"; do
        local name
        name=$(basename "$probe")
        wall+=("$(median <"$work/$name.times")")
        for ((i = 0; i < 5; i++)); do
            /usr/bin/time -v "$probe" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}'
        done >"$work/$name.rss"
        rss+=("$(median <"$work/$name.rss")")
    done
    awk -v s="$setting" -v tw="${wall[0]}" -v mw="${wall[1]}" -v xw="${wall[2]}" \
        -v tr="${rss[0]}" -v mr="${rss[1]}" -v xr="${rss[2]}" 'BEGIN {
        printf "%-9s tallyvane %.1f ms, minimal %.1f ms (%.2fx), text %.1f ms (%.2fx)\n",
               s, tw*1000, mw*1000, tw/mw, xw*1000, tw/xw
        printf "%-9s peak RSS tallyvane %d KiB, minimal %d KiB (%.2fx), text %d KiB (%.2fx)\n",
               s, tr, mr, tr/mr, xr, tr/xr }'
}

export QT_QPA_PLATFORM=offscreen
measure offscreen

display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
sleep 1
export QT_QPA_PLATFORM=xcb DISPLAY=$display
measure Xvfb
