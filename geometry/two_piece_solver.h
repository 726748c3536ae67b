// Straight lines that touch, or meet at right angles, two curves.
//
// For a piece P1 of the first path at parameter a and a piece P2 of the second at b, with
// tangents T1 = P1'(a), T2 = P2'(b) and D = P2(b) - P1(a):
//   tangent pair        F1 = T1.v D.h - T1.h D.v,   F2 = T2.h D.v - T2.v D.h
//                       (the line through both points is parallel to both tangents; the
//                       equations are not normalised, so F is in pt^3 for pieces in pt);
//   perpendicular pair  F1 = (D . T1) / |T1|,       F2 = -(D . T2) / |T2|
//                       (the line is normal to both curves; F is in pt).
// TwoPieceSolver drives F to zero with damped Newton steps using the exact Jacobian (for the
// perpendicular pair including the |T|^-3 terms of the normalisation) from 17 starts, and keeps
// the solution nearest a reference pair (a0, b0).
#pragma once

#include <optional>

#include "geometry/bezier.h"
#include "geometry/line_touch.h"
#include "geometry/piece_source.h"

namespace geom {

enum class LineKind {
  Tangent,        // common tangent: the line touches both curves
  Perpendicular,  // common normal: the line meets both curves at right angles
};

// Parameters (a, b) on the first and second piece. (-1, -1) is the "none" value of a run.
struct ContactPair {
  double a = -1, b = -1;
};

struct Residual {
  double f1 = 0, f2 = 0;
};

// Jacobian [dF1/da, dF1/db; dF2/da, dF2/db].
struct Jacobian {
  double f1a = 0, f1b = 0, f2a = 0, f2b = 0;
};

class TwoPieceSolver {
 public:
  TwoPieceSolver(const Bezier& first, const Bezier& second, LineKind kind, double a0, double b0);

  // The multi-start solve: damped Newton runs from (a0, b0), then from the grid
  // a in {0, 0.25, 0.5, 1} (outer) x b in {0, 0.25, 0.75, 1} (inner). A result is valid when
  // both parameters lie in [0, 1] and the two points are more than kDistinctContacts apart.
  // Keeps the valid result with the smallest 2 |P1(a) - P1(a0)| + |P2(b) - P2(b0)| (the first
  // path's displacement counts twice; on a tie the earlier stays). Nothing when no run gives
  // a valid result.
  std::optional<ContactPair> Solve();

  // One damped Newton run from (a, b): at most kTwoPieceMaxIterations steps of
  // (a, b) -= 0.9 J^-1 F. Returns the first (a, b) with |F1|, |F2| < kTwoPieceResidual, inside
  // [0, 1] or not; (-1, -1) when the run stalls (singular Jacobian or vanishing step) or uses
  // up its iterations.
  ContactPair NewtonRun(double a, double b) const;

  // Full Newton steps from a converged pair `c`, at most kTwoPieceRefineSteps, as long as each
  // shrinks the larger residual; the last pair that did. A pair that converged on its way to
  // coinciding contacts (two curves touching) comes out with them coinciding, so that IsValid
  // refuses it. (-1, -1) stays.
  ContactPair Refine(ContactPair c) const;

  // The path around each piece, for the tangent pair's rule at a vanishing derivative: there a
  // result is valid only where the line touches that path without crossing it (line_touch.h).
  // Without this call the equations alone decide, as for two lone pieces.
  void SetNeighbourhoods(const PieceNeighbourhood& first, const PieceNeighbourhood& second);

  Residual Evaluate(double a, double b) const;
  Jacobian Derivatives(double a, double b) const;
  bool IsValid(ContactPair c) const;

 private:
  // Where the pieces are at (a, b): the tangents, the second derivatives and D.
  struct Frame {
    Point t1, t2, s1, s2, d;
  };
  enum class RunState : unsigned char { Running, Converged, Failed };

  Frame FrameAt(double a, double b) const;
  Residual ResidualOf(const Frame& f) const;
  Jacobian JacobianOf(const Frame& f) const;
  // One step of a Newton run at `at`: Converged (at is the result), Failed, or Running with
  // `at` moved by the damped step.
  RunState Step(ContactPair& at) const;
  // The full Newton step (da, db) = J^-1 F at `frame`; (0, 0) where J is singular.
  ContactPair FullStep(const Frame& frame, const Residual& f) const;
  double DistanceToReference(ContactPair c) const;

  Bezier first_, second_;
  LineKind kind_;
  double a0_, b0_;
  ContactPair best_;  // (-1, -1) until a valid result is found
  PieceNeighbourhood around1_, around2_;
  bool touchingRule_ = false;  // set with the neighbourhoods
};

// The result of the two-path contact search: where the line meets each path.
struct LineContact {
  const void* firstArt = nullptr;  // Identity() of the first path
  PieceRef first;
  const void* secondArt = nullptr;  // Identity() of the second path
  PieceRef second;
};

// Finds the line touching (Tangent) or meeting at right angles (Perpendicular) both paths whose
// contacts lie nearest the picked points Q1 and Q2, by the score 2 |P1 - Q1| + |P2 - Q2| (the
// first path's displacement counting twice). A contact is accepted as by TwoPieceSolver: both
// parameters in [0, 1], the residuals below kTwoPieceResidual, the contacts more than
// kDistinctContacts apart, and for the tangent pair at a vanishing derivative only where the
// line touches the path without crossing it.
//
// The search reads each path once (PieceCache), runs Newton's method from the picks, then
// searches best first over pairs of stretches of pieces: the score of any contact on a pair is
// at least 2 d1 + d2, d the distance from the pick to the stretch's control box, and a pair is
// dropped when the Bernstein bound of either equation shows it has no zero there (the
// tangent's direction against the directions between the two stretches). Pairs are halved
// until both stretches are flat (kLineContactFlatCosine), then polished with the two-piece
// solver's Newton run from their middle; the search stops when the least bound left is no less
// than the best score found, or when its work reaches the bound of kLineContactMaxPairs.
// Nothing when no contact is found. Raises ParameterError (or whatever the sources raise) when
// a pick lies outside its path.
std::optional<LineContact> FindLineContact(const PieceSource& first, PieceRef pick1, const PieceSource& second,
                                           PieceRef pick2, LineKind kind);

}  // namespace geom
