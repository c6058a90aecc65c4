#!/usr/bin/env python3
"""Times fluxeta.dask.study() on a local cluster of two one-thread workers against
fluxeta.study() on two threads, the same grid of robust cases on the same cores.

    PYTHONPATH=build/python python3 bench/python_dask_bench.py [--cases N] [--chunk N]

Printed: the time of each (wall clock, and the process's CPU time, which other programs of
a shared machine leave out: the workers are threads of this process) and the overhead of
the cluster per case. Target: at most 10 % over fluxeta.study().
"""
import argparse
import sys
import time

import numpy
from distributed import Client, LocalCluster

import fluxeta
import fluxeta.dask

REPEATS = 3
OVERHEAD_TARGET = 0.10


def grid_of(cases):
    """A grid of about `cases` cases: the taper factor by the end slot length."""
    side = int(round(cases ** 0.5))
    return {"gamma": numpy.linspace(0.0, 1.0, side), "Lend": numpy.linspace(2.0, 3.0, side)}


def timed(study):
    wall, cpu = time.perf_counter(), time.process_time()
    rows = study()
    return time.perf_counter() - wall, time.process_time() - cpu, rows


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cases", type=int, default=100_000)
    parser.add_argument("--chunk", type=int, default=fluxeta.dask.DEFAULT_CHUNK)
    args = parser.parse_args()
    grid = grid_of(args.cases)
    cases = len(grid["gamma"]) * len(grid["Lend"])

    with LocalCluster(n_workers=2, threads_per_worker=1, processes=False,
                      dashboard_address=None) as cluster, Client(cluster) as client:
        direct, spread = [], []
        for _ in range(REPEATS):  # alternating, so that a change of load falls on both
            direct.append(timed(lambda: fluxeta.study(grid, jobs=2))[:2])
            spread.append(timed(lambda: fluxeta.dask.study(
                grid, client, chunk=args.chunk).compute())[:2])
    for name, runs in (("fluxeta.study, 2 threads", direct),
                       ("fluxeta.dask.study, 2 workers", spread)):
        wall, cpu = min(runs)
        print(f"{name:30s} {wall:7.3f} s wall, {cpu:7.3f} s CPU for {cases} cases "
              f"({cases / wall:.0f} cases/s)")
    wall_overhead = min(spread)[0] / min(direct)[0] - 1
    cpu_overhead = min(cpu for _, cpu in spread) / min(cpu for _, cpu in direct) - 1
    per_case_us = (min(spread)[0] - min(direct)[0]) / cases * 1e6
    print(f"overhead of the cluster: {wall_overhead:+.1%} wall ({per_case_us:+.2f} µs per case), "
          f"{cpu_overhead:+.1%} CPU; target ≤ {OVERHEAD_TARGET:.0%}")
    met = wall_overhead <= OVERHEAD_TARGET
    print("target met" if met else "target missed")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
