#!/usr/bin/env bash
# Compares fluxeta-batch's standard output, byte for byte, with the expected files here.
#   check_golden.sh FLUXETA_BATCH
set -uo pipefail
batch="$1"
here="$(cd "$(dirname "$0")" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export LC_ALL=C
cd "$scratch"

failures=0
# expect GOLDEN_FILE ARGUMENTS…
expect() {
  local golden="$1"
  shift
  if ! "$batch" "$@" >"$scratch/out" 2>"$scratch/err" </dev/null; then
    echo "$golden: fluxeta-batch $* failed: $(cat "$scratch/err")"
    failures=$((failures + 1))
  elif ! cmp -s "$scratch/out" "$here/$golden"; then
    echo "$golden: fluxeta-batch $* wrote other bytes:"
    diff "$here/$golden" "$scratch/out" | head -20
    failures=$((failures + 1))
  fi
}

# expect_failure STATUS GOLDEN_FILE ARGUMENTS…: the report of a failure, and its exit status.
expect_failure() {
  local expected_status="$1" golden="$2"
  shift 2
  "$batch" "$@" >"$scratch/out" 2>"$scratch/err" </dev/null
  local status=$?
  if [ "$status" -ne "$expected_status" ]; then
    echo "$golden: fluxeta-batch $* exited $status, not $expected_status: $(cat "$scratch/err")"
    failures=$((failures + 1))
  elif ! cmp -s "$scratch/out" "$here/$golden"; then
    echo "$golden: fluxeta-batch $* wrote other bytes:"
    diff "$here/$golden" "$scratch/out" | head -20
    failures=$((failures + 1))
  fi
}

expect default_table.csv --table csv -o result.txt
expect default_table.json --table json -o result.txt
expect study_gamma_Lend.csv --sweep gamma=0:1:2 --sweep Lend=2:3:3 -j 2
expect study_gamma_Lend.csv --sweep gamma=0:1:2 --sweep Lend=2:3:3 -j 1
expect robust_table.csv --search robust --table csv -o result.txt
# A design of each robust verdict, the default case, its fully tapered cavity and a wide gap.
expect robust_designs_study.csv --cases "$here/robust_designs_cases.csv" --search robust -j 2
expect optimise_Lend_gamma.json --optimise Lend --optimise gamma -o best.txt
expect sensitivity.csv --sensitivity --table csv
expect tolerance_H_Qin.json --tolerance H=±0.0005 --tolerance Qin=±10%
expect optimise_Lend_tolerance_H.json --optimise Lend --tolerance H=±0.0005 -o best.txt
expect_failure 5 optimise_infeasible.json --optimise Lend --max-pressure 1 -o best.txt
expect optimise_Lend_pressure_coating_window.json --optimise Lend --objective pressure \
  --min-uniformity 0.9 --coating-window "$here/coating_point.json" -o best.txt
expect operating_window_Qin.csv --operating-window Qin=10:60:6 -j 2
expect coating_window.txt --coating-window "$here/coating_point.json"
expect coating_window.csv --coating-window "$here/coating_point.json" --table csv
expect coating_window.json --coating-window "$here/coating_point.json" --table json
expect die_t_die_centre.csv --die "$here/../data/die/t_die_centre.json" --table csv
expect die_coat_hanger_refine.json --die "$here/../data/die/coat_hanger_uniform.json" --table json --refine
expect die_t_die_summary.txt --die "$here/../data/die/t_die_centre.json" --stations 4
expect_failure 1 die_no_physical_solution.txt --die "$here/../data/die/t_die_yield_stress.json"
# The example dies of the README: a profile read beside its document, the window's die.
expect die_profile_refine.txt --die "$here/../../examples/dies/profile_rectangle.json" --refine
expect die_tapered_refine.txt --die "$here/../../examples/dies/tapered_window_liquid.json" --refine
expect die_t_die_coating_window.txt --die "$here/../data/die/t_die_centre.json" \
  --coating-window "$here/die_t_die_coating_point.json"
expect die_t_die_coating_window.csv --die "$here/../data/die/t_die_centre.json" \
  --coating-window "$here/die_t_die_coating_point.json" --table csv
expect die_coat_hanger_coating_window.json --die "$here/../data/die/coat_hanger_uniform.json" \
  --coating-window "$here/die_coat_hanger_coating_point.json" --table json
expect fit_liquid_carreau_yasuda.json --fit-liquid carreau-yasuda \
  "$here/../../examples/liquids/slurry_flow_curve.csv"

echo "golden: $failures failed"
[ "$failures" -eq 0 ]
