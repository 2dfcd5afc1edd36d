#!/usr/bin/env bash
# Cross-builds for 64-bit Windows into build-win/ (or $WIN_BUILD_DIR): the
# command line, the thumbnail helper, the tests and the zip a Windows user
# unpacks. Runs the tests there under Wine, in a throw-away prefix, then,
# when the Linux command line is built ($LINUX_CLI, default build/), checks
# that both write the same pages. Needs neither a display nor standard input.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WIN_BUILD_DIR:-$root/build-win}

# wine picks the 64-bit loader, wine64, when no 32-bit Wine is installed.
"$root/tools/install-deps.sh" cmake ninja-build googletest libcli11-dev g++-mingw-w64-x86-64-posix \
  wine wine64

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DZORBELLE_WERROR=ON >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target zorbelle_tests zorbelle_window_tests windows_zip

scratch=$(mktemp -d)
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all DISPLAY=
trap 'wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
if ! wineboot -i </dev/null >"$scratch/wineboot.log" 2>&1; then
  cat "$scratch/wineboot.log" >&2
  exit 1
fi

# Each test suite runs in a process of its own, as CTest runs each test on
# Linux: a test that upsets its process (the death tests' stream capture
# leaves stale handles under Wine) cannot fail another. A Windows program
# ends its lines with CR LF. A hung suite fails the run.
run_suites() {
  local program=$1 log=$2 suite status=0
  for suite in $(wine "$program" --gtest_list_tests </dev/null | tr -d '\r' |
    sed -n -E 's/^([A-Za-z0-9_/]+)\.( .*)?$/\1/p'); do
    timeout 300 wine "$program" --gtest_filter="$suite.*" </dev/null | tr -d '\r' >>"$log" ||
      status=1
  done
  local passed failed
  passed=$(sed -n -E 's/^\[  PASSED  \] ([0-9]+) tests?\.$/\1/p' "$log" | awk '{ s += $1 } END { print s + 0 }')
  failed=$(sed -n -E 's/^\[  FAILED  \] ([0-9]+) tests?, listed below:$/\1/p' "$log" | awk '{ s += $1 } END { print s + 0 }')
  echo "windows: $(basename "$program"): ${passed:-0} passed, ${failed:-0} failed"
  if ((status != 0 || ${failed:-0} > 0 || ${passed:-0} == 0)); then
    grep -E '^\[  FAILED  \]|Failure|Unhandled exception' "$log" | head -40 >&2
    return 1
  fi
}
run_suites "$build/zorbelle_tests.exe" "$scratch/tests.log"

# The window's tests make windows: Wine's null display driver takes them
# without an X display, once the prefix's processes have started anew.
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
wineserver -w
run_suites "$build/zorbelle_window_tests.exe" "$scratch/window.log"

linux_cli=${LINUX_CLI:-$root/build/zorbelle-cli}
if [[ -x $linux_cli ]]; then
  "$root/tools/same-pages.sh" "$linux_cli" "$build/zorbelle-cli.exe"
else
  echo "windows: no Linux command line at $linux_cli to compare pages with"
fi
echo "windows: $(ls "$build"/zorbelle-*-win64.zip)"
