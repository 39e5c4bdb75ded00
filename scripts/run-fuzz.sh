#!/usr/bin/env bash
# Runs every fuzz target built in BUILD_DIR for SECONDS each, one after the other, from its
# seeds and the inputs it once failed on (fuzz/regressions/<target>; kept corpora grow in
# BUILD_DIR/fuzz-runs/<target>/corpus), and prints per target the executions, the coverage and
# any crash, leak, timeout or out-of-memory with its saved input.
# Failures saved by earlier runs stay in the failures folder but are not counted again.
# Usage: scripts/run-fuzz.sh BUILD_DIR SECONDS [TARGET...]   (no TARGET: every target)
# FUZZ_TIMEOUT (default 10) is the seconds one input may take before it counts as a hang.
set -u
build=${1:?build folder}
seconds=${2:-60}
shift $(($# < 2 ? $# : 2))
wanted=" $* "
per_input=${FUZZ_TIMEOUT:-10}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
failed=0

seeds_of() {
  case "$1" in
    archive_fuzz | archive_round_trip_fuzz) echo "$build/fuzz/archive/corpus" ;;
    smf_fuzz) echo "$build/fuzz/sequencer/corpus" ;;
    content_text_fuzz) echo "$build/fuzz/content_text/corpus" ;;
    *) echo "$source_dir/fuzz/readers/seeds/${1%_fuzz}" ;;
  esac
}

for target in $(find "$build/fuzz" -type f -name '*_fuzz' -perm -u+x | sort); do
  name=$(basename "$target")
  [ "$wanted" = "  " ] || [[ "$wanted" == *" $name "* ]] || continue
  run="$build/fuzz-runs/$name"
  mkdir -p "$run/corpus" "$run/failures"
  log="$run/log.txt"
  started="$run/started"
  touch "$started"
  kept=()
  [ -d "$source_dir/fuzz/regressions/$name" ] && kept=("$source_dir/fuzz/regressions/$name")
  "$target" "$run/corpus" "$(seeds_of "$name")" "${kept[@]}" -max_total_time="$seconds" -timeout="$per_input" \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$run/failures/" >"$log" 2>&1
  status=$?
  executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -1)
  printf '%-26s %12s executions  %-10s' "$name" "${executions:-?}" "${coverage:-cov: ?}"
  # An input slower than 10 s but within the time limit is saved as slow-unit-*: shown, not failed.
  failures=$(find "$run/failures" -type f -newer "$started" ! -name 'slow-unit-*' | sort)
  slow=$(find "$run/failures" -type f -newer "$started" -name 'slow-unit-*' | sort)
  if [ "$status" -ne 0 ] || [ -n "$failures" ]; then
    failed=1
    kind=$(grep -o -m1 -E 'ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer): [a-z-]+|runtime error|deadly signal' "$log")
    echo "  FAILED (${kind:-exit $status}); log $log"
    for f in $failures; do echo "    input saved: $f (keep it in fuzz/regressions/$name once mended)"; done
  else
    echo "  ok"
  fi
  if [ -n "$slow" ]; then
    echo "    slowest input $(sed -n 's/^stat::slowest_unit_time_sec: *//p' "$log" | tail -1) s; slow inputs saved:"
    for f in $slow; do echo "      $f"; done
  fi
done
exit $failed
