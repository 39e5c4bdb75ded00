#!/bin/sh
# Runs the first run-to-the-clear example of tools/headless/README.md with the built program
# and passes when its report shows stage 1 cleared.
program=$1
readme=$2
example=$(grep -m1 -e '--autopilot --until clear' "$readme") || {
  echo "no --until clear example in $readme"
  exit 1
}
# The example's words after the program's path are the arguments.
# shellcheck disable=SC2086
"$program" ${example#build/game/tolvane-headless } --report report.txt || exit 1
cat report.txt
grep -q '^stage 1: .* clear [0-9]' report.txt
