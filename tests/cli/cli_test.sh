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
check samples-utf16 0 '^Label +Defects +Opportunities +DPMO .*\nMon {11}7 +1500 +4666.66666666667 +0.47% +99.53% +4.10 .* no\nT\xc3\xbce {11}3 .*\nPooled +10 +3000 +3333.33333333333 +0.33% +99.67% +4.21\nCentre 0.3333%, P chart, \xcf\x83z 1\.58[0-9]\n$' '^$' -- --samples -
check samples-json 0 '^\{"rows": \[\{"line":2,"label":"Mon","defects":7,"opportunities":1500,"texts":'"$worked"',"notes":'"$notes"',"warning":"","proportion":0.004666666666666667,"lcl":0.0,"ucl":0.007[0-9]*,"beyond":false,"stage":"","excluded":"","signals":\[\]\}, \{"line":3,.*\],\n "pooled": \{"samples":2,"set_aside":0,"defects":10,"opportunities":3000,"texts":\["3333.33333333333".*"warning":""\},\n "centre": 0.0033333333333333335,\n "sigma_z": 1.58[0-9]*,\n "chart": "P",\n "chart_note": "",\n "tests": \[1,2,3,4\],\n "stages": \[\{"name":"","first_line":2,"centre":0.0033.*\}\]\}\n$' '^$' -- --json --samples -
check samples-csv 0 '^Label,Defects,Opportunities,DPMO,.*,Warning,DPMO low,DPMO high,.*,Chart,Centre,Signals in words\nMon,7,1500,4666.66666666667,0.47%,99.53%,4.10,0%,0.7798%,no,,,1880,9590,0.19%,0.96%,99.04%,99.81%,3.84,4.40,P,0.3333%,\n.*\nPooled,10,3000,3333.33333333333,0.33%,99.67%,4.21,,,,,,[^,]+,[^,]+,0.16%,0.61%,99.39%,99.84%,4.01,4.45,,,\n$' '^$' -- --csv --svg "$work/chart.svg" --samples -
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

# Every row's warning in every format; a file from a Windows spreadsheet is said so.
printf 'Lot,Defects,Opportunities\nA,5,5\nB,1,10\n' >"$work/all.csv" && input=$work/all.csv
check warning-text 0 '\nA +5 +5 +1000000 +100.00% +0.00% +0% +100.0% +no +Your sigma level is 0\n' '^$' -- --samples -
check warning-csv 0 '\nA,5,5,1000000,100.00%,0.00%,,0%,100.0%,no,,Your sigma level is 0,' '^$' -- --csv --samples -
# A row set aside is judged but counts in nothing; each stage has its own chart; the CSV keeps both
# columns and reads back as it was.
printf 'Lot,Defects,Opportunities,Stage,Excluded\nA,5,100,before,\nB,40,100,before,sensor fault\nC,6,100,before,\nD,2,100,after,\nE,3,100,after,\nF,1,100,last,\n' >"$work/staged.csv"
input=$work/staged.csv
check staged-json 0 '"label":"B",.*"beyond":true,"stage":"before","excluded":"sensor fault","signals":\[\]\},.*\n "pooled": \{"samples":6,"set_aside":1,"defects":17,"opportunities":500,.*\n "centre": null,[\s\S]*"stages": \[\{"name":"before","first_line":2,"centre":0.055,.*\{"name":"after","first_line":5,"centre":0.025,' '^$' -- --json --samples -
check staged-text 0 '^Label +Defects +Opportunities +Stage +Excluded +DPMO .*\n[\s\S]*\nB +40 +100 +before +sensor fault +400000 .* yes\n[\s\S]*\nPooled +11 +200 +before +55000 .*\nPooled +5 +200 +after .*\nPooled +1 +100 +last .*\n5 of 6 samples \(1 set aside\) in 3 stages\nbefore: 2 of 3 samples \(1 set aside\); centre 5.500%, P chart, σz 0.3889\nafter: 2 samples; centre 2.500%, P chart, σz 0.5678\nlast: 1 sample; centre 1.000%, P chart\n$' '^$' -- --samples -
check staged-csv 0 '^Label,Defects,Opportunities,Stage,Excluded,DPMO,[\s\S]*\nB,40,100,before,sensor fault,400000,' '^$' -- --csv --tests 2,3 --samples -
input=$work/staged-saved.csv && cp "$work/out.txt" "$input"
check staged-read-back 0 '\nB +40 +100 +before +sensor fault [\s\S]*\nbefore: 2 of 3 samples' '^$' -- --samples -
check tests-refused 2 '^$' 'from 1 to 4' -- --tests 1,5 --samples -
printf 'Lot,Defects,Opportunities\nGr\xf6\xdfe,1,10\n' >"$work/ansi.csv" && input=$work/ansi.csv
check windows-1252 0 '\nGr\xc3\xb6\xc3\x9fe +1 ' '^The file is not UTF-8: it was read as Windows-1252' -- --samples -
# Nothing fails in silence: no output where it cannot be written, and a chart is replaced only
# whole and only by an accepted table, never over the table itself.
{ head -n 1 samples/golden.csv; for i in {1..400}; do sed -n 2,13p samples/golden.csv; done; } >"$work/long.csv"
for input in samples/golden.csv "$work/long.csv"; do  # full at the end, and part-way
    "${cli[@]}" --samples - <"$input" >/dev/full 2>"$work/err"
    [[ $? == 1 ]] && tr -d '\r' <"$work/err" | grep -q '^Cannot write the results: No space left on device.$' &&
        passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL full $input"; }
done
echo old >"$work/kept.svg" && input=$work/bad.csv
check svg-refused 1 '^$' '^line 2' -- --svg "$work/kept.svg" --samples -
check svg-is-table 2 '^$' 'names the table itself' -- --svg "$work/bad.csv" --samples "$work/bad.csv"
check svg-unwritable 1 '^$' '^Cannot write the chart to /dev/full: ' -- --svg /dev/full --samples samples/golden.csv
check folder 1 '^$' '^Cannot read .*: it is a folder.\n$' -- --samples "$work"
[[ $(cat "$work/kept.svg") == old ]] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL kept"; }
if [[ $# == 1 ]]; then  # Linux's own files and signals
    check read-error 1 '^$' '^Cannot read /proc/self/mem: Input/output error.\n$' -- --samples /proc/self/mem
    chmod 000 "$work/bad.csv" && as=() && [[ $(id -u) == 0 ]] && as=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    "${as[@]}" "${cli[@]}" --samples "$work/bad.csv" 2>"$work/err" && false
    grep -q 'Cannot open .*: Permission denied.$' "$work/err" && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL unreadable"; }
    # A reader that goes, as "| head" does, ends the run quietly.
    for i in {1..5000}; do echo "L$i,1,100"; done >"$work/long.csv"
    "${cli[@]}" --samples "$work/long.csv" 2>"$work/err" | head -1 >/dev/null
    [[ ${PIPESTATUS[0]} == 141 && ! -s $work/err ]] && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL pipe"; }
fi

# The awkward files that the window and the page read too: the same samples, pooled figures,
# refusals and word of the encoding.
for file in samples/awkward/*.csv; do
    "${cli[@]}" --csv --samples "$file" 2>"$work/err" | tr -d '\r' >"$work/out"
    perl -MJSON::PP -e '
        my ($expected, $name, $out, $err) = @ARGV;
        local $/;
        open(my $f, "<", $expected) or die; my $all = decode_json(<$f>);
        my $want = $all->{$name} or die "no expectation for $name";
        open($f, "<", $out) or die; my @rows = split /\n/, <$f>;
        open($f, "<:encoding(UTF-8):crlf", $err) or die; my @said = split /\n/, <$f> // "";
        my @note = $want->{note} ? ($want->{note}) : ();
        my $got = $want->{reasons}
            ? (@rows == 0 && join("|", @said) eq join("|", @note, @{$want->{reasons}}))
            : (@rows - 2 == $want->{samples} && join("|", @said) eq join("|", @note) &&
               join(",", (split /,/, $rows[-1])[0..6]) eq join(",", @{$want->{pooled}}));
        exit !$got' samples/awkward/expected.json "${file##*/}" "$work/out" "$work/err" &&
        passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL awkward ${file##*/}"; head -c 600 "$work/out" "$work/err"; }
done

# The staged table that the window and the page read too: each row's verdict, beyond the limits
# or not and the tests it fails, worked out apart by samples/staged_verdicts.py (a set-aside row
# is judged, and fails none).
"${cli[@]}" --json --samples samples/staged.csv >"$work/out" 2>"$work/err"
perl -MJSON::PP -e '
    local $/;
    open(my $f, "<", $ARGV[0]) or die; my $want = decode_json(<$f>)->{verdicts};
    open($f, "<", $ARGV[1]) or die; my $rows = decode_json(<$f>)->{rows};
    my @got = map { ($_->{beyond} ? "yes" : "no") .
        (@{$_->{signals}} ? " " . join(", ", map { $_->{test} } @{$_->{signals}}) : "") } @$rows;
    exit !(join("|", @got) eq join("|", @$want))' samples/staged.json "$work/out" &&
    passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL staged verdicts"; }

echo "$passed passed, $failed failed"
[[ $failed == 0 ]]
