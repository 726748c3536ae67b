#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
if [ "${CORVANE_SANITIZE:-0}" = 1 ]; then
  build_dir=${BUILD_DIR:-$root/build-sanitize}
else
  build_dir=${BUILD_DIR:-$root/build}
fi
ctest --test-dir "$build_dir" --output-on-failure -j "${JOBS:-$(nproc)}"
