#include "host/model/Cubic.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace host::model {

namespace {

// Samples per piece before polishing: a cubic has at most three local
// minima of distance, and 32 samples keep them in separate valleys for any
// piece whose control polygon does not fold more tightly than that.
constexpr int kNearestSamples = 32;
constexpr int kNewtonSteps = 8;

}  // namespace

Point Evaluate(const Cubic& c, double t) {
  const double u = 1 - t;
  return c.p0 * (u * u * u) + c.p1 * (3 * u * u * t) + c.p2 * (3 * u * t * t) + c.p3 * (t * t * t);
}

Point Derivative(const Cubic& c, double t) {
  const double u = 1 - t;
  return (c.p1 - c.p0) * (3 * u * u) + (c.p2 - c.p1) * (6 * u * t) + (c.p3 - c.p2) * (3 * t * t);
}

namespace {

Point SecondDerivative(const Cubic& c, double t) {
  return (c.p2 - c.p1 * 2 + c.p0) * (6 * (1 - t)) + (c.p3 - c.p2 * 2 + c.p1) * (6 * t);
}

// Roots in (0, 1) of the derivative of one coordinate: with a = P1 - P0,
// b = P2 - P1, c = P3 - P2 it is 3[(a - 2b + c) t^2 + 2(b - a) t + a].
std::array<double, 2> DerivativeRoots(double p0, double p1, double p2, double p3, int& count) {
  const double a = p1 - p0, b = p2 - p1, c = p3 - p2;
  const double qa = a - 2 * b + c, qb = 2 * (b - a), qc = a;
  std::array<double, 2> roots{};
  count = 0;
  auto keep = [&](double t) {
    if (t > 0 && t < 1) roots[static_cast<std::size_t>(count++)] = t;
  };
  if (std::abs(qa) < 1e-12 * (std::abs(qb) + std::abs(qc) + 1e-300)) {
    if (qb != 0) keep(-qc / qb);
    return roots;
  }
  const double disc = qb * qb - 4 * qa * qc;
  if (disc < 0) return roots;
  // The cancellation-free pair of quadratic roots.
  const double q = -0.5 * (qb + std::copysign(std::sqrt(disc), qb));
  keep(q / qa);
  if (q != 0) keep(qc / q);
  return roots;
}

void Include(Rect& r, Point p) {
  r.left = std::min(r.left, p.h);
  r.right = std::max(r.right, p.h);
  r.bottom = std::min(r.bottom, p.v);
  r.top = std::max(r.top, p.v);
}

}  // namespace

int PieceCount(const std::vector<Segment>& segments, bool closed) {
  const int n = static_cast<int>(segments.size());
  if (n == 0) return 0;
  return closed ? n : n - 1;
}

Cubic PieceOf(const std::vector<Segment>& segments, int i) {
  const std::size_t n = segments.size();
  const Segment& from = segments[static_cast<std::size_t>(i)];
  const Segment& to = segments[(static_cast<std::size_t>(i) + 1) % n];
  return {from.p, from.out, to.in, to.p};
}

Rect Bounds(const Cubic& c) {
  Rect r{c.p0.h, c.p0.v, c.p0.h, c.p0.v};
  Include(r, c.p3);
  int count = 0;
  auto hs = DerivativeRoots(c.p0.h, c.p1.h, c.p2.h, c.p3.h, count);
  for (int i = 0; i < count; ++i) Include(r, Evaluate(c, hs[static_cast<std::size_t>(i)]));
  auto vs = DerivativeRoots(c.p0.v, c.p1.v, c.p2.v, c.p3.v, count);
  for (int i = 0; i < count; ++i) Include(r, Evaluate(c, vs[static_cast<std::size_t>(i)]));
  return r;
}

Rect Union(const Rect& a, const Rect& b) {
  return {std::min(a.left, b.left), std::max(a.top, b.top), std::max(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

namespace {

double Polish(const Cubic& c, Point p, double t) {
  for (int i = 0; i < kNewtonSteps; ++i) {
    const Point d = Evaluate(c, t) - p;
    const Point d1 = Derivative(c, t);
    const double f = Dot(d, d1);
    const double df = Dot(d1, d1) + Dot(d, SecondDerivative(c, t));
    if (df <= 0) break;  // not a valley here; keep the sample
    t = std::clamp(t - f / df, 0.0, 1.0);
  }
  return t;
}

}  // namespace

NearestPoint Nearest(const Cubic& c, Point p) {
  std::array<double, kNearestSamples + 1> dist{};
  for (int i = 0; i <= kNearestSamples; ++i)
    dist[static_cast<std::size_t>(i)] = Distance(Evaluate(c, double(i) / kNearestSamples), p);
  NearestPoint best{0, c.p0, dist[0]};
  auto consider = [&](double t) {
    const Point q = Evaluate(c, t);
    const double d = Distance(q, p);
    if (d < best.distance) best = {t, q, d};
  };
  consider(1);
  for (int i = 0; i <= kNearestSamples; ++i) {
    const std::size_t k = static_cast<std::size_t>(i);
    const bool valley = (i == 0 || dist[k] <= dist[k - 1]) && (i == kNearestSamples || dist[k] <= dist[k + 1]);
    if (valley) consider(Polish(c, p, double(i) / kNearestSamples));
  }
  return best;
}

int WindingNumber(const std::vector<const std::vector<Segment>*>& outlines, Point p) {
  int winding = 0;
  auto edge = [&](Point a, Point b) {
    // Crossings of the rightward ray from p, upward +1, downward -1.
    if (a.v <= p.v) {
      if (b.v > p.v && (b.h - a.h) * (p.v - a.v) - (p.h - a.h) * (b.v - a.v) > 0) ++winding;
    } else if (b.v <= p.v && (b.h - a.h) * (p.v - a.v) - (p.h - a.h) * (b.v - a.v) < 0) {
      --winding;
    }
  };
  for (const auto* segments : outlines) {
    const int pieces = PieceCount(*segments, true);
    for (int i = 0; i < pieces; ++i) {
      const Cubic c = PieceOf(*segments, i);
      Point prev = c.p0;
      for (int k = 1; k <= kWindingChords; ++k) {
        const Point next = Evaluate(c, double(k) / kWindingChords);
        edge(prev, next);
        prev = next;
      }
    }
  }
  return winding;
}

}  // namespace host::model
