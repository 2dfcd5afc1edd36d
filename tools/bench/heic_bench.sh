#!/usr/bin/env bash
# HEIC thumbnails and browser copies per second: zorbelle-cli --thumbnails
# (a thumbnail and a full-size JPEG of each picture) against heif-convert
# making the same full-size JPEG (quality 90) of the same pictures, as many
# at once as there are cores; then a second zorbelle run over the unchanged
# folder. Pictures are photo-like, 4032 x 3024 as a phone takes them, every
# other one turned by irot.
#
# usage: tools/bench/heic_bench.sh CLI [PICTURES]   (default 40)
set -euo pipefail
cd "$(dirname "$0")/../.."
cli=$(realpath "${1:?usage: heic_bench.sh CLI [PICTURES]}")
count=${2:-40}
command -v heif-convert >/dev/null || bash tools/install-deps.sh libheif-examples
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
c++ -O2 -std=c++20 -I. tools/heic/make_heic.cpp $(pkg-config --cflags --libs libheif) -o "$work/make_heic"
mkdir -p "$work/pics" "$work/converted"
for ((i = 0; i < count; ++i)); do
  "$work/make_heic" 4032 3024 $((i % 2 ? 6 : 1)) "$work/pics/IMG_$i.heic"
done
cores=$(nproc)

seconds() {
  local start end
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  echo "$end - $start" | bc -l
}
gather() {
  ZORBELLE_DRIVES="c=$work;z=/" XDG_CONFIG_HOME="$work/config" \
    "$cli" --yes --thumbnails --more-formats "$work/pics"
}
convert_all() {
  find "$work/pics" -name '*.heic' -print0 |
    xargs -0 -P "$cores" -I{} sh -c 'heif-convert -q 90 "$1" "$2/$(basename "$1").jpg"' _ {} \
      "$work/converted"
}

zorbelle=$(seconds gather)
copies=$(find "$work/pics/_gazthumb" -name '*.jpg' | wc -l)
again=$(seconds gather)
heifconvert=$(seconds convert_all)
converted=$(find "$work/converted" -name '*.jpg' | wc -l)
printf '%d HEIC pictures of 4032 x 3024, %d cores (load %s)\n' "$count" "$cores" \
  "$(cut -d' ' -f1-3 /proc/loadavg)"
printf 'zorbelle-cli: %d JPEGs (thumbnail + browser copy each) in %.2f s: %.2f pictures/s\n' \
  "$copies" "$zorbelle" "$(echo "$count / $zorbelle" | bc -l)"
printf 'heif-convert: %d JPEGs in %.2f s: %.2f pictures/s\n' \
  "$converted" "$heifconvert" "$(echo "$count / $heifconvert" | bc -l)"
printf 'zorbelle-cli again over the unchanged folder: %.3f s\n' "$again"
