#!/usr/bin/env bash
# Starts two runs of different cases on one result file at once (two runs in one
# directory without -o), many times: the file must always be the whole result file of
# one of them, never a mixture, whenever a run reports success; a run that finds the
# file taken says so and exits with 4.
#   check_concurrent_runs.sh FLUXETA_BATCH [PAIRS]      (default 200)
set -euo pipefail

batch="$1"
pairs="${2:-200}"

directory=$(mktemp -d)
trap 'rm -rf "$directory"' EXIT
cd "$directory"
export LC_ALL=C

# Case B: the default case with another taper factor and flow rate.
values=(3.0 0.3 6.14 3.0 2.5 66.0 0.0254 16.0 1.3 10.0 1.0 0.5 50.0 1.2 20.0)
for ((k = 0; k < 15; k++)); do
  echo "input $((k + 1)) = ${values[k]}"
done >b.dat
"$batch" -o a.ref
"$batch" b.dat -o b.ref
cmp -s a.ref b.ref && { echo "the two cases write the same file"; exit 1; }

both_succeeded=0
one_refused=0
both_refused=0
mixed=0
mixed_with_success=0
refusals_unexplained=0
for ((pair = 1; pair <= pairs; pair++)); do
  "$batch" 2>a.err &
  run_a=$!
  "$batch" b.dat 2>b.err &
  run_b=$!
  status_a=0
  wait "$run_a" || status_a=$?
  status_b=0
  wait "$run_b" || status_b=$?

  if ! cmp -s Result.txt a.ref && ! cmp -s Result.txt b.ref; then
    mixed=$((mixed + 1))
    if [ "$status_a" -eq 0 ] || [ "$status_b" -eq 0 ]; then
      mixed_with_success=$((mixed_with_success + 1))
      echo "pair $pair: statuses $status_a and $status_b with a mixed file"
    fi
  fi
  for run in a b; do
    status_var="status_$run"
    if [ "${!status_var}" -eq 4 ] && ! grep -q "locked by another program\|no longer the file" "$run.err"; then
      refusals_unexplained=$((refusals_unexplained + 1))
      echo "pair $pair: run $run failed: $(cat "$run.err")"
    fi
  done
  if [ "$status_a" -eq 0 ] && [ "$status_b" -eq 0 ]; then
    both_succeeded=$((both_succeeded + 1))
  elif [ "$status_a" -eq 0 ] || [ "$status_b" -eq 0 ]; then
    one_refused=$((one_refused + 1))
  else
    both_refused=$((both_refused + 1))
  fi
done

echo "concurrent runs: $pairs pairs: both succeeded $both_succeeded, one found the file taken" \
  "$one_refused, both failed $both_refused; mixed files $mixed ($mixed_with_success with a" \
  "success reported)"
[ "$mixed_with_success" -eq 0 ] && [ "$refusals_unexplained" -eq 0 ] && [ "$both_refused" -eq 0 ]
