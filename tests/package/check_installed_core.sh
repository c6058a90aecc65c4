#!/usr/bin/env bash
# Installs the core's CMake package to a scratch prefix, builds the example program
# examples/solve_default against it with find_package(Fluxeta), runs it and compares what
# it prints with the expected lines.
#   check_installed_core.sh BUILD_DIR SOURCE_DIR EXPECTED_OUTPUT
set -euo pipefail
build="$1"
source="$2"
expected="$3"

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

step() {
  local log="$scratch/$1.log"
  shift
  if ! "$@" >"$log" 2>&1; then
    echo "failed: $*"
    cat "$log"
    exit 1
  fi
}

step install cmake --install "$build" --prefix "$scratch/prefix" --component Development
# The package alone: nothing of the source tree or the build is on the example's paths.
step configure cmake -S "$source/examples/solve_default" -B "$scratch/example" -G Ninja \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_PREFIX_PATH="$scratch/prefix"
step build cmake --build "$scratch/example"
"$scratch/example/solve_default" >"$scratch/output.txt"
diff -u "$expected" "$scratch/output.txt"
echo "installed core: the example program built and printed the expected lines"
