#include "tools/edit/OrientGeometry.h"

#include <cmath>
#include <numbers>

namespace Tools::orient {

namespace {

// The frame of an axis: its start as origin, its direction (times m) as the
// first basis vector, that direction turned left as the second.
AIRealMatrix Frame(const Axis& axis, double m) {
  const geom::Point u = geom::Unit(axis.end - axis.start) * m;
  return {u.h, u.v, -u.v, u.h, axis.start.h, axis.start.v};
}

std::optional<AIRealMatrix> Inverse(const AIRealMatrix& f) {
  const double det = f.a * f.d - f.b * f.c;
  if (!(std::abs(det) >= kMinFrameDeterminant)) return std::nullopt;
  return AIRealMatrix{f.d / det, -f.b / det, -f.c / det, f.a / det, (f.c * f.ty - f.d * f.tx) / det,
                      (f.b * f.tx - f.a * f.ty) / det};
}

// first, then second.
AIRealMatrix Then(const AIRealMatrix& first, const AIRealMatrix& second) {
  return {second.a * first.a + second.c * first.b,
          second.b * first.a + second.d * first.b,
          second.a * first.c + second.c * first.d,
          second.b * first.c + second.d * first.d,
          second.a * first.tx + second.c * first.ty + second.tx,
          second.b * first.tx + second.d * first.ty + second.ty};
}

}  // namespace

std::optional<AIRealMatrix> AxisToAxis(const Axis& from, const Axis& to, bool scale) {
  const double fromLength = Length(from), toLength = Length(to);
  if (!(fromLength > kMinAxisLength) || !(toLength > kMinAxisLength)) return std::nullopt;
  const std::optional<AIRealMatrix> back = Inverse(Frame(from, 1));
  if (!back) return std::nullopt;
  return Then(*back, Frame(to, scale ? toLength / fromLength : 1));
}

AIRealMatrix RotationAbout(geom::Point centre, double angle) {
  const double c = std::cos(angle), s = std::sin(angle);
  return {c, s, -s, c, centre.h - (c * centre.h - s * centre.v), centre.v - (s * centre.h + c * centre.v)};
}

AIRealMatrix RoundToSingle(const AIRealMatrix& m) {
  using geom::RoundToSingle;
  return {RoundToSingle(m.a), RoundToSingle(m.b), RoundToSingle(m.c),
          RoundToSingle(m.d), RoundToSingle(m.tx), RoundToSingle(m.ty)};
}

geom::Point Apply(const AIRealMatrix& m, geom::Point p) {
  return {m.a * p.h + m.c * p.v + m.tx, m.b * p.h + m.d * p.v + m.ty};
}

double RotationOf(const AIRealMatrix& m) { return std::atan2(m.b, m.a); }

geom::Point ConstrainToSteps(geom::Point anchor, geom::Point q, double offsetDegrees) {
  constexpr double kStep = std::numbers::pi / 4;
  const double offset = offsetDegrees * std::numbers::pi / 180;
  const geom::Point d = q - anchor;
  const double step = std::floor((std::atan2(d.v, d.h) - offset) / kStep + 0.5) * kStep + offset;
  const geom::Point dir{std::cos(step), std::sin(step)};
  return anchor + dir * geom::Dot(d, dir);
}

}  // namespace Tools::orient
