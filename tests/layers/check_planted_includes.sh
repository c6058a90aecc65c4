#!/usr/bin/env bash
# The build itself refuses an upward include: a file compiled as part of the solver layer
# builds when it includes its own and lower layers' headers, and fails when it includes a
# header of the run layer.
#   check_planted_includes.sh BUILD_DIR
set -uo pipefail
build="$1"

cmake --build "$build" --target fluxeta_planted_downward_include >/dev/null ||
  { echo "a downward include failed to compile"; exit 1; }
output="$(cmake --build "$build" --target fluxeta_planted_upward_include 2>&1)" &&
  { echo "an upward include compiled"; exit 1; }
grep -q 'fluxeta/run/result_file.h' <<<"$output" || { echo "$output"; exit 1; }
echo "planted includes: 2 passed, 0 failed"
