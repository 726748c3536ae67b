#!/usr/bin/env bash
# Builds Corvane for Windows x64 (scripts/build-windows.sh) and runs its tests
# under Wine.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build-windows}
BUILD_DIR=$build_dir "$root/scripts/build-windows.sh"
ctest --test-dir "$build_dir" --output-on-failure -j "${JOBS:-$(nproc)}"
