// Circles of a given radius touching two paths.
//
// A circle of radius r touches a curve where its centre lies on the curve's normal at distance
// r. For a piece B1 of the first path and a piece B2 of the second, the engine looks for
// parameters (t1, t2) at which the two candidate centres - one on each normal, on the side where
// the normals cross - coincide. Among all the circles found on all pairs of pieces it keeps the
// one whose centre lies nearest a guess point G (the cursor).
//
// The search (FindTangentCircle) reads each path once (PieceCache), runs the iteration from the
// picked parameters, then searches best first over pairs of pieces: the centre of a circle
// touching both pieces lies in both pieces' control boxes grown by r, so the distance from G to
// the overlap of those boxes bounds the score of any circle of the pair from below. The pair
// with the least bound is halved (both pieces, four stretch pairs, those whose grown boxes
// still overlap kept) until its stretches are small (kCircleLeafExtent, kCircleSearchMaxDepth);
// then Newton's method on the crossing of the two offset curves runs from the stretches'
// middle for each of the four side combinations. A piece paired with itself gets the grid
// search of the iteration instead (32 best of 9 x 9 samples). The search stops when the least
// bound left is no less than the score of the best circle found.
#pragma once

#include <optional>

#include "geometry/bezier.h"
#include "geometry/piece_source.h"

namespace geom {

// The result record. Written by FindTangentCircle only when it returns true.
struct TangentCircle {
  const void* art1 = nullptr;  // Identity() of the first path
  int piece1 = -1;
  double t1 = 0;
  const void* art2 = nullptr;  // Identity() of the second path
  int piece2 = -1;
  double t2 = 0;
  Point centre;
  double radius = 0;  // set by the caller, never by the engine
  bool valid = false;
  Point reference;    // the guess point G
  double score = 0;   // |centre - G|
};

struct ParameterPair {
  double t1 = 0, t2 = 0;
};

// The centre of the circle of radius r touching c1 at t1 and c2 at t2: the midpoint of the two
// candidate centres (below), which coincide within the iteration's tolerance at an accepted
// pair. Not the crossing of the normals itself: where the two normals (nearly) coincide - a
// circle enclosing two circles side by side touches them where their normals are one line - the
// crossing can lie anywhere on that line, while the candidate centres stay at distance r.
// Nothing when the normals are parallel by kLineDeterminantMin.
std::optional<Point> CircleCentre(const Bezier& c1, double t1, const Bezier& c2, double t2, double r);

// Distance between the two candidate centres at (t1, t2) for radius r: Oi = Bi + r * unit(X - Bi),
// X the crossing of the normals. kParallelMismatch when the normals are parallel.
double CentreMismatch(const Bezier& c1, const Bezier& c2, double r, ParameterPair at);

// The damped fixed-point iteration on one pair of pieces, from `start`, at most kCircleMaxRounds
// rounds. Each round moves both parameters along their tangents towards where the candidate
// centres' tangent lines cross, scaled by how fast the offset curve moves relative to the curve.
// Returns the final parameters when the centres come within `convergence` (early) or, after the
// last round, within `acceptance`, with both parameters in [0, 1] and the touching points at
// least kCurvesMeet apart. Nothing otherwise: the curves meet, the normals are parallel, a
// parameter leaves [0, 1] for good, or no round could compute a mismatch. Never raises.
std::optional<ParameterPair> IterateTangentPair(const Bezier& c1, const Bezier& c2, double r, ParameterPair start,
                                                double convergence, double acceptance);

// Finds the circle of radius r touching both paths whose centre is nearest `guess`, starting
// from the picked positions. Returns true and fills `result` (all fields but radius) when at
// least one circle was found; returns false and leaves `result` untouched otherwise, including
// when anything raises inside (a pick outside its path, a failing source). The two sources may
// be the same path; solutions touching one piece twice at parameters closer than
// kSamePointParameter are dropped.
bool FindTangentCircle(const PieceSource& first, PieceRef pick1, const PieceSource& second, PieceRef pick2,
                       double r, Point guess, TangentCircle& result);

}  // namespace geom
