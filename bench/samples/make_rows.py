#!/usr/bin/python3
"""Writes N random samples as CSV to standard output: a label, defects and opportunities, the
opportunities uniform up to 2 million and the defects around 0.3% of them. Seeded: the same rows
every run. With "staged", the same rows in ten stages of equal length, every 50th set aside.
    make_rows.py N [staged]"""
import random
import sys

random.seed(20261208)
out = sys.stdout
rows = int(sys.argv[1])
staged = sys.argv[2:] == ['staged']
out.write('Lot,Defects,Opportunities' + (',Stage,Excluded' if staged else '') + '\n')
for i in range(rows):
    o = random.randint(1, 2_000_000)
    d = min(o, int(random.expovariate(1 / (0.003 * o + 1))))
    more = f',week {i * 10 // rows + 1},{"sensor fault" if i % 50 == 49 else ""}' if staged else ''
    out.write(f'Lot {i + 1},{d},{o}{more}\n')
