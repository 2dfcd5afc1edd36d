#!/usr/bin/env bash
# Starts zorbelle.exe under Wine on a virtual X display and saves what the
# screen shows (default build-win/zorbelle-window.png), then the About box
# over it (...-about.png), for a person to look at. The prefix is thrown away after; it gets a Japanese font, which a
# fresh Wine lacks. Cross-builds the program first, as tools/windows.sh does.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${WIN_BUILD_DIR:-$root/build-win}
out=$(realpath -m "${1:-$build/zorbelle-window.png}")

"$root/tools/install-deps.sh" cmake ninja-build googletest g++-mingw-w64-x86-64-posix wine wine64 \
  xvfb xauth imagemagick xdotool fonts-vlgothic
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} -DZORBELLE_WERROR=ON >/dev/null
cmake --build "$build" -j"${JOBS:-$(nproc)}" --target zorbelle

scratch=$(mktemp -d)
export WINEPREFIX=$scratch/prefix WINEDEBUG=-all
trap 'wineserver -k 2>/dev/null || true; rm -rf "$scratch"' EXIT
DISPLAY= wineboot -i </dev/null >"$scratch/wineboot.log" 2>&1 || { cat "$scratch/wineboot.log" >&2; exit 1; }
cp /usr/share/fonts/truetype/vlgothic/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"
# Wine's menus and title bars are in Tahoma, which has no Japanese.
for face in Tahoma 'MS Shell Dlg' 'MS Shell Dlg 2'; do
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' /v "$face" \
    /d 'VL PGothic' /f >/dev/null 2>&1
done
wineserver -w

# A Wine desktop of its own draws the title bar, which no window manager
# does here. The window needs a few seconds to open under a fresh prefix.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine explorer /desktop=zorbelle,1024x768 "$1" </dev/null >/dev/null 2>&1 &
  sleep "${SHOT_DELAY:-8}"
  import -window root "$2"
  # Help > About (Ctrl+A) over it.
  xdotool mousemove 400 400 click 1 sleep 1 key ctrl+a 2>/dev/null || true
  sleep 2
  import -window root "${2%.png}-about.png"
  wineserver -k' _ "$build/zorbelle.exe" "$out"
echo "screenshots: $out ${out%.png}-about.png"
