#!/usr/bin/python3
"""SciPy's vectorised beta quantile for the exact 95% interval ends of every sample of a CSV that
make_rows.py wrote: the 0.025 quantile of Beta(D, O - D + 1) and the 0.975 quantile of
Beta(D + 1, O - D) for 1 <= D < O. Prints the median of RUNS timings in seconds, the ppf calls
alone.
    scipy_ends.py FILE RUNS"""
import statistics
import sys
import time

import numpy as np
from scipy.stats import beta

d, o = np.loadtxt(sys.argv[1], delimiter=',', skiprows=1, usecols=(1, 2), unpack=True)
has = (d >= 1) & (d < o)
d, o = d[has], o[has]
times = []
for _ in range(int(sys.argv[2])):
    start = time.perf_counter()
    beta.ppf(0.025, d, o - d + 1)
    beta.ppf(0.975, d + 1, o - d)
    times.append(time.perf_counter() - start)
print(f'{statistics.median(times):.4f} {2 * len(d)}')
