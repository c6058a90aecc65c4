#!/usr/bin/env python3
"""The solve's speed beside an older build's, measured in one run on the same machine.

Usage: compare_solve_speed.py OLD_BUILD NEW_BUILD [--rounds N] [--instructions]

Each build directory holds bench/fluxeta_bench and src/cli/fluxeta-batch. The rounds
alternate between the builds, so that a change in the machine's load falls on both, and
the medians are compared. Printed: the window search's time on the default case as a share
of the old build's, the robust search's time over the window search's on the default case
(new build), and the rate of a 10,000-case robust study on two threads over the old build's.
The study's rows are compared byte for byte. --instructions adds the instructions per solve
under callgrind, a measure that the machine's load does not change.
"""

import argparse
import json
import re
import resource
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

SOLVES = {"window": "BM_WindowSolveDefaultCase", "robust": "BM_RobustSolveDefaultCase"}
STUDY = ["--sweep", "gamma=0:1:100", "--sweep", "Lend=2.0:3.0:100", "--search", "robust", "-j", "2"]
STUDY_CASES = 100 * 100
# The solve functions whose instructions per call callgrind reports.
SOLVE_FUNCTIONS = {
    "window": r"fluxeta::solver::SolveDieFlow\(fluxeta::cases::CaseParameters const&, "
    r"fluxeta::cases::StationTable&, fluxeta::solver::SolverState&\)",
    "robust": r"fluxeta::solver::SolveDieFlowRobust\(fluxeta::cases::CaseParameters const&, "
    r"fluxeta::cases::StationTable&, fluxeta::solver::SolverState&\)",
}


def solve_times(build, repetitions):
    """CPU microseconds per solve of each search, the median of the repetitions."""
    filter_ = "|".join(f"{name}$" for name in SOLVES.values())
    result = subprocess.run(
        [str(build / "bench" / "fluxeta_bench"), f"--benchmark_filter={filter_}",
         f"--benchmark_repetitions={repetitions}", "--benchmark_format=json"],
        check=True, capture_output=True, text=True)
    runs = json.loads(result.stdout)["benchmarks"]
    times = {}
    for search, name in SOLVES.items():
        times[search] = statistics.median(
            run["cpu_time"] for run in runs
            if run["run_name"] == name and run["run_type"] == "iteration")
    return times


def study_seconds(build, rows_path):
    """Wall-clock and CPU seconds of the robust study, its rows written to rows_path."""
    with open(rows_path, "wb") as rows:
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        subprocess.run([str(build / "src" / "cli" / "fluxeta-batch"), *STUDY], check=True,
                       stdout=rows)
        wall = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime + after.ru_stime) - (before.ru_utime + before.ru_stime)
    return wall, cpu


def instructions_per_solve(build, search, workdir):
    """Instructions of one solve of the default case under callgrind."""
    out = workdir / f"callgrind.{search}.{build.name}"
    subprocess.run(
        ["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}",
         str(build / "bench" / "fluxeta_bench"), f"--benchmark_filter={SOLVES[search]}$",
         "--benchmark_min_time=0.05"],
        check=True, capture_output=True)
    tree = subprocess.run(["callgrind_annotate", "--tree=caller", "--inclusive=yes", str(out)],
                          check=True, capture_output=True, text=True).stdout.splitlines()
    pattern = re.compile(SOLVE_FUNCTIONS[search])
    for k, line in enumerate(tree):
        if "*  " in line and pattern.search(line):
            total = int(line.split()[0].replace(",", ""))
            calls = 0
            for caller in reversed(tree[:k]):
                if "<" not in caller:
                    break
                match = re.search(r"\((\d+)x\)", caller)
                calls += int(match.group(1)) if match else 0
            return total / calls
    raise RuntimeError(f"no {search} solve in the callgrind profile of {build}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("old", type=Path)
    parser.add_argument("new", type=Path)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--repetitions", type=int, default=5)
    parser.add_argument("--instructions", action="store_true")
    args = parser.parse_args()
    builds = {"old": args.old.resolve(), "new": args.new.resolve()}

    solves = {side: {search: [] for search in SOLVES} for side in builds}
    studies = {side: [] for side in builds}
    with tempfile.TemporaryDirectory() as scratch:
        workdir = Path(scratch)
        for _ in range(args.rounds):
            for side, build in builds.items():
                for search, microseconds in solve_times(build, args.repetitions).items():
                    solves[side][search].append(microseconds)
                studies[side].append(study_seconds(build, workdir / f"rows.{side}.csv"))
        same_rows = (workdir / "rows.old.csv").read_bytes() == (workdir / "rows.new.csv").read_bytes()

        median = {side: {search: statistics.median(times) for search, times in solves[side].items()}
                  for side in builds}
        study = {side: statistics.median(wall for wall, _ in runs) for side, runs in studies.items()}
        study_cpu = {side: statistics.median(cpu for _, cpu in runs)
                     for side, runs in studies.items()}
        for side in builds:
            print(f"{side}: window {median[side]['window']:.2f} us, robust "
                  f"{median[side]['robust']:.2f} us (CPU, median); robust study "
                  f"{STUDY_CASES / study[side]:.0f} cases/s (wall, median), "
                  f"{study_cpu[side]:.3f} s of CPU")
        print(f"window search, new/old time:        {median['new']['window'] / median['old']['window']:.3f}"
              "  (target <= 0.75)")
        print(f"robust/window search, new:          {median['new']['robust'] / median['new']['window']:.3f}"
              f"  (old {median['old']['robust'] / median['old']['window']:.3f}; target <= 1.2)")
        print(f"robust study on two threads, rate:  {study['old'] / study['new']:.3f}"
              f"  (target >= 1.5; by CPU time {study_cpu['old'] / study_cpu['new']:.3f})")
        print(f"study rows byte-identical:          {'yes' if same_rows else 'NO'}")

        if args.instructions:
            counts = {side: {search: instructions_per_solve(build, search, workdir)
                             for search in SOLVES} for side, build in builds.items()}
            for side in builds:
                print(f"{side}: window {counts[side]['window']:.0f}, robust "
                      f"{counts[side]['robust']:.0f} instructions per solve")
            print(f"window search, new/old instructions: "
                  f"{counts['new']['window'] / counts['old']['window']:.3f}")
            print(f"robust/window instructions, new:     "
                  f"{counts['new']['robust'] / counts['new']['window']:.3f}")
    return 0 if same_rows else 1


if __name__ == "__main__":
    sys.exit(main())
