#!/usr/bin/env bash
# Takes the README's pictures of corvane-desktop under a virtual X server:
# the curves example with "QM Circle by 2 or 3 points" in the middle of a
# drag, in the light and in the dark appearance.  Needs a build (build/) and
# xvfb-run, xdotool and ImageMagick's import.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
out=${1:-$root/docs/images}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/session.sh" <<INNER
set -euo pipefail
export XDG_CONFIG_HOME=$work/config GDK_BACKEND=x11 NO_AT_BRIDGE=1
CORVANE_DESKTOP_REPORT=$work/report "$build/apps/corvane-desktop" --plugin "$build/plugin/Corvane.aip" \
  "$root/examples/curves.svg" >/dev/null 2>&1 &
for i in \$(seq 300); do [ -s $work/report ] && break; sleep 0.1; done
field() { awk -F'\t' -v k="\$1" '\$1 == k { print \$'"\$2"' }' $work/report; }
wid=\$(xdotool search --onlyvisible --name Corvane | head -1)
tool="tool QM Circle by 2 or 3 points"
xdotool mousemove --window \$wid \$((\$(field "\$tool" 2) + 16)) \$((\$(field "\$tool" 3) + 16)) click 1
cx=\$(field canvas 2) cy=\$(field canvas 3)
shoot() {
  xdotool mousemove --window \$wid \$((cx + 330)) \$((cy + 300)) mousedown 1
  for x in \$(seq 340 10 470); do xdotool mousemove --window \$wid \$((cx + x)) \$((cy + 300 + (x - 330) / 4)); sleep 0.02; done
  sleep 0.5
  import -window \$wid "\$1"
  xdotool key Escape mouseup 1
  xdotool key ctrl+z
  sleep 0.3
}
shoot "$out/desktop-light.png"
xdotool key ctrl+shift+d
sleep 1
shoot "$out/desktop-dark.png"
kill %1
INNER
xvfb-run -a -s "-screen 0 1280x900x24" bash "$work/session.sh"
echo "wrote $out/desktop-light.png and $out/desktop-dark.png"
