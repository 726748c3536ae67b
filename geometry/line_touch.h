// Whether a line that meets a path where the path's derivative vanishes really touches it.
//
// The tangent equations of the line solvers (two_piece_solver.h, point_piece_solver.h) ask the
// derivative B'(t) to be parallel to the line; where B'(t) vanishes (a retracted handle at an
// anchor, a polygon corner, a cusp) they hold for every line through the point. There the path
// leaves the point in two one-sided directions (forward into the rest of the piece or the next
// piece, backward into the rest of the piece or the previous one), and the line is a tangent
// only when it touches without crossing: both directions lie on the same side of the line, or
// on it. A line through a square's corner that cuts the square is not a tangent; one that
// leaves the square on one side is. At an end of an open path there is one direction only, and
// the line must run along it, as it must at an end whose derivative does not vanish.
#pragma once

#include <optional>

#include "geometry/bezier.h"
#include "geometry/piece_source.h"

namespace geom {

// The one-sided directions of a path just outside one of its pieces: backward from the piece's
// start into the previous piece, forward from its end into the next. Nothing at the ends of an
// open path.
struct PieceNeighbourhood {
  std::optional<Point> beforeStart;
  std::optional<Point> afterEnd;
};

// The neighbourhood of piece i of the path (the closing piece and piece 0 are neighbours on a
// closed path). Reads at most the two neighbouring pieces.
PieceNeighbourhood NeighbourhoodOf(const PieceSource& path, int i);

// The direction in which the piece leaves B(t) for larger t (forward) or smaller t (backward):
// the first derivative of the piece that does not vanish, with the sign its Taylor term has.
Point ForwardDirection(const Bezier& piece, double t);
Point BackwardDirection(const Bezier& piece, double t);

// Whether the tangent condition holds at t only because B'(t) vanishes: B'(t) is (almost) zero,
// or its direction is off the line's by more than kDegenerateTangentSine.
bool TangentOnlyByVanishingDerivative(const Bezier& piece, double t, Point lineDirection);

// Whether the line through B(t) along lineDirection is a tangent of the path there: true where
// the derivative does not vanish; where it vanishes, true only when the line touches the path
// without crossing it (see the header comment).
bool IsTouchingTangent(const Bezier& piece, const PieceNeighbourhood& around, double t, Point lineDirection);

}  // namespace geom
