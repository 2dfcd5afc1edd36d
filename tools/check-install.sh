#!/usr/bin/env bash
# Installs a build into a scratch root and checks what a user gets: both
# programs and their thumbnail helper, the read-me (UTF-8, naming every
# option) beside the built programs and where the installed ones look for
# it, a valid desktop entry with its icon, and (with dpkg-deb at hand) a
# Debian package that holds the helper, names what the window and the helper
# need at run time, and in which lintian finds no error.
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "check-install: $*" >&2
  exit 1
}
window=0
[ -x "$build/app/zorbelle" ] && window=1

# The Shift_JIS source with CR LF, as a Linux text viewer reads it.
iconv -f CP932 -t UTF-8 "$source/doc/readme.txt" | tr -d '\r' >"$scratch/readme.txt"
for copy in "$build/readme.txt" $( ((window)) && echo "$build/app/readme.txt"); do
  cmp -s "$copy" "$scratch/readme.txt" || fail "$copy is not the UTF-8 read-me"
done
for option in $("$build/zorbelle-cli" --help | grep -o -- '--[a-z][a-z-]*' | sort -u); do
  [[ "$option" == --no-* || "$option" == --help ]] && continue
  grep -q -- "$option" "$scratch/readme.txt" || fail "the read-me does not name $option"
done

DESTDIR="$scratch/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$scratch/root/usr"
helper=libexec/zorbelle/zorbelle-thumbnailer
wanted=(bin/zorbelle-cli "$helper" share/doc/zorbelle/readme.txt share/doc/zorbelle/copyright)
((window)) && wanted+=(bin/zorbelle share/applications/zorbelle.desktop
  share/icons/hicolor/scalable/apps/zorbelle.svg)
for file in "${wanted[@]}"; do
  [ -f "$usr/$file" ] || fail "the install lacks $file"
done
[ -e "$usr/bin/readme.txt" ] && fail "the read-me belongs under share/doc, not bin"
[ -x "$usr/$helper" ] || fail "the thumbnail helper $helper is not executable"
# Started by hand it only says what it is (exit 2); failing to start is 126/127.
status=0
"$usr/$helper" </dev/null 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "the installed thumbnail helper does not run (exit $status)"
if ((window)) && command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/zorbelle.desktop" || fail "invalid desktop entry"
fi

if ((window)) && command -v dpkg-deb >/dev/null && command -v dpkg-shlibdeps >/dev/null; then
  cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null ||
    fail "cpack could not make the package"
  deb=$(ls "$scratch"/package/zorbelle_*.deb)
  depends=$(dpkg-deb -f "$deb" Depends)
  for need in libqt6widgets6 libjpeg62-turbo libinih1 libavif15 qt6-qpa-plugins libqt6svg6 \
    fonts-vlgothic; do
    [[ "$depends" == *"$need"* ]] || fail "the package does not depend on $need: $depends"
  done
  contents=$(dpkg-deb -c "$deb")
  for file in "${wanted[@]}"; do
    [[ "$contents" == *"./usr/$file"* ]] || fail "the package lacks /usr/$file"
  done
  command -v lintian >/dev/null || fail "lintian is missing (tools/install-deps.sh installs it)"
  errors=$(lintian --allow-root --tag-display-limit 0 "$deb" | grep '^E:' || true)
  [ -z "$errors" ] || fail "lintian finds errors in the package:
$errors"
fi
echo "check-install: ok"
