#include "host/render/GuardClip.h"

#include <algorithm>
#include <cmath>

namespace host::render {

namespace {

// Every halving shortens a curve's control polygon by about half; 48 halvings
// bring a curve across the whole 2^32-pixel range of view coordinates below
// kFlatnessPx, so the limit only guards against curves with non-finite
// control points.
constexpr int kMaxHalvings = 48;

DevicePoint Mid(DevicePoint a, DevicePoint b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }
DevicePoint Lerp(DevicePoint a, DevicePoint b, double t) { return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t}; }

struct Cubic {
  DevicePoint p0, p1, p2, p3;
};

bool ClearOfBox(const Cubic& c, const Box& box) {
  const DevicePoint pts[] = {c.p0, c.p1, c.p2, c.p3};
  auto all = [&](auto outside) { return std::all_of(std::begin(pts), std::end(pts), outside); };
  return all([&](DevicePoint p) { return p.x < box.left; }) || all([&](DevicePoint p) { return p.x > box.right; }) ||
         all([&](DevicePoint p) { return p.y < box.top; }) || all([&](DevicePoint p) { return p.y > box.bottom; });
}

// The inner control points against the points a third and two thirds along
// the chord: zero for a curve that is its chord, and an upper bound of the
// distance between curve and chord.
bool Flat(const Cubic& c) {
  const DevicePoint a = Lerp(c.p0, c.p3, 1.0 / 3), b = Lerp(c.p0, c.p3, 2.0 / 3);
  return std::max(std::hypot(c.p1.x - a.x, c.p1.y - a.y), std::hypot(c.p2.x - b.x, c.p2.y - b.y)) <= kFlatnessPx;
}

void Flatten(const Cubic& c, const Box& box, int halvings, std::vector<DevicePoint>& out) {
  if (halvings >= kMaxHalvings || ClearOfBox(c, box) || Flat(c)) {
    out.push_back(c.p3);
    return;
  }
  const DevicePoint p01 = Mid(c.p0, c.p1), p12 = Mid(c.p1, c.p2), p23 = Mid(c.p2, c.p3);
  const DevicePoint p012 = Mid(p01, p12), p123 = Mid(p12, p23), m = Mid(p012, p123);
  Flatten({c.p0, p01, p012, m}, box, halvings + 1, out);
  Flatten({m, p123, p23, c.p3}, box, halvings + 1, out);
}

// One edge of the box as a half-plane: inside(p) >= 0, and where a segment
// crosses it.
struct Edge {
  int axis;     // 0: x, 1: y
  double at;    // the edge's coordinate
  double sign;  // +1: inside is above `at`, -1: below
  double Inside(DevicePoint p) const { return sign * ((axis == 0 ? p.x : p.y) - at); }
  DevicePoint Cross(DevicePoint a, DevicePoint b) const {
    const double da = Inside(a), db = Inside(b);
    DevicePoint p = Lerp(a, b, da / (da - db));
    // The crossing lies on the edge exactly, whatever the rounding of the lerp.
    (axis == 0 ? p.x : p.y) = at;
    return p;
  }
};

std::vector<DevicePoint> ClipToEdge(const std::vector<DevicePoint>& in, const Edge& e) {
  std::vector<DevicePoint> out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const DevicePoint a = in[i], b = in[(i + 1) % in.size()];
    const bool aIn = e.Inside(a) >= 0, bIn = e.Inside(b) >= 0;
    if (aIn) out.push_back(a);
    if (aIn != bIn) out.push_back(e.Cross(a, b));
  }
  return out;
}

}  // namespace

void FlattenPiece(DevicePoint from, const DevicePath::Piece& piece, const Box& box, std::vector<DevicePoint>& out) {
  if (!piece.curve) {
    out.push_back(piece.end);
    return;
  }
  Flatten({from, piece.c1, piece.c2, piece.end}, box, 0, out);
}

std::vector<DevicePoint> ClipPolygon(std::vector<DevicePoint> polygon, const Box& box) {
  const Edge edges[] = {{0, box.left, +1}, {0, box.right, -1}, {1, box.top, +1}, {1, box.bottom, -1}};
  for (const Edge& e : edges) {
    if (polygon.empty()) break;
    polygon = ClipToEdge(polygon, e);
  }
  return polygon;
}

std::optional<SegmentSpan> ClipSegment(DevicePoint a, DevicePoint b, const Box& box) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  // p * t <= q for each edge, t in [0, 1].
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {a.x - box.left, box.right - a.x, a.y - box.top, box.bottom - a.y};
  SegmentSpan span;
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return std::nullopt;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0)
      span.t0 = std::max(span.t0, t);
    else
      span.t1 = std::min(span.t1, t);
  }
  if (span.t0 > span.t1) return std::nullopt;
  return span;
}

}  // namespace host::render
