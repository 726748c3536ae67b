#include "host/svg/Arc.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace host::svg {
namespace {

constexpr double kQuarterTurn = std::numbers::pi / 2;
// Sweeps that are a whole number of quarter turns up to rounding (a half
// circle computed as 3.1415926535897936) must not grow an extra sliver piece.
constexpr double kPieceCountSlack = 1e-9;

double Angle(double ux, double uy, double vx, double vy) { return std::atan2(ux * vy - uy * vx, ux * vx + uy * vy); }

struct CentreForm {
  double cx, cy, rx, ry, cosPhi, sinPhi, start, sweep;

  SvgPoint At(double t) const {
    const double x = rx * std::cos(t), y = ry * std::sin(t);
    return {cx + cosPhi * x - sinPhi * y, cy + sinPhi * x + cosPhi * y};
  }
  SvgPoint Derivative(double t) const {
    const double x = -rx * std::sin(t), y = ry * std::cos(t);
    return {cosPhi * x - sinPhi * y, sinPhi * x + cosPhi * y};
  }
};

// The endpoint-to-centre conversion of the SVG arc notes.
CentreForm ToCentre(SvgPoint from, const ArcParameters& arc, SvgPoint to) {
  const double phi = std::fmod(arc.xAxisRotationDeg, 360.0) * std::numbers::pi / 180.0;
  CentreForm f{};
  f.cosPhi = std::cos(phi);
  f.sinPhi = std::sin(phi);
  const double dx = (from.h - to.h) / 2, dy = (from.v - to.v) / 2;
  const double x1 = f.cosPhi * dx + f.sinPhi * dy;
  const double y1 = -f.sinPhi * dx + f.cosPhi * dy;
  f.rx = std::abs(arc.rx);
  f.ry = std::abs(arc.ry);
  const double lambda = (x1 * x1) / (f.rx * f.rx) + (y1 * y1) / (f.ry * f.ry);
  if (lambda > 1) {
    f.rx *= std::sqrt(lambda);
    f.ry *= std::sqrt(lambda);
  }
  const double rx2 = f.rx * f.rx, ry2 = f.ry * f.ry;
  const double numerator = rx2 * ry2 - rx2 * y1 * y1 - ry2 * x1 * x1;
  const double denominator = rx2 * y1 * y1 + ry2 * x1 * x1;
  double coef = std::sqrt(std::max(0.0, numerator / denominator));
  if (arc.largeArc == arc.sweep) coef = -coef;
  const double cxp = coef * f.rx * y1 / f.ry;
  const double cyp = -coef * f.ry * x1 / f.rx;
  f.cx = f.cosPhi * cxp - f.sinPhi * cyp + (from.h + to.h) / 2;
  f.cy = f.sinPhi * cxp + f.cosPhi * cyp + (from.v + to.v) / 2;
  const double ux = (x1 - cxp) / f.rx, uy = (y1 - cyp) / f.ry;
  const double vx = (-x1 - cxp) / f.rx, vy = (-y1 - cyp) / f.ry;
  f.start = Angle(1, 0, ux, uy);
  f.sweep = Angle(ux, uy, vx, vy);
  if (!arc.sweep && f.sweep > 0) f.sweep -= 2 * std::numbers::pi;
  if (arc.sweep && f.sweep < 0) f.sweep += 2 * std::numbers::pi;
  return f;
}

}  // namespace

void AppendArc(SvgPoint from, const ArcParameters& arc, SvgPoint to, std::vector<CubicPiece>& out) {
  if (from == to) return;
  if (arc.rx == 0 || arc.ry == 0) {
    out.push_back(LinePiece(from, to));
    return;
  }
  const CentreForm f = ToCentre(from, arc, to);
  // Radii or end points so large that the squares overflow leave no centre
  // form; the straight piece is the one drawing of such an arc that is finite.
  if (!std::isfinite(f.sweep) || !std::isfinite(f.start) || !std::isfinite(f.cx) || !std::isfinite(f.cy) ||
      !std::isfinite(f.rx) || !std::isfinite(f.ry)) {
    out.push_back(LinePiece(from, to));
    return;
  }
  const int count = std::max(1, static_cast<int>(std::ceil(std::abs(f.sweep) / kQuarterTurn - kPieceCountSlack)));
  const double step = f.sweep / count;
  const double k = 4.0 / 3.0 * std::tan(step / 4);
  SvgPoint p = from;
  for (int i = 0; i < count; ++i) {
    const double a = f.start + step * i;
    const double b = i + 1 == count ? f.start + f.sweep : f.start + step * (i + 1);
    const SvgPoint end = i + 1 == count ? to : f.At(b);
    out.push_back({p + k * f.Derivative(a), end - k * f.Derivative(b), end});
    p = end;
  }
}

}  // namespace host::svg
