#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz and runs each for
# SECONDS (default 60) from its seed corpus. Any crash, leak, sanitizer report
# or hang fails; the input that did it is kept in build-fuzz/artifacts.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}
"$root/tools/install-deps.sh"
# clang and its libFuzzer runtime, which only this script needs.
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y clang libclang-rt-14-dev
    break
  fi
done
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZORBELLE_FUZZ=ON -DZORBELLE_WINDOW=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzzers

# The targets write their files under TMPDIR; memory is fastest and is left clean.
scratch=$(mktemp -d "$( [ -d /dev/shm ] && echo /dev/shm || echo /tmp )/zorbelle-fuzz.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$build/artifacts"
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
failed=0
for target in picture_size picture_agreement path settings name_escape; do
  corpus=$scratch/corpus-$target
  mkdir -p "$corpus" "$scratch/tmp"
  # New inputs go to a copy: the seeds in the repo stay as they are.
  cp -R "$root/fuzz/corpus/$target/." "$corpus/"
  log=$build/artifacts/$target.log
  if TMPDIR=$scratch/tmp "$build/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=25 \
    -max_len=65536 -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
    "$corpus" >"$log" 2>&1; then
    status=ok
  else
    status=FAILED
    failed=1
    tail -n 60 "$log"
  fi
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  runs=$(grep -E '^stat::number_of_executed_units' "$log" | awk '{print $2}' || true)
  echo "fuzz $target: $status, ${runs:-?} executions; ${done_line:-no final line}"
done
exit "$failed"
