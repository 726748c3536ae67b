#!/usr/bin/env bash
# The main job: installs what is missing, builds, then replays the bundled
# example script (examples/curves.cvs) on the bundled document
# (examples/curves.svg) with the command-line host.  The result goes to out/:
# curves.svg (the document after the gestures) and curves.png (a picture of
# the view: the document, the tool's overlay and its cursor).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
build_dir=${BUILD_DIR:-$root/build}
mkdir -p "$root/out"
cd "$root/out"
"$build_dir/apps/corvane-host" --example curves -o curves.svg
echo "Wrote $root/out/curves.svg and $root/out/curves.png"
