#!/usr/bin/env bash
# Builds every fuzz target with clang and libFuzzer (AddressSanitizer and
# UndefinedBehaviorSanitizer on) into ./build-fuzz and runs each one for
# SECONDS (default 60) on a fresh copy of its seed corpus in fuzz/corpus/.
# Prints per target the executions and what it found; exits 1 when any
# target found a fault, undefined behaviour included (the input is kept
# under build-fuzz/findings/).
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
folder=build-fuzz
launcher=()
if command -v ccache > /dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
mkdir -p "$folder"
cmake -S . -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DQUORLAN_FUZZ=ON "${launcher[@]}" \
  > "$folder/configure.log" 2>&1 || { cat "$folder/configure.log"; exit 2; }
cmake --build "$folder" --target fuzzers || exit 2

runs="$PWD/$folder/fuzz-runs"
findings="$PWD/$folder/findings"
rm -rf "$runs"
mkdir -p "$runs/config" "$findings"
# The settings a fuzzed program may touch stay inside the run's own folder;
# the files the targets write go to memory when it can be had, as every save
# is flushed to disk.
scratch="${TMPDIR:-/tmp}"
[ -d /dev/shm ] && [ -w /dev/shm ] && scratch=/dev/shm
environment=(LANG=en_US.UTF-8 LC_ALL= LC_MESSAGES= APPDATA= XDG_CONFIG_HOME="$runs/config"
  KORDAVIN_RESTART_COMMAND=/bin/true KORDAVIN_REGISTRY_ROOT="$runs/registry" TMPDIR="$scratch"
  UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1)

failed=0
for seeds in fuzz/corpus/*/; do
  name="$(basename "$seeds")"
  corpus="$runs/$name"
  cp -r "$seeds" "$corpus"
  before="$(find "$corpus" -type f | wc -l)"
  env "${environment[@]}" "$folder/bin/$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$findings/$name-" "$corpus" > "$runs/$name.log" 2>&1
  status=$?
  after="$(find "$corpus" -type f | wc -l)"
  executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$runs/$name.log")"
  rate="$(sed -n 's/^stat::average_exec_per_sec: *//p' "$runs/$name.log")"
  result="nothing found"
  if [ "$status" -ne 0 ]; then
    result="FOUND A FAULT (exit $status), see $runs/$name.log"
    failed=1
  fi
  printf '%-24s %10s executions %7s/s  corpus %4s -> %4s  %s\n' \
    "$name" "${executions:-?}" "${rate:-?}" "$before" "$after" "$result"
done
exit "$failed"
