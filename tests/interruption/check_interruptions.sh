#!/usr/bin/env bash
# Kills a large study writing over an older output with SIGINT or SIGTERM at random
# moments: every time the old output must stay byte for byte as it was, no partial file
# may be left under the final name or any other, and the exit status must be 128 + the
# signal.
#   check_interruptions.sh FLUXETA_BATCH [KILLS]      (default 20)
set -euo pipefail

batch="$1"
kills="${2:-20}"
# Kill delays from this many milliseconds, spread over the next span: some before the
# temporary file exists, most while its rows are being written.
first_delay_ms=0
delay_span_ms=1500

directory=$(mktemp -d)
trap 'rm -rf "$directory"' EXIT
cd "$directory"
export LC_ALL=C

"$batch" --sweep gamma=0:1:5 -o study.csv
cp study.csv old.csv

# Job control, so that the study in the background keeps SIGINT as a terminal's job does.
set -m
failures=0
cut_outputs=0
partial_files=0
interrupts=0
terminations=0
while_writing=0
for ((run = 1; run <= kills; run++)); do
  if ((RANDOM % 2 == 0)); then signal=INT; else signal=TERM; fi
  delay_ms=$((first_delay_ms + RANDOM % delay_span_ms))
  "$batch" --sweep gamma=0:1:100000 -j 2 -o study.csv 2>/dev/null &
  pid=$!
  if ((delay_ms > 0)); then
    sleep "$(printf '%d.%03d' $((delay_ms / 1000)) $((delay_ms % 1000)))"
  fi
  if compgen -G '.study.csv.*' >/dev/null; then
    while_writing=$((while_writing + 1))
  fi
  kill -s "$signal" "$pid"
  status=0
  wait "$pid" || status=$?

  if [ "$signal" = INT ]; then expected=130; interrupts=$((interrupts + 1)); else
    expected=143; terminations=$((terminations + 1)); fi
  listing=$(ls -A | tr '\n' ' ')
  cmp -s study.csv old.csv || cut_outputs=$((cut_outputs + 1))
  [ "$listing" = "old.csv study.csv " ] || partial_files=$((partial_files + 1))
  if [ "$status" -ne "$expected" ] || ! cmp -s study.csv old.csv || [ "$listing" != "old.csv study.csv " ]; then
    echo "interruption $run (SIG$signal after ${delay_ms} ms): status $status, files: $listing"
    failures=$((failures + 1))
  fi
done

echo "interruptions: $kills kills ($interrupts SIGINT, $terminations SIGTERM; $while_writing while" \
  "the temporary file was being written): old output intact $((kills - cut_outputs))/$kills," \
  "runs leaving a partial file $partial_files, failures $failures"
[ "$failures" -eq 0 ]
