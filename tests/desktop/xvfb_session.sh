#!/usr/bin/env bash
# Drives corvane-desktop under a virtual X server as a person would, with
# xdotool: the test named by $1 runs inside xvfb-run (see run_xvfb_test.sh).
#   draw-circle  choose "QM Circle by 2 or 3 points" in the palette, drag a
#                diameter on the canvas, take a screenshot, save with Ctrl+S,
#                and check the saved document has the new closed circle there.
#   about        open the About box from the Help menu, close it with Escape.
set -euo pipefail
test_name=$1 app=$2 plugin=$3 example=$4 work=$5

export XDG_CONFIG_HOME=$work/config GDK_BACKEND=x11 GTK_A11Y=none NO_AT_BRIDGE=1
mkdir -p "$XDG_CONFIG_HOME"
doc=$work/document.svg
cp "$example" "$doc"
report=$work/report
rm -f "$report"

fail() { echo "FAIL: $*" >&2; import -window root "$work/failure.png" 2>/dev/null || true; exit 1; }
# Waits until the command succeeds, at most $1 seconds.
wait_for() {
  local limit=$1; shift
  local end=$((SECONDS + limit))
  until "$@"; do
    [ $SECONDS -lt $end ] || return 1
    sleep 0.1
  done
}

CORVANE_DESKTOP_REPORT=$report "$app" --plugin "$plugin" "$doc" >"$work/app.log" 2>&1 &
app_pid=$!
trap 'kill $app_pid 2>/dev/null || true' EXIT
wait_for 60 test -s "$report" || fail "the window did not report its layout; log: $(cat "$work/app.log")"
wid=$(xdotool search --onlyvisible --pid $app_pid --name 'Corvane' | head -1)
[ -n "$wid" ] || fail "no window"

field() { awk -F'\t' -v k="$1" '$1 == k { print $'"$2"' }' "$report"; }

case $test_name in
draw-circle)
  bx=$(field "tool QM Circle by 2 or 3 points" 2) by=$(field "tool QM Circle by 2 or 3 points" 3)
  bw=$(field "tool QM Circle by 2 or 3 points" 4) bh=$(field "tool QM Circle by 2 or 3 points" 5)
  [ -n "$bx" ] || fail "no palette button for the tool: $(cat "$report")"
  xdotool mousemove --window "$wid" $((bx + bw / 2)) $((by + bh / 2)) click 1
  cx=$(field canvas 2) cy=$(field canvas 3)
  zoom=$(field view 2) oh=$(field view 3) ov=$(field view 4)
  # A diameter from canvas pixel (300, 420) to (400, 420), with the pointer
  # passing over the points between.
  x1=300 x2=400 y=420
  xdotool mousemove --window "$wid" $((cx + x1)) $((cy + y))
  sleep 0.2
  xdotool mousedown 1
  for x in $(seq $((x1 + 10)) 10 $x2); do
    xdotool mousemove --window "$wid" $((cx + x)) $((cy + y))
    sleep 0.03
  done
  sleep 0.2
  import -window root "$work/drag.png"
  xdotool mouseup 1
  sleep 0.2
  before=$(stat -c %Y.%s "$doc")
  xdotool key ctrl+s
  wait_for 20 bash -c "[ \"\$(stat -c %Y.%s '$doc')\" != '$before' ]" || fail "Ctrl+S did not save the document"
  sleep 0.3
  python3 - "$doc" "$zoom" "$oh" "$ov" $x1 $x2 $y <<'PY' || fail "the saved document has no circle where it was dragged"
import math, re, sys, xml.etree.ElementTree as ET
doc, zoom, oh, ov = sys.argv[1], float(sys.argv[2]), float(sys.argv[3]), float(sys.argv[4])
x1, x2, y = (float(v) for v in sys.argv[5:8])
# View pixels to artwork (y up), then to SVG (y down).
ax1, ax2, ay = oh + x1 / zoom, oh + x2 / zoom, ov - y / zoom
cx, cy, r = (ax1 + ax2) / 2, -ay, (ax2 - ax1) / 2
tol = 1.5 / zoom + 0.01 * r
paths = [e for e in ET.parse(doc).iter() if e.tag.endswith('path')]
closed = [p for p in paths if p.get('d', '').strip().upper().endswith('Z')]
def anchors(d):
    out, cmds = [], re.findall(r'([MCLZmclz])([^MCLZmclz]*)', d)
    for c, args in cmds:
        nums = [float(v) for v in re.findall(r'-?[\d.]+(?:e-?\d+)?', args)]
        if c == 'M' or c == 'L': out += [(nums[i], nums[i + 1]) for i in range(0, len(nums), 2)]
        if c == 'C': out += [(nums[i + 4], nums[i + 5]) for i in range(0, len(nums), 6)]
    return out
for p in closed:
    pts = anchors(p.get('d'))
    if len(pts) >= 4 and all(abs(math.hypot(px - cx, py - cy) - r) <= tol for px, py in pts):
        sys.exit(0)
print('expected a closed circle centre (%.2f, %.2f) radius %.2f; closed paths: %d' % (cx, cy, r, len(closed)))
sys.exit(1)
PY
  ;;
about)
  hx=$(field "menu Help" 2) hy=$(field "menu Help" 3) hw=$(field "menu Help" 4) hh=$(field "menu Help" 5)
  [ -n "$hx" ] || fail "no Help menu: $(cat "$report")"
  shown() { xdotool search --onlyvisible --name '^About Corvane$' >/dev/null 2>&1; }
  xdotool mousemove --window "$wid" $((hx + hw / 2)) $((hy + hh / 2)) click 1
  sleep 0.3
  # The About item is the menu's last: Up from the top wraps round to it.
  xdotool key Up Return
  wait_for 20 shown || fail "the About box did not open"
  import -window root "$work/about.png"
  xdotool key Escape
  wait_for 20 bash -c "! xdotool search --onlyvisible --name '^About Corvane\$' >/dev/null 2>&1" ||
    fail "Escape did not close the About box"
  kill -0 $app_pid || fail "the program ended"
  ;;
*) fail "unknown test $test_name" ;;
esac
echo "PASS: $test_name"
