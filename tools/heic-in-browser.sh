#!/usr/bin/env bash
# Builds a folder of HEIC photos (landscape, portrait, turned and mirrored by
# irot/imir, a grid, an upper-case name, a damaged one), gathers it with
# thumbnails, and has headless Chromium load both pages: every picture but
# the damaged one must load, at the proportions it is shown with.
#
# usage: tools/heic-in-browser.sh [CLI]   (default build/zorbelle-cli)
set -euo pipefail
cd "$(dirname "$0")/.."
cli=$(realpath "${1:-build/zorbelle-cli}")
command -v chromium >/dev/null || bash tools/install-deps.sh chromium
command -v heif-enc >/dev/null || bash tools/install-deps.sh libheif-examples
command -v vips >/dev/null || bash tools/install-deps.sh libvips-tools

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
c++ -O2 -std=c++20 -I. tools/heic/make_heic.cpp $(pkg-config --cflags --libs libheif) -o "$work/make_heic"
pics="$work/pics"
mkdir -p "$pics"
# name, stored width and height, orientation; the shown size follows.
"$work/make_heic" 640 480 1 "$pics/land.heic"
"$work/make_heic" 480 640 1 "$pics/tall.heic"
"$work/make_heic" 640 480 6 "$pics/turned-cw.heic"
"$work/make_heic" 640 480 8 "$pics/turned-ccw.heic"
"$work/make_heic" 640 480 5 "$pics/turned-mirrored.heic"
"$work/make_heic" 640 480 2 "$pics/mirrored.heic"
"$work/make_heic" 800 400 1 "$pics/IMG_0001.HEIC"
# An odd size is padded by the codec and wrapped in a grid by libheif.
vips black "$work/b.v" 301 201 --bands 3
vips linear "$work/b.v" "$work/grey.png" 1 128 --uchar
heif-enc -q 80 "$work/grey.png" -o "$pics/grid.heif" >/dev/null
grep -q grid "$pics/grid.heif" || { echo "grid.heif holds no grid"; exit 1; }
head -c 300 "$pics/land.heic" >"$pics/broken.heic"

ZORBELLE_DRIVES="c=$work;z=/" XDG_CONFIG_HOME="$work/config" \
  "$cli" --yes --thumbnails --more-formats "$pics" >/dev/null

cat >"$pics/check.html" <<'HTML'
<iframe id=n src="_gaz0000.htm"></iframe><iframe id=r src="_gaz0000.html"></iframe>
<script>
// One line a picture: page, the original it stands for, source, natural and
// placed sizes.
function report(id) {
  var lines = [];
  for (var img of document.getElementById(id).contentDocument.images) {
    var original = img.parentElement.getAttribute('href');
    for (var e = img.parentElement.nextElementSibling; e; e = e.nextElementSibling) {
      if (e.tagName == 'BR') continue;
      if (e.tagName == 'FONT' && e.querySelector('a')) original = e.querySelector('a').getAttribute('href');
      break;
    }
    lines.push(id + ' ' + original + ' ' + img.getAttribute('src') + ' ' + img.naturalWidth + ' ' +
               img.naturalHeight + ' ' + (img.getAttribute('width') || '-') + ' ' +
               (img.getAttribute('height') || '-'));
  }
  return lines.join('\n');
}
window.onload = function() {
  var pre = document.createElement('pre');
  pre.id = 'result';
  pre.textContent = report('n') + '\n' + report('r');
  document.body.appendChild(pre);
};
</script>
HTML
chromium --headless --no-sandbox --disable-gpu --log-level=3 --allow-file-access-from-files \
  --virtual-time-budget=10000 --dump-dom "file://$pics/check.html" 2>/dev/null >"$work/dom.html"

python3 - "$work/dom.html" <<'PY'
import re, sys
shown = {"land.heic": (640, 480), "tall.heic": (480, 640), "turned-cw.heic": (480, 640),
         "turned-ccw.heic": (480, 640), "turned-mirrored.heic": (480, 640),
         "mirrored.heic": (640, 480), "IMG_0001.HEIC": (800, 400), "grid.heif": (301, 201)}
text = re.search(r'<pre id="result">(.*?)</pre>', open(sys.argv[1]).read(), re.S)
if not text:
    sys.exit("the check page reported nothing")
bad = 0
seen = {"n": set(), "r": set()}
for line in text.group(1).strip().splitlines():
    page, original, src, nw, nh, w, h = line.split()
    nw, nh = int(nw), int(nh)
    seen[page].add(original)
    if original == "broken.heic":
        ok = nw == 0 and src == original
        verdict = "damaged, placed with its original" if ok else "damaged one not placed as such"
    else:
        want = shown[original][0] / shown[original][1]
        ok = nw > 0 and abs(nw / nh - want) < 0.02
        if w != "-":
            ok = ok and abs(int(w) / int(h) - want) < 0.03
        if page == "n":
            ok = ok and (nw, nh) == shown[original]
        verdict = "ok" if ok else "WRONG"
    bad += not ok
    print(f"{'normal ' if page == 'n' else 'reduced'} {original:22} {src:34} natural {nw}x{nh}"
          f" placed {w}x{h}: {verdict}")
for page in seen:
    missing = set(shown) | {"broken.heic"}
    missing -= seen[page]
    if missing:
        bad += 1
        print(f"{page}: missing {sorted(missing)}")
print("all pictures load at their proportions" if bad == 0 else f"{bad} wrong")
sys.exit(1 if bad else 0)
PY
