#!/usr/bin/env bash
# run-fuzzers.sh <fuzz build folder> <seconds> [target...]
# Runs each fuzz target (all of them when none is named) for the given time
# from its seeds: the committed ones (fuzz/corpus), the ones the build made
# from the sample disc, the inputs of past findings and what earlier runs of
# this build folder found. A target runs on one core, so FUZZ_JOBS of them
# (the number of cores unless set) run side by side. Prints the executions
# of each; fails when any target found something, leaving the input under
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
jobs="${FUZZ_JOBS:-$(nproc)}"
if ((jobs > ${#targets[@]})); then jobs=${#targets[@]}; fi

# The fuzz targets' own temporary files go to memory where there is some.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

log_of() { echo "$build/fuzz-logs/$1.log"; }
status_of() { echo "$build/fuzz-logs/$1.status"; }

# One target for the given time; its exit status goes beside its log.
run_target() {
  local target="$1"
  local work="$build/fuzz-corpus/$target"
  local findings="$build/fuzz-findings/$target"
  local inputs=("$work")
  mkdir -p "$work" "$findings"
  for folder in "$here/corpus/$target" "$build/fuzz-seeds/$target" "$here/regressions/$target"; do
    if [ -d "$folder" ]; then inputs+=("$folder"); fi
  done
  local options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2560 -print_final_stats=1
                 -artifact_prefix="$findings/")
  if [ -f "$here/$target.dict" ]; then options+=(-dict="$here/$target.dict"); fi
  local status=0
  "$build/fuzz/$target" "${options[@]}" "${inputs[@]}" >"$(log_of "$target")" 2>&1 || status=$?
  echo "$status" >"$(status_of "$target")"
}

mkdir -p "$build/fuzz-logs"
running=()
for target in "${targets[@]}"; do
  while ((${#running[@]} >= jobs)); do
    wait -n || true
    still=()
    for pid in "${running[@]}"; do
      if kill -0 "$pid" 2>/dev/null; then still+=("$pid"); fi
    done
    running=("${still[@]}")
  done
  echo "== $target for ${seconds} s"
  rm -f "$(status_of "$target")"
  run_target "$target" &
  running+=("$!")
done
wait

summary=()
failed=0
for target in "${targets[@]}"; do
  log="$(log_of "$target")"
  status="$(cat "$(status_of "$target")" 2>/dev/null || echo '?')"
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)"
  if [ "$status" = 0 ]; then
    result="clean"
  else
    result="FOUND SOMETHING (status $status), see $log"
    failed=1
    tail -n 60 "$log"
  fi
  summary+=("$(printf '%-18s %12s executions %8s/s  %s' "$target" "${executions:-?}" "${rate:-?}" "$result")")
done

echo
echo "Fuzzing, ${seconds} s a target, ${jobs} at a time:"
printf '%s\n' "${summary[@]}"
exit "$failed"
