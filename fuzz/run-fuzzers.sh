#!/usr/bin/env bash
# run-fuzzers.sh <fuzz build folder> <seconds> [target...]
# Runs each fuzz target (all of them when none is named) for the given time,
# one after the other, from its seeds: the committed ones (fuzz/corpus), the
# ones the build made from the sample disc, the inputs of past findings and
# what earlier runs of this build folder found. Prints the executions of
# each; fails when any target found something, leaving the input under
# <build>/fuzz-findings/<target>/.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "$1" && pwd)"
seconds="$2"
shift 2
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(fuzz_markup fuzz_textmark fuzz_description fuzz_database fuzz_pages)
fi

# The fuzz targets' own temporary files go to memory where there is some.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

summary=()
failed=0
for target in "${targets[@]}"; do
  program="$build/fuzz/$target"
  work="$build/fuzz-corpus/$target"
  findings="$build/fuzz-findings/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$work" "$findings" "$(dirname "$log")"
  inputs=("$work")
  for folder in "$here/corpus/$target" "$build/fuzz-seeds/$target" "$here/regressions/$target"; do
    if [ -d "$folder" ]; then inputs+=("$folder"); fi
  done
  options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 -print_final_stats=1
           -artifact_prefix="$findings/")
  if [ -f "$here/$target.dict" ]; then options+=(-dict="$here/$target.dict"); fi

  echo "== $target for ${seconds} s"
  status=0
  "$program" "${options[@]}" "${inputs[@]}" >"$log" 2>&1 || status=$?
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
  if ((status == 0)); then
    result="clean"
  else
    result="FOUND SOMETHING (status $status), see $log"
    failed=1
    tail -n 60 "$log"
  fi
  summary+=("$(printf '%-18s %12s executions %8s/s  %s' "$target" "${executions:-?}" "${rate:-?}" "$result")")
done

echo
echo "Fuzzing, ${seconds} s a target:"
printf '%s\n' "${summary[@]}"
exit "$failed"
