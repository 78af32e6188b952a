#!/usr/bin/env bash
# Fuzzes the survey's untrusted inputs with libFuzzer.
#
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
#
# Builds the fuzz preset (clang, libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer), replays every kept finding in
# fuzz/regressions/<target>, then runs each target (default: all) for the
# given time (default 60 s) over a working copy of its seed corpus in
# build/fuzz/corpus, two targets at once where there are two cores. Fails on
# any finding; a new finding is copied to fuzz/regressions/<target>/ so that
# it can be committed as a regression test (the ctest replay and this script
# then run it every time).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(settings_reader load_sequence record)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/tavro_fuzz_}"

# The load-sequence target builds a small folder tree in $TMPDIR and saves a
# record there on every input: a memory file system spares the disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS="detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

declare -A dictionary=([settings_reader]=settings [load_sequence]=settings [record]=record)
declare -A max_len=([settings_reader]=16384 [load_sequence]=16384 [record]=4096)

# Replays the target's kept findings, then fuzzes it; fails on any finding.
fuzz_target() {
  local target=$1
  # Absolute paths: the load-sequence target changes its current folder.
  local program=$PWD/build/fuzz/bin/tavro_fuzz_$target
  local regressions=$PWD/fuzz/regressions/$target
  local corpus=$PWD/build/fuzz/corpus/$target
  local findings=$PWD/build/fuzz/findings/$target
  local log=$PWD/build/fuzz/logs/$target.log
  mkdir -p "$corpus" "$findings" "${log%/*}"

  local kept=("$regressions"/*)
  if [ -e "${kept[0]}" ]; then
    if ! "$program" "${kept[@]}" >"$log" 2>&1; then
      tail -n 40 "$log"
      echo "fuzz: $target: a kept finding in $regressions fails again" >&2
      return 1
    fi
    echo "fuzz: $target: ${#kept[@]} kept findings replayed"
  fi

  cp -n fuzz/corpus/"$target"/* "$corpus"/
  rm -f "$findings"/*  # only this run's findings count
  if "$program" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len="${max_len[$target]}" -dict="$PWD/fuzz/${dictionary[$target]}.dict" \
    -artifact_prefix="$findings/" -print_final_stats=1 >"$log" 2>&1; then
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    echo "fuzz: $target: ${runs:-?} executions in $seconds s, no findings"
    return 0
  fi
  tail -n 60 "$log"
  mkdir -p "$regressions"
  local finding
  for finding in "$findings"/*; do
    [ -e "$finding" ] && cp "$finding" "$regressions"/ && echo "kept as $regressions/${finding##*/}"
  done
  echo "fuzz: $target: finding (log: $log)" >&2
  return 1
}

# Each target runs on one core: as many at once as there are cores (two at
# most, the machine being shared; TAVRO_FUZZ_JOBS sets it), each for the
# full time.
jobs=${TAVRO_FUZZ_JOBS:-$(nproc)}
[ "$jobs" -le 2 ] || [ -n "${TAVRO_FUZZ_JOBS:-}" ] || jobs=2
declare -A running=()
failed=()
finish_one() {
  local done_pid
  if wait -n -p done_pid "${!running[@]}"; then :; else failed+=("${running[$done_pid]}"); fi
  unset "running[$done_pid]"
}
for target in "${targets[@]}"; do
  [ ${#running[@]} -lt "$jobs" ] || finish_one
  fuzz_target "$target" &
  running[$!]=$target
done
while [ ${#running[@]} -gt 0 ]; do finish_one; done

if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: findings in: ${failed[*]}" >&2
  exit 1
fi
