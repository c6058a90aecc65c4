#!/bin/sh
# Runs the program named by FLUXETA_MAN_PROGRAM with the given arguments, for help2man,
# mending two spots of the help text that help2man misreads:
# - the option column is padded to 30 characters, so an option exactly 29 characters
#   wide is followed by a single space, which help2man takes as part of the option;
#   widen that gap to two;
# - the two spaces inside a range such as "[1 -  4096]" in the option column read to
#   help2man as the start of the description; write the range "[1, 4096]".
set -eu
"$FLUXETA_MAN_PROGRAM" "$@" |
  sed -E -e 's/^(  -.{25}[^ ]) ([^ ])/\1  \2/' -e 's/^(  -.*\[[^] ]+) - +([^] ]+\])/\1, \2/'
