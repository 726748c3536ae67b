// What the line tools' tests share: paths with curved pieces, gestures, and the geometric
// properties of a created line, computed here from the document's own segments.
#pragma once

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <string>
#include <vector>

#include "tests/plugin/ToolHost.h"

namespace plugin_test::lines {

using host::model::Art;
using host::model::ArtId;
using host::model::Point;
using host::model::Segment;

// Coordinates written by the plug-in are single precision: good to about 3e-5 pt a few hundred
// points from the origin.
constexpr double kOnPathTol = 1e-3;
constexpr double kAngleTol = 1e-6;  // rad

using host::model::Dot;
inline double Cross(Point a, Point b) { return a.h * b.v - a.v * b.h; }
inline double Len(Point a) { return std::hypot(a.h, a.v); }

// One cubic piece of a path, evaluated from its four control points.
struct Cubic {
  Point p0, p1, p2, p3;
  Point At(double t) const {
    const double s = 1 - t;
    const double a = s * s * s, b = 3 * s * s * t, c = 3 * s * t * t, d = t * t * t;
    return {a * p0.h + b * p1.h + c * p2.h + d * p3.h, a * p0.v + b * p1.v + c * p2.v + d * p3.v};
  }
  Point Tangent(double t) const {
    const double s = 1 - t;
    const double a = 3 * s * s, b = 6 * s * t, c = 3 * t * t;
    return {a * (p1.h - p0.h) + b * (p2.h - p1.h) + c * (p3.h - p2.h),
            a * (p1.v - p0.v) + b * (p2.v - p1.v) + c * (p3.v - p2.v)};
  }
};

inline std::vector<Cubic> Pieces(const Art& art) {
  std::vector<Cubic> pieces;
  const std::size_t n = art.segments.size();
  const std::size_t count = art.closed ? n : (n ? n - 1 : 0);
  for (std::size_t i = 0; i < count; ++i) {
    const Segment& a = art.segments[i];
    const Segment& b = art.segments[(i + 1) % n];
    pieces.push_back({a.p, a.out, b.in, b.p});
  }
  return pieces;
}

// The point of the path nearest p: a coarse scan of every piece, then a golden-section
// refinement around the best sample.
struct Foot {
  std::size_t piece = 0;
  double t = 0;
  double distance = 1e300;
  Point tangent{};
};

inline Foot NearestOnPath(const Art& art, Point p) {
  Foot best;
  const std::vector<Cubic> pieces = Pieces(art);
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    constexpr int kSamples = 200;
    int k = 0;
    double kd = 1e300;
    for (int j = 0; j <= kSamples; ++j) {
      const double d = Len(pieces[i].At(double(j) / kSamples) - p);
      if (d < kd) kd = d, k = j;
    }
    double lo = std::max(0.0, (k - 1.0) / kSamples), hi = std::min(1.0, (k + 1.0) / kSamples);
    const double g = (std::sqrt(5.0) - 1) / 2;
    for (int it = 0; it < 100; ++it) {
      const double m1 = hi - g * (hi - lo), m2 = lo + g * (hi - lo);
      if (Len(pieces[i].At(m1) - p) < Len(pieces[i].At(m2) - p)) hi = m2; else lo = m1;
    }
    const double t = (lo + hi) / 2, d = Len(pieces[i].At(t) - p);
    if (d < best.distance) best = {i, t, d, pieces[i].Tangent(t)};
  }
  return best;
}

// The angle between two directions, ignoring their sense (0 .. pi/2).
inline double AngleBetweenLines(Point a, Point b) {
  return std::atan2(std::abs(Cross(a, b)), std::abs(Dot(a, b)));
}

// A closed circle of four smooth pieces, anchors at 0, 90, 180 and 270 degrees.
inline std::vector<Segment> CircleSegments(Point c, double r) {
  const double k = r * 4 * (std::sqrt(2.0) - 1) / 3;
  return {{{c.h + r, c.v}, {c.h + r, c.v - k}, {c.h + r, c.v + k}, false},
          {{c.h, c.v + r}, {c.h + k, c.v + r}, {c.h - k, c.v + r}, false},
          {{c.h - r, c.v}, {c.h - r, c.v + k}, {c.h - r, c.v - k}, false},
          {{c.h, c.v - r}, {c.h - k, c.v - r}, {c.h + k, c.v - r}, false}};
}

inline Point OnCircle(Point c, double r, double degrees) {
  const double a = degrees * std::numbers::pi / 180;
  return {c.h + r * std::cos(a), c.v + r * std::sin(a)};
}

inline std::vector<Step> Join(std::initializer_list<std::vector<Step>> parts) {
  std::vector<Step> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

class LineToolHost : public ToolHost {
 public:
  using ToolHost::ToolHost;

  ArtId AddCircle(Point c, double r) { return AddPath(CircleSegments(c, r), true); }
};

inline bool SameShape(const Segment& a, const Segment& b) {
  return a.p == b.p && a.in == b.in && a.out == b.out && a.corner == b.corner;
}

inline bool SameSegments(const Art& a, const Art& b) {
  return a.closed == b.closed && a.segments.size() == b.segments.size() &&
         std::equal(a.segments.begin(), a.segments.end(), b.segments.begin(), SameShape);
}

// A created line: an open path of two corner anchors with retracted handles.
inline void ExpectTwoAnchorLine(const Art& line) {
  EXPECT_FALSE(line.closed);
  ASSERT_EQ(line.segments.size(), 2u);
  for (const Segment& s : line.segments) {
    EXPECT_TRUE(s.corner);
    EXPECT_EQ(s.in, s.p);
    EXPECT_EQ(s.out, s.p);
  }
}

// Every point of `before` lies on `after` and the other way round, within tol.
inline void ExpectSameShape(const Art& before, const Art& after, double tol) {
  for (const auto& [from, to] : {std::pair{&before, &after}, std::pair{&after, &before}}) {
    for (const Cubic& c : Pieces(*from))
      for (int j = 0; j <= 40; ++j) {
        const Foot f = NearestOnPath(*to, c.At(j / 40.0));
        EXPECT_LT(f.distance, tol);
      }
  }
}

}  // namespace plugin_test::lines
