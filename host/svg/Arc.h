// Elliptical arcs given the SVG way (end points, radii, rotation, two flags)
// turned into cubic pieces.
//
// The arc is first put in centre form (centre, start angle, sweep), with radii
// that are too small for the end points scaled up just enough and negative
// radii taken as their magnitudes.  The sweep is cut into n equal pieces with
// n = ceil(|sweep| / quarter turn); a piece from angle a to b is
//   c1 = E(a) + k E'(a),  c2 = E(b) - k E'(b),  k = 4/3 tan((b - a) / 4),
// where E is the ellipse point and E' its derivative by the angle.  The
// radial error of such a piece is below 2.8e-4 of the radius.  The last
// piece ends exactly on the given end point.
#pragma once

#include <vector>

#include "host/svg/Outline.h"

namespace host::svg {

struct ArcParameters {
  double rx = 0;
  double ry = 0;
  double xAxisRotationDeg = 0;
  bool largeArc = false;
  bool sweep = false;  // true: the direction of increasing angle (clockwise on screen)
};

// Appends the pieces from `from` to `to`.  Equal end points append nothing;
// a zero radius appends a straight line piece.
void AppendArc(SvgPoint from, const ArcParameters& arc, SvgPoint to, std::vector<CubicPiece>& out);

}  // namespace host::svg
