#!/usr/bin/env bash
# Runs every data file of the corpus through fluxeta-batch and compares the exit status
# and the SHA-256 of the result file with the ones recorded in expected.tsv.
#   check_corpus.sh FLUXETA_BATCH [EXTRA_OPTIONS…]
set -uo pipefail
batch="$1"
shift
here="$(cd "$(dirname "$0")" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
export LC_ALL=C

failures=0
cases=0
while IFS=$'\t' read -r name status digest; do
  cases=$((cases + 1))
  rm -f "$scratch/out.txt"
  (cd "$scratch" && "$batch" "$here/cases/$name" -o out.txt "$@" >/dev/null 2>&1 </dev/null)
  got_status=$?
  if [ -f "$scratch/out.txt" ]; then
    got_digest="$(sha256sum "$scratch/out.txt" | cut -d' ' -f1)"
  else
    got_digest="-"
  fi
  if [ "$got_status" != "$status" ] || [ "$got_digest" != "$digest" ]; then
    echo "$name: exit $got_status (expected $status), result file $got_digest (expected $digest)"
    failures=$((failures + 1))
  fi
done <"$here/expected.tsv"

echo "corpus: $((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
