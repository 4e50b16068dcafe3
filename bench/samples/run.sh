#!/usr/bin/env bash
# tallyvane-cli --json --samples on 100,000 random rows against SciPy's vectorised beta.ppf for
# the same rows' 200,000 interval ends, interleaved in one run, medians; then the CLI's peak
# memory on a million rows against the file's size; then 10,000 rows pasted into the samples
# window and into the page, each until its table, pooled row and chart are on screen, against
# the CLI's table of the same rows.
#   run.sh BUILD_DIR RUNS [BASELINE_CLI]
# BASELINE_CLI, an earlier build's tallyvane-cli, is timed on the same 100,000 rows without stages
# or set-aside rows, against this build on them with both, in the same interleaved runs.
set -euo pipefail
build=$1 runs=${2:-10} baseline=${3:-}
cli=$build/cli/tallyvane-cli
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
/usr/bin/python3 "$here/make_rows.py" 100000 >"$work/rows.csv"
/usr/bin/python3 "$here/make_rows.py" 1000000 >"$work/million.csv"

cli_times=() scipy_times=()
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$cli" --json --samples "$work/rows.csv" >"$work/out.json"
    cli_times+=("$(echo "$(date +%s.%N) - $start" | bc)")
    read -r seconds ends < <(/usr/bin/python3 "$here/scipy_ends.py" "$work/rows.csv" 1)
    scipy_times+=("$seconds")
done
median() { printf '%s\n' "$@" | sort -g | awk '{a[NR] = $1} END {print (NR % 2) ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2}'; }
cli_median=$(median "${cli_times[@]}")
scipy_median=$(median "${scipy_times[@]}")
echo "samples, 100000 rows: tallyvane-cli --json ${cli_median} s, SciPy beta.ppf (${ends} ends) ${scipy_median} s, ratio $(echo "scale=2; $cli_median / $scipy_median" | bc)x"

# The same rows in ten stages, every 50th set aside, all four tests: against this build on the
# plain rows and, where given, the earlier build on them; the goal is at most 1.2x.
/usr/bin/python3 "$here/make_rows.py" 100000 staged >"$work/staged.csv"
staged_times=() plain_times=() baseline_times=()
timed() { local start; start=$(date +%s.%N); "$@" >/dev/null; echo "$(date +%s.%N) - $start" | bc; }
for _ in $(seq "$runs"); do
    staged_times+=("$(timed "$cli" --json --tests 1,2,3,4 --samples "$work/staged.csv")")
    plain_times+=("$(timed "$cli" --json --samples "$work/rows.csv")")
    [[ -z $baseline ]] || baseline_times+=("$(timed "$baseline" --json --samples "$work/rows.csv")")
done
staged_median=$(median "${staged_times[@]}") plain_median=$(median "${plain_times[@]}")
echo "samples, 100000 rows staged, 2000 set aside, 4 tests: ${staged_median} s; this build without them ${plain_median} s, $(echo "scale=3; $staged_median / $plain_median" | bc)x"
if [[ -n $baseline ]]; then
    baseline_median=$(median "${baseline_times[@]}")
    echo "samples, 100000 rows: the earlier build without them ${baseline_median} s; staged against it $(echo "scale=3; $staged_median / $baseline_median" | bc)x"
fi

size=$(($(stat -c %s "$work/million.csv") / 1024))
for mode in --json --csv ""; do  # the goal: at most 3x the file's size in every mode
    peak=$(/usr/bin/time -f %M "$cli" $mode --samples "$work/million.csv" 2>&1 >/dev/null | tail -1)
    echo "samples, 1000000 rows, ${mode:-text}: peak memory ${peak} KiB for a ${size} KiB file, $(echo "scale=2; $peak / $size" | bc)x"
done

# Editing 100,000 rows in the samples window: the goals are 100 ms for an edit and for deleting
# half the rows; before, an edit reset the table, ten edits kept 210 MiB of undo steps and
# deleting half of 80,000 rows took 10 s.
QT_QPA_PLATFORM=offscreen "$build/bench/edit_probe" \
    "$build/lib/tallyvane/tallyvane_samples_window.so" "$work/rows.csv" 2>/dev/null

/usr/bin/python3 "$here/make_rows.py" 10000 >"$work/ten.csv"
times=()
for _ in $(seq "$runs"); do
    start=$(date +%s.%N)
    "$cli" --samples "$work/ten.csv" >/dev/null
    times+=("$(echo "($(date +%s.%N) - $start) * 1000" | bc)")
done
cli_ms=$(median "${times[@]}")
desktop_ms=$(QT_QPA_PLATFORM=offscreen "$build/bench/samples_probe" \
    "$build/lib/tallyvane/tallyvane_samples_window.so" "$work/ten.csv" "$runs" 2>/dev/null)
page_ms=$(node "$here/../web/samples_bench.mjs" tallyvane.html "$work/ten.csv" 5)
echo "samples, 10000 rows pasted: tallyvane-cli ${cli_ms} ms; samples window ${desktop_ms} ms, $(echo "scale=2; $desktop_ms / $cli_ms" | bc)x; page ${page_ms} ms, $(echo "scale=2; $page_ms / $cli_ms" | bc)x"
