// Where a line from a point meets a path as a tangent or a normal, with the rules a drawn line
// needs beyond the root finders' conditions.
#pragma once

#include <optional>

#include "geometry/piece_source.h"
#include "geometry/point_piece_solver.h"
#include "geometry/two_piece_solver.h"

namespace geom {

// FindPointContact with TangentRoots (LineKind::Tangent) or NormalRoots (Perpendicular), where a
// root counts only when
//   - its point lies farther than tol::kDistinctContacts from `start`: a start point on the path
//     would otherwise give a line of no length, and
//   - for the tangent, the line touches the path there (line_touch.h): at a vanishing derivative
//     the tangent condition holds for every line through the point.
// Pieces are visited outward from the pick; the first piece with a root that counts gives the
// contact, the one nearest `cursor` (the earliest among equals). Nothing when no piece has one.
// Raises what FindPointContact raises.
std::optional<PointContact> FindLineFromPointContact(const PieceSource& path, PieceRef pick, Point start,
                                                     Point cursor, LineKind kind);

}  // namespace geom
