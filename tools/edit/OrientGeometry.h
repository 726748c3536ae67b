// The arithmetic of the Orient tool: the affine map that carries one
// directed axis onto another, rotations about a point, and the angle
// constraint of a dragged axis end.
//
// Matrices are the host's layout: x' = a*x + c*y + tx, y' = b*x + d*y + ty.
#pragma once

#include <optional>

#include "geometry/point.h"
#include "sdk/SPTypes.h"

namespace Tools::orient {

// An axis shorter than this has no direction: no transform starts or ends on
// it, and none is stored in the document.
inline constexpr double kMinAxisLength = 1e-15;

// A frame whose determinant is below this cannot be inverted.
inline constexpr double kMinFrameDeterminant = 1e-17;

struct Axis {
  geom::Point start;
  geom::Point end;
  friend constexpr bool operator==(const Axis&, const Axis&) = default;
};

inline double Length(const Axis& axis) { return geom::Distance(axis.start, axis.end); }

// The map T with T(from.start) = to.start that turns the direction of `from`
// onto that of `to`; with scale set it also scales by |to| / |from|, so that
// T(from.end) = to.end.  Nothing when either axis is shorter than
// kMinAxisLength: such an axis has no direction and T would collapse the
// plane.
std::optional<AIRealMatrix> AxisToAxis(const Axis& from, const Axis& to, bool scale);

// The rotation by `angle` radians (counter-clockwise) about centre.
AIRealMatrix RotationAbout(geom::Point centre, double angle);

// The matrix with each of its six values rounded to single precision, as the
// host receives every computed number.
AIRealMatrix RoundToSingle(const AIRealMatrix& m);

// The point m maps p to.
geom::Point Apply(const AIRealMatrix& m, geom::Point p);

// The rotation part of m: atan2(b, a).
double RotationOf(const AIRealMatrix& m);

// q moved onto the nearest of the lines through anchor at offsetDegrees +
// k * 45 degrees: the foot of the perpendicular from q on that line.
geom::Point ConstrainToSteps(geom::Point anchor, geom::Point q, double offsetDegrees);

}  // namespace Tools::orient
