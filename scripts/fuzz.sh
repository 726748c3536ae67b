#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang (build-fuzz/, or BUILD_DIR) and
# runs each for FUZZ_SECONDS (default 60) on a copy of its seeds, so that the
# seed folders are never changed.  Prints each harness's executions; a crash
# or a broken invariant fails the script, leaving the input in the work folder.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build_dir=${BUILD_DIR:-$root/build-fuzz}
seconds=${FUZZ_SECONDS:-60}
jobs=${JOBS:-$(nproc)}
"$root/scripts/install-deps.sh"
# libFuzzer comes with clang; only the fuzzers need it.
if ! command -v clang++ >/dev/null; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang
fi
CC=clang CXX=clang++ cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON \
  -DCORVANE_BUILD_TESTS=OFF -DCORVANE_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j "$jobs" --target fuzzers

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work"/{svg_round_trip_fuzz,preferences_fuzz,script_parser_fuzz,resource_tables_fuzz,geometry_solvers_fuzz}
cp "$root"/examples/*.svg "$root"/tests/scenario/cases/*/input.svg "$work/svg_round_trip_fuzz/" 2>/dev/null || true
i=0; for f in "$root"/tests/scenario/cases/*/preferences.ini; do [ -f "$f" ] && cp "$f" "$work/preferences_fuzz/$((i++)).ini"; done
i=0; for f in "$root"/examples/*.cvs "$root"/tests/scenario/cases/*/script.cvs; do
  [ -f "$f" ] && cp "$f" "$work/script_parser_fuzz/$((i++)).cvs"; done
cp "$root"/tests/plugin/hot_spot_edges/* "$work/resource_tables_fuzz/"
cp "$root"/fuzz/seeds/geometry/* "$work/geometry_solvers_fuzz/" 2>/dev/null || true

failed=0
for harness in svg_round_trip_fuzz preferences_fuzz script_parser_fuzz resource_tables_fuzz geometry_solvers_fuzz; do
  log="$work/$harness.log"
  if (cd "$work" && "$build_dir/fuzz/$harness" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=1 \
        "$work/$harness" >"$log" 2>&1); then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz: $harness: $runs executions in ${seconds} s, no failure"
  else
    echo "fuzz: $harness FAILED"; tail -40 "$log"; failed=1
    mkdir -p "$root/fuzz-failures" && cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$root/fuzz-failures/" 2>/dev/null || true
  fi
done
exit $failed
