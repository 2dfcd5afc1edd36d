#!/usr/bin/env bash
# Runs the Linux and the Windows command line (under Wine) over the same
# tree of pictures with the same options and fails unless they write the
# same files, byte for byte, up to the order of the lines (each system lists
# a folder in its own order) and the form of absolute links (a Linux browser
# opens file:///tmp/..., a Windows one file:///Z:/tmp/...).
# Usage: same-pages.sh LINUX_CLI WINDOWS_CLI_EXE
# Expects WINEPREFIX to name a prefix made with wineboot.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
linux=$(realpath "$1")
windows=$(realpath "$2")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
tree=$scratch/tree

# Japanese names, characters Shift_JIS holds one way only (a wave dash, a
# double vertical line), odd letter cases, a rotated JPEG, BMP and GIF.
cp -r "$root/samples/pictures" "$tree"
cp "$tree/夕焼け.jpg" "$tree/波〜線.jpg"
cp "$tree/夕焼け.jpg" "$tree/全角～と‖.JPG"
cp "$tree/animals/owl.bmp" "$tree/animals/OWL2.Bmp"
cp "$tree/animals/fox.gif" "$tree/animals/狐 (1).GIF"
# An EXIF segment that turns the picture a quarter (orientation 6), put
# right after the JPEG's start.
{
  head -c 2 "$tree/panorama.JPG"
  printf '\xff\xe1\x00\x22Exif\x00\x00MM\x00\x2a\x00\x00\x00\x08\x00\x01'
  printf '\x01\x12\x00\x03\x00\x00\x00\x01\x00\x06\x00\x00\x00\x00\x00\x00'
  tail -c +3 "$tree/panorama.JPG"
} >"$tree/旅行/縦.jpeg"

run_both() {
  local name=$1
  shift
  for system in linux windows; do
    touch "$scratch/before"
    sleep 1
    if [[ $system == linux ]]; then
      ZORBELLE_DRIVES="z=/" XDG_CONFIG_HOME="$scratch/config" \
        "$linux" --yes "$@" "$tree" >/dev/null 2>"$scratch/$system.err" </dev/null
    else
      wine "$windows" --yes "$@" "Z:${tree//\//\\}" >/dev/null 2>"$scratch/$system.err" </dev/null
    fi || { cat "$scratch/$system.err" >&2; return 1; }
    mkdir -p "$scratch/$name/$system"
    (cd "$tree" && find . -type f -newer "$scratch/before" -print0 |
      xargs -0 -r cp --parents -t "$scratch/$name/$system")
    (cd "$tree" && find . -type f -newer "$scratch/before" -delete)
  done
  local files=0 ordered=0
  (cd "$scratch/$name/linux" && find . -type f | sort) >"$scratch/linux.files"
  (cd "$scratch/$name/windows" && find . -type f | sort) >"$scratch/windows.files"
  diff "$scratch/linux.files" "$scratch/windows.files" >&2 || return 1
  while IFS= read -r file; do
    local a=$scratch/$name/linux/$file b=$scratch/$name/windows/$file
    LC_ALL=C sed -i 's|file:///|file:///Z:/|g' "$a"
    files=$((files + 1))
    cmp -s "$a" "$b" && continue
    if ! cmp -s <(LC_ALL=C sort "$a") <(LC_ALL=C sort "$b"); then
      echo "same-pages: $name: $file differs" >&2
      diff <(LC_ALL=C sort "$a" | iconv -f CP932 -t UTF-8) <(LC_ALL=C sort "$b" | iconv -f CP932 -t UTF-8) | head -20 >&2
      return 1
    fi
    ordered=$((ordered + 1))
  done <"$scratch/linux.files"
  echo "same-pages: $name: $files files the same, $ordered of them in another order"
}

common=(--gallery --all-files --subfolders --same-folder --no-thumbnails --more-formats --bmp)
# All on one page, so that the listing order moves lines, not pictures
# between pages.
run_both absolute "${common[@]}" --no-relative --line-break --no-table --per-page 1000
run_both table "${common[@]}" --relative --table --file-names --per-row 1 --per-page 1000
