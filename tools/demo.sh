#!/usr/bin/env bash
# Installs what is missing, builds, makes a gallery of the bundled sample
# pictures and prints the path of its list page.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
build=${BUILD_DIR:-$root/build}
demo=$build/demo/pictures
rm -rf "$build/demo" && mkdir -p "$demo" && cp -R "$root/samples/pictures/." "$demo/"
export XDG_CONFIG_HOME=$build/demo/config
# The status goes to the error stream; the list page's path to the output.
"$build/zorbelle-cli" --same-folder --yes "$demo"
