#!/usr/bin/env bash
# Runs every fuzz target for a set time, keeps what adds coverage in fuzz/corpus/<target>,
# and leaves any crashing input in fuzz-build/findings/.
#   fuzz/run.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail
build=$1
seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$build/findings"
status=0
for target in fuzz_calculation; do
    corpus="$root/fuzz/corpus/$target"
    scratch="$build/scratch/$target"
    mkdir -p "$corpus" "$scratch"
    log="$build/$target.log"
    if "$build/fuzz/$target" "$scratch" "$corpus" -max_total_time="$seconds" -max_len=4096 \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" >"$log" 2>&1; then
        result="no findings"
    else
        result="FINDING (see $log)"
        status=1
    fi
    # Keep only inputs that add coverage to what the repository already holds.
    "$build/fuzz/$target" -merge=1 "$corpus" "$scratch" >/dev/null 2>&1 || true
    runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | awk '{print $2}')
    echo "$target: ${runs:-?} executions in ${seconds}s, $(ls "$corpus" | wc -l) corpus files, $result"
done
exit $status
