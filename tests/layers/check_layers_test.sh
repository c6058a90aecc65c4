#!/usr/bin/env bash
# The layer check itself: it passes the real tree and fails a tree with an upward and a
# sideways include.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

"$here/check_layers.sh" "$1" || exit 1

mkdir -p "$scratch/case" "$scratch/run" "$scratch/study"
printf '#include "fluxeta/solver/search.h"\n' >"$scratch/case/upward.h"
printf '#include "fluxeta/run/result_file.h"\n' >"$scratch/study/sideways.cpp"
printf '#include "fluxeta/case/upward.h"\n#include "own.h"\n#include <vector>\n' >"$scratch/run/downward.cpp"
output="$("$here/check_layers.sh" "$scratch")" && { echo "an upward include passed"; exit 1; }
grep -q 'case/upward.h includes fluxeta/solver/search.h' <<<"$output" || { echo "$output"; exit 1; }
grep -q 'study/sideways.cpp includes fluxeta/run/result_file.h' <<<"$output" || { echo "$output"; exit 1; }
grep -q 'downward' <<<"$output" && { echo "$output"; exit 1; }
echo "layer check: 2 passed, 0 failed"
