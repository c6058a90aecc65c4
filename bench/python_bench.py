#!/usr/bin/env python3
"""Times the Python module: fluxeta.solve() of the default case per call, building the result
object included, and fluxeta.study() of a 10,000-case grid on one and on two threads.

    PYTHONPATH=build/python python3 bench/python_bench.py

Targets: at most 40 µs per solve call, at least 30,000 cases/s on two threads.
"""
import sys
import time
import timeit

import numpy

import fluxeta

SOLVE_CALLS = 2000
REPEATS = 7
STUDY_REPEATS = 5
SOLVE_TARGET_US = 40.0
STUDY_TARGET_CASES_PER_S = 30_000.0

# The grid of the core's study benchmark: the taper factor from 0 to 1 by the end slot
# length from 2.0 to 3.0 cm, 100 values each.
STUDY_GRID = {"gamma": numpy.linspace(0.0, 1.0, 100), "Lend": numpy.linspace(2.0, 3.0, 100)}
STUDY_CASES = 100 * 100


def solve_microseconds(clock):
    """The fastest of REPEATS runs of SOLVE_CALLS calls by `clock`, per call (µs). The
    process's CPU time leaves out the time other programs of a shared machine take."""
    timer = timeit.Timer("fluxeta.solve()", timer=clock, globals={"fluxeta": fluxeta})
    return min(timer.repeat(repeat=REPEATS, number=SOLVE_CALLS)) / SOLVE_CALLS * 1e6


def study_figures(jobs):
    """Cases solved per second in the fastest of STUDY_REPEATS studies of the grid, and the
    CPU time of that study per case (µs, all threads together)."""
    runs = []
    for _ in range(STUDY_REPEATS):
        wall, cpu = time.perf_counter(), time.process_time()
        fluxeta.study(STUDY_GRID, jobs=jobs)
        runs.append((time.perf_counter() - wall, time.process_time() - cpu))
    wall, cpu = min(runs)
    return STUDY_CASES / wall, cpu / STUDY_CASES * 1e6


def main():
    solve_us = solve_microseconds(time.perf_counter)
    print(f"solve() of the default case: {solve_us:8.1f} µs per call "
          f"({solve_microseconds(time.process_time):.1f} µs of CPU; "
          f"target ≤ {SOLVE_TARGET_US:.0f})")
    rates = {}
    for jobs in (1, 2):
        rates[jobs], cpu_us = study_figures(jobs)
        print(f"study() of {STUDY_CASES} cases, {jobs} thread{'s' if jobs > 1 else ''}: "
              f"{rates[jobs]:8.0f} cases/s ({cpu_us:.1f} µs of CPU per case)")
    print(f"target on two threads: ≥ {STUDY_TARGET_CASES_PER_S:.0f} cases/s")
    met = solve_us <= SOLVE_TARGET_US and rates[2] >= STUDY_TARGET_CASES_PER_S
    print("targets met" if met else "targets missed")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
