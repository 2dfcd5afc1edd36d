#!/usr/bin/env bash
# The programs must start without the picture decoders' codec libraries,
# which only the thumbnail helper loads: checks every library the loader
# brings in for each, including those other libraries pull in.
set -euo pipefail
build=$(cd "$1" && pwd)
fail() {
  echo "check-start-up-libraries: $*" >&2
  exit 1
}
codecs='lib(avif|aom|dav1d|rav1e|SvtAv1|gav1|yuv|absl)'
loaded() { ldd "$1" | awk '{print $1}'; }

helper=$(loaded "$build/zorbelle-thumbnailer")
grep -q '^libavif' <<<"$helper" || fail "zorbelle-thumbnailer does not need libavif: $helper"
for program in "$build/zorbelle-cli" $([ -x "$build/app/zorbelle" ] && echo "$build/app/zorbelle"); do
  libraries=$(loaded "$program")
  [ -n "$libraries" ] || fail "no libraries read from $program"
  if grep -E "^$codecs" <<<"$libraries"; then
    fail "$program loads codec libraries at start"
  fi
done
echo "check-start-up-libraries: ok"
