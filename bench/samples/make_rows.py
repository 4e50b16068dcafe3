#!/usr/bin/python3
"""Writes N random samples as CSV to standard output: a label, defects and opportunities, the
opportunities uniform up to 2 million and the defects around 0.3% of them. Seeded: the same rows
every run.
    make_rows.py N"""
import random
import sys

random.seed(20261208)
out = sys.stdout
out.write('Lot,Defects,Opportunities\n')
for i in range(int(sys.argv[1])):
    o = random.randint(1, 2_000_000)
    d = min(o, int(random.expovariate(1 / (0.003 * o + 1))))
    out.write(f'Lot {i + 1},{d},{o}\n')
