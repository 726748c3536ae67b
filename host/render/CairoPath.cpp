#include "host/render/CairoPath.h"

#include <cmath>

#include "host/render/GuardClip.h"

namespace host::render {

namespace {

// How far the guard reaches beyond each side of the surface: well past any
// stroke's half-width or mark that could show at the surface's edge, and
// well inside the +-2^23 pixels cairo's 24.8 fixed-point coordinates hold.
constexpr double kGuardMarginPx = 1 << 20;

bool IsFinite(DevicePoint p) { return std::isfinite(p.x) && std::isfinite(p.y); }

template <class F>
bool AllPoints(const DevicePath::Subpath& s, F&& test) {
  if (!test(s.start)) return false;
  for (const DevicePath::Piece& piece : s.pieces) {
    if (piece.curve && (!test(piece.c1) || !test(piece.c2))) return false;
    if (!test(piece.end)) return false;
  }
  return true;
}

void AppendAsIs(cairo_t* cr, const DevicePath::Subpath& s, PathUse use) {
  cairo_move_to(cr, s.start.x, s.start.y);
  for (const DevicePath::Piece& piece : s.pieces) {
    if (piece.curve)
      cairo_curve_to(cr, piece.c1.x, piece.c1.y, piece.c2.x, piece.c2.y, piece.end.x, piece.end.y);
    else
      cairo_line_to(cr, piece.end.x, piece.end.y);
  }
  if (s.closed || use == PathUse::Fill) cairo_close_path(cr);
}

// The subpath as a polyline, its start first; closed subpaths (and every
// subpath for a fill) end with a return to the start.
std::vector<DevicePoint> Polyline(const DevicePath::Subpath& s, PathUse use, const Box& guard) {
  std::vector<DevicePoint> points{s.start};
  for (const DevicePath::Piece& piece : s.pieces) FlattenPiece(points.back(), piece, guard, points);
  if (s.closed || use == PathUse::Fill) points.push_back(s.start);
  return points;
}

void AppendClippedFill(cairo_t* cr, const std::vector<DevicePoint>& polyline, const Box& guard) {
  const std::vector<DevicePoint> polygon = ClipPolygon(polyline, guard);
  if (polygon.empty()) return;
  cairo_move_to(cr, polygon.front().x, polygon.front().y);
  for (const DevicePoint& p : polygon) cairo_line_to(cr, p.x, p.y);
  cairo_close_path(cr);
}

// The visible runs of the polyline, each its own subpath.
void AppendClippedStroke(cairo_t* cr, const std::vector<DevicePoint>& polyline, const Box& guard) {
  bool penDown = false;
  for (std::size_t i = 0; i + 1 < polyline.size(); ++i) {
    const DevicePoint a = polyline[i], b = polyline[i + 1];
    const std::optional<SegmentSpan> span = ClipSegment(a, b, guard);
    if (!span) {
      penDown = false;
      continue;
    }
    const DevicePoint from{a.x + (b.x - a.x) * span->t0, a.y + (b.y - a.y) * span->t0};
    const DevicePoint to{a.x + (b.x - a.x) * span->t1, a.y + (b.y - a.y) * span->t1};
    if (!penDown || span->t0 > 0) cairo_move_to(cr, from.x, from.y);
    cairo_line_to(cr, to.x, to.y);
    penDown = span->t1 >= 1;
  }
}

}  // namespace

void SetPath(cairo_t* cr, const DevicePath& path, PathUse use, int width, int height) {
  const Box guard{-kGuardMarginPx, -kGuardMarginPx, width + kGuardMarginPx, height + kGuardMarginPx};
  cairo_new_path(cr);
  for (const DevicePath::Subpath& s : path.subpaths()) {
    if (!AllPoints(s, IsFinite)) continue;
    if (AllPoints(s, [&](DevicePoint p) { return guard.Contains(p); })) {
      AppendAsIs(cr, s, use);
      continue;
    }
    const std::vector<DevicePoint> polyline = Polyline(s, use, guard);
    if (use == PathUse::Fill)
      AppendClippedFill(cr, polyline, guard);
    else
      AppendClippedStroke(cr, polyline, guard);
  }
}

}  // namespace host::render
