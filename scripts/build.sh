#!/usr/bin/env bash
# Configures and builds Corvane.  BUILD_DIR (default build/) and
# CORVANE_SANITIZE=1 (AddressSanitizer + UndefinedBehaviorSanitizer, default
# build dir build-sanitize/) may be set in the environment.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
sanitize=${CORVANE_SANITIZE:-0}
if [ "$sanitize" = 1 ]; then
  build_dir=${BUILD_DIR:-$root/build-sanitize}
  extra=(-DCORVANE_SANITIZE=ON -DCORVANE_BUILD_BENCH=OFF)
else
  build_dir=${BUILD_DIR:-$root/build}
  extra=()
fi
jobs=${JOBS:-$(nproc)}
cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${extra[@]}" >/dev/null
cmake --build "$build_dir" -j "$jobs"
