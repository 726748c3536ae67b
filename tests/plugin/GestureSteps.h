// Gestures as tables of steps for the tools' tests: what the pointer does,
// where, and with which modifier keys in the event.
#pragma once

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "tests/plugin/ToolHost.h"

namespace plugin_test {

inline void RunAll(ToolHost& h, const std::vector<Step>& steps) { h.Run(steps); }

// Press at a, drag through the middle to b, release at b.
inline std::vector<Step> DragTo(host::model::Point a, host::model::Point b, uint16_t modifiers = 0) {
  const host::model::Point mid{(a.h + b.h) / 2, (a.v + b.v) / 2};
  return {{Ev::Move, a, modifiers}, {Ev::Down, a, modifiers}, {Ev::Drag, mid, modifiers}, {Ev::Drag, b, modifiers},
          {Ev::Up, b, modifiers}};
}

inline std::vector<Step> Then(std::vector<Step> a, const std::vector<Step>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

inline host::model::Point At(host::model::Point a, double length, double degrees) {
  const double r = degrees * std::numbers::pi / 180;
  return {a.h + length * std::cos(r), a.v + length * std::sin(r)};
}

inline double Dist(host::model::Point a, host::model::Point b) { return std::hypot(a.h - b.h, a.v - b.v); }

inline host::model::Point Minus(host::model::Point a, host::model::Point b) { return {a.h - b.h, a.v - b.v}; }
inline double Cross(host::model::Point a, host::model::Point b) { return a.h * b.v - a.v * b.h; }
inline double DotP(host::model::Point a, host::model::Point b) { return a.h * b.h + a.v * b.v; }
inline double Len(host::model::Point a) { return std::hypot(a.h, a.v); }
inline host::model::Point UnitOf(host::model::Point a) { return {a.h / Len(a), a.v / Len(a)}; }

// The point of the piece from a to b at t.
inline host::model::Point PieceAt(const host::model::Segment& a, const host::model::Segment& b, double t) {
  const double u = 1 - t;
  const double w0 = u * u * u, w1 = 3 * u * u * t, w2 = 3 * u * t * t, w3 = t * t * t;
  return {w0 * a.p.h + w1 * a.out.h + w2 * b.in.h + w3 * b.p.h, w0 * a.p.v + w1 * a.out.v + w2 * b.in.v + w3 * b.p.v};
}

// Points sampled along every piece of a path (n per piece), in order.
inline std::vector<host::model::Point> Sampled(const host::model::Art& art, int n = 16) {
  std::vector<host::model::Point> points;
  const std::size_t count = art.segments.size();
  const std::size_t pieces = art.closed ? count : (count == 0 ? 0 : count - 1);
  for (std::size_t i = 0; i < pieces; ++i)
    for (int k = 0; k <= n; ++k)
      points.push_back(PieceAt(art.segments[i], art.segments[(i + 1) % count], static_cast<double>(k) / n));
  return points;
}

// The nearest point of a path to p and the path's unit tangent there, found
// by sampling every piece and refining with Newton steps on (B(t) - p).B'(t).
struct Nearest {
  host::model::Point point;
  host::model::Point tangent;
};

inline host::model::Point Derivative(const host::model::Segment& a, const host::model::Segment& b, double t) {
  const double u = 1 - t;
  const auto d = [&](double p0, double p1, double p2, double p3) {
    return 3 * u * u * (p1 - p0) + 6 * u * t * (p2 - p1) + 3 * t * t * (p3 - p2);
  };
  return {d(a.p.h, a.out.h, b.in.h, b.p.h), d(a.p.v, a.out.v, b.in.v, b.p.v)};
}

inline Nearest NearestOn(const host::model::Art& art, host::model::Point p) {
  const std::size_t n = art.segments.size(), pieces = art.closed ? n : n - 1;
  double best = INFINITY;
  std::size_t bi = 0;
  double bt = 0;
  for (std::size_t i = 0; i < pieces; ++i)
    for (int k = 0; k <= 200; ++k) {
      const double t = k / 200.0;
      const double d = Dist(PieceAt(art.segments[i], art.segments[(i + 1) % n], t), p);
      if (d < best) best = d, bi = i, bt = t;
    }
  const host::model::Segment& a = art.segments[bi];
  const host::model::Segment& b = art.segments[(bi + 1) % n];
  for (int it = 0; it < 30; ++it) {
    const double h = 1e-6;
    const auto f = [&](double t) { return DotP(Minus(PieceAt(a, b, t), p), Derivative(a, b, t)); };
    const double df = (f(bt + h) - f(bt - h)) / (2 * h);
    if (df == 0) break;
    bt = std::clamp(bt - f(bt) / df, 0.0, 1.0);
  }
  return {PieceAt(a, b, bt), UnitOf(Derivative(a, b, bt))};
}

// The distance from p to the path.
inline double DistanceToPath(const host::model::Art& art, host::model::Point p) { return Dist(NearestOn(art, p).point, p); }

}  // namespace plugin_test
