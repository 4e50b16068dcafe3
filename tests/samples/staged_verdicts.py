#!/usr/bin/python3
"""Works out each row's verdict in staged.csv apart from Tallyvane, from the definitions alone,
and writes staged.json's "verdicts": "yes" or "no" for beyond the limits, then the numbers of
the tests the row fails. A stage is a run of rows with the same Stage; a row with a reason under
Excluded counts in no centre and no test, but is judged against its stage's limits. Both
stages are judged on the P chart: too few of their rows fall outside it for Laney's P'.
    staged_verdicts.py < staged.csv"""
import csv
import itertools
import json
import math
import sys

verdicts = []
for _, group in itertools.groupby(csv.DictReader(sys.stdin), key=lambda r: r['Stage']):
    stage = list(group)
    counted = [r for r in stage if not r['Excluded'].strip()]
    centre = sum(int(r['Defects']) for r in counted) / sum(int(r['Opportunities']) for r in counted)
    side = same = step = rising = alternating = 0
    last = None
    for r in stage:
        p, n = int(r['Defects']) / int(r['Opportunities']), int(r['Opportunities'])
        sigma = math.sqrt(centre * (1 - centre) / n)
        beyond = p < centre - 3 * sigma or p > centre + 3 * sigma
        if r['Excluded'].strip():
            verdicts.append('yes' if beyond else 'no')
            continue
        z = (p - centre) / sigma
        sign = (z > 0) - (z < 0)
        same = 0 if sign == 0 else same + 1 if sign == side else 1
        side = sign
        new_step = 0 if last is None else (z > last) - (z < last)
        rising = 1 if new_step == 0 else rising + 1 if new_step == step else 2
        alternating = 1 if new_step == 0 else alternating + 1 if new_step == -step else 2
        step, last = new_step, z
        tests = [t for t, f in ((1, beyond), (2, same >= 9), (3, rising >= 6),
                                (4, alternating >= 14)) if f]
        verdicts.append(('yes' if beyond else 'no') + (' ' + ', '.join(map(str, tests)) if tests else ''))
json.dump(verdicts, sys.stdout)
print()
