#!/usr/bin/env bash
# Runs one test of xvfb_session.sh under a fresh virtual X server, or skips it
# (status 77, which CTest reports as skipped) when xvfb-run, xdotool, import
# or python3 are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in xvfb-run xdotool import python3; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
keep=${CORVANE_DESKTOP_TEST_KEEP:-}
[ -n "$keep" ] || trap 'rm -rf "$work"' EXIT
echo "work folder: $work"
# GTK's own allocations are not this program's to answer for.
export ASAN_OPTIONS=${ASAN_OPTIONS:-}${ASAN_OPTIONS:+:}detect_leaks=0
timeout 120 xvfb-run -a -s "-screen 0 1280x900x24" bash "$here/xvfb_session.sh" "$1" "$2" "$3" "$4" "$work"
