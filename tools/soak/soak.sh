#!/usr/bin/env bash
# Builds zorbelle-soak into build/ (or $BUILD_DIR) and makes RUNS catalogue
# runs (default 200) in one process on a changing tree; prints each run's
# memory and open descriptors and fails when a run's outputs are wrong or
# either figure grows.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -DZORBELLE_WERROR=ON >/dev/null
cmake --build "$build" -j"$(nproc)" --target zorbelle-soak
"$build/tools/soak/zorbelle-soak" "${1:-200}" "${2:-1}"
