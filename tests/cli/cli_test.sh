#!/usr/bin/env bash
# tallyvane-cli as a user runs it: each case its arguments and standard input, the exit status,
# and what standard output and standard error must hold.
#   cli_test.sh CLI [EMULATOR]
set -uo pipefail
cli=("${@:2}" "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
passed=0 failed=0

# Whether the whole file matches the Perl regular expression.
matches() { perl -0777 -e '$_ = <STDIN> // ""; exit(!/$ARGV[0]/)' "$1" <"$2"; }

# check NAME STATUS STDOUT-PATTERN STDERR-PATTERN -- ARGS... (standard input from $input)
check() {
    local name=$1 status=$2 out=$3 err=$4
    shift 5
    "${cli[@]}" "$@" <"$input" >"$work/out" 2>"$work/err"
    local got=$?
    for stream in out err; do tr -d '\r' <"$work/$stream" >"$work/$stream.txt"; done
    if [[ $got == "$status" ]] && matches "$out" "$work/out.txt" && matches "$err" "$work/err.txt"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL $name: status $got"
        head -c 600 "$work/out.txt" "$work/err.txt"
    fi
}

input=/dev/null
worked='\["4666.66666666667","0.47%","99.53%","4.10"\]'
check pair 0 '^Defects Per Million Opportunities \(DPMO\): 4666.66666666667  \(95% confidence interval: 1880 to 9590\)\nDefects \(%\): 0.47%  \(95% confidence interval: 0.19% to 0.96%\)\nYield \(%\): 99.53%  \(95% confidence interval: 99.04% to 99.81%\)\nProcess Sigma Level: 4.10  \(95% confidence interval: 3.84 to 4.40\)\n$' '^$' -- 7 1500
notes='\["95% confidence interval: 1880 to 9590","95% confidence interval: 0.19% to 0.96%","95% confidence interval: 99.04% to 99.81%","95% confidence interval: 3.84 to 4.40"\]'
check pair-json 0 "^\\{\"texts\":$worked,\"notes\":$notes\\}\n$" '^$' -- --json 7 1500
check warning 1 '^$' '^Defects can not be bigger than opportunities!\n$' -- 10 5
check zero-defects 0 'Process Sigma Level: \xe2\x89\xa5 4.38  \(No defects' '^$' -- 0 1500
check one-count 2 '^$' 'counts: At least 2 required' -- 7
check json-and-csv 2 '^$' 'excludes' -- --json --csv --samples x
check help 0 'Usage:[\s\S]*--samples' '^$' -- --help
check missing-file 1 '^$' '^Cannot open nowhere.csv' -- --samples nowhere.csv

# A spreadsheet's "Unicode text" export (UTF-16, BOM, CRLF) on standard input; aligned by characters.
printf 'Date\tDefects\tOpportunities\r\nMon\t7\t1500\r\nT\xc3\xbce\t3\t1500\r\n' | iconv -f UTF-8 -t UTF-16LE |
    { printf '\xff\xfe'; cat; } >"$work/export.txt"
input=$work/export.txt
check samples-utf16 0 '^Label +Defects +Opportunities +DPMO .*\nMon {11}7 +1500 +4666.66666666667 +0.47% +99.53% +4.10 .* no\nT\xc3\xbce {11}3 .*\nPooled +10 +3000 +3333.33333333333 +0.33% +99.67% +4.21\nCentre 0.33%, P chart' '^$' -- --samples -
check samples-json 0 '^\{"rows": \[\{"line":2,"label":"Mon","defects":7,"opportunities":1500,"texts":'"$worked"',"notes":'"$notes"',"warning":"","proportion":0.004666666666666667,"lcl":0.0,"ucl":0.007[0-9]*,"beyond":false\}, \{"line":3,.*\],\n "pooled": \{"defects":10,"opportunities":3000,"texts":\["3333.33333333333".*"warning":""\},\n "centre": 0.0033333333333333335,\n "sigma_z": 1.58[0-9]*,\n "chart": "P"\}\n$' '^$' -- --json --samples -
check samples-csv 0 '^Label,Defects,Opportunities,DPMO,Defects \(%\),Yield \(%\),Process Sigma Level,Lower limit,Upper limit,Beyond the limits,Warning\nMon,7,1500,4666.66666666667,0.47%,99.53%,4.10,0,0.007[0-9]*,no,\n.*\nPooled,10,3000,3333.33333333333,0.33%,99.67%,4.21,,,,\n$' '^$' -- --csv --svg "$work/chart.svg" --samples -
input=$work/saved.csv && cp "$work/out.txt" "$input"
grep -q '^<svg .*baseProfile="tiny"' "$work/chart.svg" && grep -q '>P chart of the defect proportion, 2 samples<' "$work/chart.svg" ||
    { failed=$((failed + 1)); echo "FAIL chart"; }
# The saved table reads back as the same two samples: its pooled row is no sample.
check csv-read-back 0 '\nPooled +10 +3000 ' '^$' -- --samples -
input=$work/quoted.tsv && printf 'Lot\tDefects\tOpportunities\nLot "A", north\t1\t2\n' >"$input"
check csv-quotes 0 '\n"Lot ""A"", north",1,2,500000,' '^$' -- --csv --samples -
printf 'Lot,Defects,Opportunities\nA,12,10\nB,7.0,10\n' >"$work/bad.csv"
input=$work/bad.csv
check refused 1 '^$' '^line 2: defects \(12\) exceed opportunities \(10\)\nline 3: defects "7.0" is not a whole number in digits \(write 7\)\n$' -- --json --samples -
input=samples/golden.csv
check golden-json 0 '"line":13,"label":"Thu 2",.*"lcl":0.0502448721686638,"ucl":0.40642179449800286,"beyond":true' '^$' -- --json --samples -
# The golden table, Tallyvane's own CSV with figures checked apart, reads back to itself.
"${cli[@]}" --csv --samples - <samples/golden.csv | tr -d '\r' | cmp - samples/golden.csv &&
    passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL golden"; }

echo "$passed passed, $failed failed"
[[ $failed == 0 ]]
