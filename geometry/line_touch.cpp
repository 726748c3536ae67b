#include "geometry/line_touch.h"

#include <algorithm>
#include <cmath>

#include "geometry/tolerances.h"

namespace geom {

namespace {

// The piece's size: how far its control points reach from its start.
double PieceSize(const Bezier& piece) {
  double size = 0;
  for (int i = 1; i < 4; ++i) size = std::max(size, Distance(piece.P(0), piece.P(i)));
  return size;
}

bool Vanishes(Point derivative, double size) {
  return Length(derivative) <= tol::kVanishingDerivativeRelative * size;
}

Point ThirdDerivative(const Bezier& piece) { return piece.Coefficients().a * 6; }

// The side of the line a direction lies on: +1 left, -1 right, 0 on the line (or no direction).
int SideOf(Point lineDirection, Point d) {
  const Point u = Unit(lineDirection), w = Unit(d);
  const double s = Cross(u, w);
  if (std::abs(s) <= tol::kOnLineSine) return 0;
  return s > 0 ? 1 : -1;
}

}  // namespace

PieceNeighbourhood NeighbourhoodOf(const PieceSource& path, int i) {
  const int count = path.CountPieces();
  const bool closed = path.Closed();
  PieceNeighbourhood around;
  if (i > 0 || (closed && count > 1)) around.beforeStart = BackwardDirection(path.GetPiece(i > 0 ? i - 1 : count - 1), 1);
  if (i < count - 1 || (closed && count > 1)) around.afterEnd = ForwardDirection(path.GetPiece(i < count - 1 ? i + 1 : 0), 0);
  // A closed path of one piece is its own neighbour on both sides.
  if (closed && count == 1) {
    const Bezier only = path.GetPiece(0);
    around.beforeStart = BackwardDirection(only, 1);
    around.afterEnd = ForwardDirection(only, 0);
  }
  return around;
}

// B(t + h) - B(t) = h B' + h^2/2 B'' + h^3/6 B''': the first term that does not vanish.
Point ForwardDirection(const Bezier& piece, double t) {
  const double size = PieceSize(piece);
  if (const Point d1 = piece.Derivative(t); !Vanishes(d1, size)) return d1;
  if (const Point d2 = piece.SecondDerivative(t); !Vanishes(d2, size)) return d2;
  return ThirdDerivative(piece);
}

// B(t - h) - B(t) = -h B' + h^2/2 B'' - h^3/6 B'''.
Point BackwardDirection(const Bezier& piece, double t) {
  const double size = PieceSize(piece);
  if (const Point d1 = piece.Derivative(t); !Vanishes(d1, size)) return -d1;
  if (const Point d2 = piece.SecondDerivative(t); !Vanishes(d2, size)) return d2;
  return -ThirdDerivative(piece);
}

bool TangentOnlyByVanishingDerivative(const Bezier& piece, double t, Point lineDirection) {
  const Point d = piece.Derivative(t);
  if (Vanishes(d, PieceSize(piece))) return true;
  return std::abs(Cross(Unit(d), Unit(lineDirection))) > tol::kDegenerateTangentSine;
}

bool IsTouchingTangent(const Bezier& piece, const PieceNeighbourhood& around, double t, Point lineDirection) {
  if (!TangentOnlyByVanishingDerivative(piece, t, lineDirection)) return true;
  // At an anchor the direction on the far side comes from the neighbouring piece.
  const std::optional<Point> backward = t <= tol::kAnchorSnapLow ? around.beforeStart
                                                                  : std::optional(BackwardDirection(piece, t));
  const std::optional<Point> forward = t >= tol::kAnchorSnapHigh ? around.afterEnd
                                                                 : std::optional(ForwardDirection(piece, t));
  if (!backward || !forward) {
    // An end of an open path: the line must run along the one direction there is.
    const Point only = backward ? *backward : *forward;
    return SideOf(lineDirection, only) == 0;
  }
  return SideOf(lineDirection, *backward) * SideOf(lineDirection, *forward) >= 0;
}

}  // namespace geom
