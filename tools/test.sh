#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: Linux's, then the
# Windows build's under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
build=${BUILD_DIR:-$root/build}
QT_QPA_PLATFORM=offscreen ctest --test-dir "$build" --output-on-failure -j"$(nproc)"
LINUX_CLI="$build/zorbelle-cli" "$root/tools/windows.sh"
