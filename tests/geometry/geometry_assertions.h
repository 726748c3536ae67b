// Property assertions and small fixtures shared by the geometry tests.
//
// The assertions check what a result must satisfy (a point lies on a curve, a circle touches a
// curve, an anchor is smooth), never a copy of the code's arithmetic.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "geometry/bezier.h"
#include "geometry/segment_list.h"

namespace geom::testing {

inline ::testing::AssertionResult PointsNear(const char* ae, const char* be, const char*, Point a, Point b,
                                             double eps) {
  if (Distance(a, b) <= eps) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << ae << " = (" << a.h << ", " << a.v << ") and " << be << " = (" << b.h
                                       << ", " << b.v << ") are " << Distance(a, b) << " apart (eps " << eps << ")";
}
#define EXPECT_POINT_NEAR(a, b, eps) EXPECT_PRED_FORMAT3(::geom::testing::PointsNear, a, b, eps)

// The point lies on the piece at parameter t.
inline ::testing::AssertionResult OnCurve(const char*, const char*, const char* pe, const char*, const Bezier& c,
                                          double t, Point p, double eps) {
  if (!(t >= 0 && t <= 1)) return ::testing::AssertionFailure() << "parameter " << t << " outside [0, 1]";
  const double d = Distance(c.At(t), p);
  if (d <= eps) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << pe << " is " << d << " from the piece at t = " << t;
}
#define EXPECT_ON_CURVE(piece, t, p, eps) EXPECT_PRED_FORMAT4(::geom::testing::OnCurve, piece, t, p, eps)

// The circle (centre, r) touches the piece at t: the touching point is at distance r from the
// centre, and the centre lies on the piece's normal there.
inline ::testing::AssertionResult Touches(const char*, const char*, const char*, const char*, const char*,
                                          Point centre, double r, const Bezier& c, double t, double eps) {
  if (!(t >= 0 && t <= 1)) return ::testing::AssertionFailure() << "parameter " << t << " outside [0, 1]";
  const Point radial = centre - c.At(t);
  const double off = std::abs(Length(radial) - r);
  const double along = std::abs(Dot(Unit(radial), Unit(c.Derivative(t))));
  if (off <= eps && along <= eps) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "circle at (" << centre.h << ", " << centre.v << ") r " << r
                                       << ": distance error " << off << ", radial/tangent cosine " << along
                                       << " at t = " << t;
}
#define EXPECT_TANGENT(centre, r, piece, t, eps) EXPECT_PRED_FORMAT5(::geom::testing::Touches, centre, r, piece, t, eps)

// Anchor i of a closed list is smooth: its handles lie on one line through it, on opposite
// sides (or are retracted).
inline ::testing::AssertionResult SmoothAt(const char*, const char*, const SegmentList& list, int i) {
  const Segment& s = list[static_cast<std::size_t>(i)];
  if (s.corner) return ::testing::AssertionFailure() << "anchor " << i << " is a corner";
  const double shortest = std::min(Distance(s.in, s.p), Distance(s.out, s.p));
  if (shortest == 0) return ::testing::AssertionSuccess();
  // Coordinates are stored in single precision: allow the bend that rounding of the anchor and
  // both handles can cause.
  const double magnitude = std::max({std::abs(s.p.h), std::abs(s.p.v), std::abs(s.in.h), std::abs(s.in.v),
                                     std::abs(s.out.h), std::abs(s.out.v), 1.0});
  const double allowed = 1e-9 + 8 * magnitude * 0x1p-24 / shortest;
  const double bend = std::abs(Cross(Unit(s.in - s.p), Unit(s.p - s.out)));
  if (bend <= allowed && Dot(s.in - s.p, s.out - s.p) < 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "anchor " << i << " handles bend by " << bend << " (allowed " << allowed
                                       << ")";
}
#define EXPECT_SMOOTH_AT(list, i) EXPECT_PRED_FORMAT2(::geom::testing::SmoothAt, list, i)

inline bool IsSingle(double x) { return static_cast<double>(static_cast<float>(x)) == x; }
inline bool IsSingle(Point p) { return IsSingle(p.h) && IsSingle(p.v); }

// A straight segment with retracted handles.
inline Bezier Line(Point a, Point b) { return Bezier(a, a, b, b); }

// A random cubic inside a box of the given size at the origin.
inline Bezier RandomCubic(std::mt19937& rng, double size = 100) {
  std::uniform_real_distribution<double> u(0, size);
  return Bezier({u(rng), u(rng)}, {u(rng), u(rng)}, {u(rng), u(rng)}, {u(rng), u(rng)});
}

// A closed circle path of four quarter pieces, counter-clockwise from angle 0.
SegmentList CirclePath(Point centre, double r);

// An open path through the given anchors with retracted handles (a polyline).
SegmentList Polyline(const std::vector<Point>& anchors);

}  // namespace geom::testing
