// Straight lines from a point that touch, or meet at right angles, one cubic piece.
//
// For the piece B(t) = (X(t), Y(t)) and the start point P:
//   tangent condition  g(t) = (Y - P.v) X' - (X - P.h) Y' = 0   (P - B(t) parallel to B'(t));
//                      g is a quartic, g' = (Y - P.v) X'' - (X - P.h) Y'' a cubic (pt^2);
//   normal condition   f(t) = (P - B(t)) . B'(t) / |B'(t)| = 0 (P - B(t) perpendicular to
//                      B'(t)); f is the signed distance from P to the tangent's normal line (pt).
#pragma once

#include <optional>
#include <vector>

#include "geometry/bezier.h"
#include "geometry/piece_source.h"

namespace geom {

struct PointPieceSolver {
  Bezier piece;
  Point p;

  double Normal(double t) const;            // f(t)
  double NormalDerivative(double t) const;  // f'(t), including the |B'|^-3 term
  double Tangent(double t) const;           // g(t)
  double TangentDerivative(double t) const; // g'(t)
  // Coefficients of g' from the top: 4(x3 y2 - y3 x2), 6(x3 y1 - y3 x1),
  // 2(3 x3 (y0 - P.v) + x2 y1 - x1 y2 - 3 y3 (x0 - P.h)), 2(x2 (y0 - P.v) - y2 (x0 - P.h)),
  // with x3..x0 and y3..y0 the power-basis coefficients of the piece.
  std::array<double, 4> TangentDerivativeCoefficients() const;
};

// Parameters in [0, 1] where the line from the solver's point meets the piece at right angles:
// every root in [0, 1] of the degree-5 polynomial (B - P) . B', isolated between the roots of
// its derivative and polished by bracketed Newton, kept when |f| < kPointPieceResidual there
// (so a parameter where B' vanishes is never a root). The ends and the turning points of the
// polynomial count too where they pass that test (double roots). Ascending. Where the condition
// holds along a whole stretch around t0 (t0 in (0, 1)), t0 is listed as well. Empty when there
// is no root.
std::vector<double> NormalRoots(const PointPieceSolver& solver, double t0);

// Parameters in [0, 1] where the line from the solver's point touches the piece: every root in
// [0, 1] of the quartic g, found the same way, kept when |g| < kPointPieceResidual. Ascending;
// t0 as above (a straight piece through the point touches it everywhere). Empty when the point
// sees no tangent (inside a convex arc).
std::vector<double> TangentRoots(const PointPieceSolver& solver, double t0);

using RootFinder = std::vector<double> (*)(const PointPieceSolver&, double);

// Where a line from `start` meets a path under the root finder's condition.
struct PointContact {
  const void* art = nullptr;  // Identity() of the path
  PieceRef at;
  Point point;  // the contact B(t), kept so that callers need not re-read the piece
};

// Visits the pieces outward from the picked piece (OutwardOrder), runs the root finder on each
// with the picked parameter as first start, and returns, for the first piece with any root, the
// root whose point is nearest `cursor` (the earliest among equals). Nothing when no piece has a
// root. Raises ParameterError (or whatever the source raises) when the pick is outside the path.
std::optional<PointContact> FindPointContact(const PieceSource& path, PieceRef pick, Point start, Point cursor,
                                             RootFinder finder);

}  // namespace geom
