#!/usr/bin/env bash
# Prints every include that breaks the folders' layering and exits 1 when
# there is any: a folder including one that is not below it, a cycle among
# folders, an operating-system header outside platform/<os>/ and the
# programs' main.cpp, a codec header in platform/posix/ or in picture/.
# Tests and test helpers may reach any folder and the host's own headers:
# they assemble whole programs and drive them as real processes.
set -euo pipefail
cd "$(dirname "$0")/.."

# Each folder with the folders it may include, lowest first. A folder may
# always include itself.
declare -A allowed=(
  [text]=""
  [form]=""
  [picture]="text"
  [platform]="text picture"
  [thumbnail]="text picture platform"
  [walk_ahead]="text platform"
  [decoding]="text picture thumbnail"
  [context]="text platform"
  [settings]="text platform form context"
  [gallery]="text platform context thumbnail"
  [scan]="text picture platform form context settings gallery thumbnail"
  [run]="text platform form context settings gallery scan"
  [about]="text platform form"
  [window]="text platform form context settings gallery scan run about"
  [platform/fake]="text picture platform thumbnail"
  [platform/posix]="text picture platform thumbnail walk_ahead decoding"
  [platform/win32]="text picture platform thumbnail"
  [platform/qt]="text platform form context scan"
  [testing]="text picture platform platform/fake form"
  [cli]="text platform form context settings scan run window"
  [app]="text platform form context settings scan run about window platform/posix platform/qt"
  [app_win32]="text platform form context settings scan run about window platform/win32"
  [thumbnailer]="text picture thumbnail decoding platform"
  # Whole runs on a real disk, one folder per system: tests alone.
  [system_tests/posix]="text picture platform form context settings gallery scan run about window platform/fake platform/posix testing"
)

found=0
report() {
  echo "$1"
  found=1
}

# The folder a file or an include path belongs to.
folder_of() {
  case "$1" in
    platform/*/* | system_tests/*/*) cut -d/ -f1-2 <<<"$1" ;;
    */*) echo "${1%%/*}" ;;
    *) echo "" ;;
  esac
}

is_test() {
  case "$1" in
    *_test.cpp | *_for_test.h | *_test_host.h | *_test_fixture.h | testing/*) return 0 ;;
    *) return 1 ;;
  esac
}

sources=$(git ls-files '*.cpp' '*.h' | grep -v -E '^(tools|fuzz)/')
loop=$(mktemp)
trap 'rm -f "$loop"' EXIT

for file in $sources; do
  from=$(folder_of "$file")
  [[ -n "$from" && -v allowed[$from] ]] || { report "$file: in no known layer"; continue; }
  while IFS= read -r target; do
    to=$(folder_of "$target")
    [[ -z "$to" || "$to" == "$from" ]] && continue
    [[ -v allowed[$to] ]] || continue  # generated headers and the like
    is_test "$file" && continue
    # A program's main.cpp puts it together on one system's host services.
    [[ "$file" == */main.cpp && "$to" == platform/* ]] && continue
    [[ " ${allowed[$from]} " == *" $to "* ]] || report "$file: $from may not include $target"
  done < <(sed -n -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]+"([^"]+)".*/\1/p' "$file")
done

# The table must have no loop; since every include of the code keeps to it,
# the code then has none either.
for from in "${!allowed[@]}"; do
  for to in ${allowed[$from]}; do echo "$from $to"; done
done | sort -u | tsort >/dev/null 2>"$loop" || report "layer table: $(tr '\n' ' ' <"$loop")"

os_headers='unistd\.h|fcntl\.h|sys/[a-z_]+\.h|dirent\.h|poll\.h|windows\.h|winbase\.h|signal\.h|pthread\.h|termios\.h|iconv\.h|spawn\.h|pwd\.h|grp\.h|dlfcn\.h|linux/[a-z_]+\.h'
for file in $sources; do
  case "$file" in
    platform/posix/* | platform/win32/* | */main.cpp) continue ;;
    # The Win32 view is made of the system's own controls.
    app_win32/*) continue ;;
  esac
  is_test "$file" && continue
  grep -n -E "^[[:space:]]*#[[:space:]]*include[[:space:]]+<($os_headers)>" "$file" |
    sed "s|^|$file:|; s|\$|  (operating-system header)|" | while IFS= read -r line; do echo "$line"; done
done | grep . && found=1

codec_headers='jpeglib\.h|jerror\.h|webp/|avif/|lcms2\.h|png\.h|zlib\.h|stb_image|libheif/'
git ls-files 'platform/posix/*' | xargs grep -n -E "^[[:space:]]*#[[:space:]]*include[[:space:]]+[<\"]($codec_headers)" |
  sed 's|$|  (codec header in platform/posix)|' | grep . && found=1

# picture/ reads headers itself, to build where no codec library is.
for file in $(git ls-files 'picture/*'); do
  is_test "$file" && continue
  grep -n -E "^[[:space:]]*#[[:space:]]*include[[:space:]]+[<\"]($codec_headers|gif_lib\.h)" "$file" |
    sed "s|^|$file:|; s|\$|  (codec header in picture)|" || true
done | grep . && found=1

if ((found)); then
  exit 1
fi
echo "layers: every include goes downward"
