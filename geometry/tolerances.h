// Every numeric constant of the geometry core, with its unit and the reason it has this value.
//
// These values are behaviour, not tuning knobs: the tools' results (which circle is found, whether
// an anchor is inserted, which step a length snaps to) depend on them exactly. Change one only
// together with the tests that pin it.
//
// Units: "pt" is a document point (1/72 inch); "param" is a Bezier parameter in [0, 1];
// "rad" is radians; "pt^2" and similar are products of those.
#pragma once

#include <array>

namespace geom::tol {

// ---- Vectors and lines ---------------------------------------------------------------------------

// pt. A vector no longer than this has no direction: its unit vector is the zero vector.
// Keeps normalisation of retracted handles and coincident points finite.
inline constexpr double kUnitMinLength = 1e-15;

// pt^2. Two lines whose direction determinant is smaller than this are treated as parallel:
// their intersection would lie beyond any document.
inline constexpr double kLineDeterminantMin = 1e-15;

// ---- Bezier pieces and segment lists ---------------------------------------------------------------

// pt. A handle closer than this to its anchor counts as retracted. A piece with both handles
// retracted is straight, and splitting it keeps both halves straight with retracted handles.
inline constexpr double kRetractedHandle = 1e-4;

// param. Copying a sub-path that starts at or beyond this parameter starts with an exact copy
// of the next anchor instead of a split that would leave a piece of (almost) zero length.
inline constexpr double kSubPathStartAtEnd = 0.99999999;

// param. Copying a sub-path that ends at or below this parameter ends on an exact copy of
// the anchor that starts the piece, again to avoid a zero-length piece.
inline constexpr double kSubPathEndAtStart = 1e-8;

// ---- Arcs and circles -----------------------------------------------------------------------------

// rad. An arc chain piece spans at most a quarter turn plus this margin, so that an exact
// quarter turn (which rounding may make a few ulps longer) stays in one piece.
inline constexpr double kArcChainQuarterMargin = 0.01;

// rad. The circle builder stops when less than this sweep remains: the circle is closed.
inline constexpr double kCircleSweepDone = 1e-8;

// rad. The next given point may lie this far beyond a quarter turn and still end the current
// piece; points on exact quarter turns (diametral points) then end pieces of their own.
inline constexpr double kCircleQuarterSlack = 1e-5;

// rad. A piece starting at an angle below this starts at the first given point; its start is
// then set to that point exactly rather than to the point computed from the angle.
inline constexpr double kCircleAngleAtZero = 1e-8;

// pt^2. Three points whose cross product is below this are collinear: no circumcircle.
inline constexpr double kCircumcircleCollinear = 1e-8;

// pt. A point closer than this to the anchor is not constrained: its angle is meaningless.
inline constexpr double kConstrainMinDistance = 1e-4;

// view pixels. Rounded lengths use the first step longer than two screen pixels.
inline constexpr double kSnapScreenPixels = 2.0;

// units of the ruler. The rounding steps, in this order (there is no 20 and no 2000).
inline constexpr std::array<double, 18> kSnapSteps = {
    1e-5, 1e-4, 0.001, 0.01, 0.1, 0.25, 0.5, 1, 2, 5, 10, 50, 100, 200, 500, 1000, 5000, 10000};

// ---- Tangent circle engine -------------------------------------------------------------------------

// pt. Two touching points closer than this mean the curves meet there: no circle of
// positive radius can touch both at distinct points.
inline constexpr double kCurvesMeet = 0.001;

// pt^2 (squared derivative length). Below this the tangent of a piece is undefined at t
// (a retracted handle at an end): the iteration nudges t instead of dividing by it.
inline constexpr double kZeroTangentSquared = 1e-8;

// The nudge t := kNudgeKeep * t + kNudgeShift moves t by 0.5% towards 0.5, off the end
// where the derivative vanishes.
inline constexpr double kNudgeKeep = 0.995;
inline constexpr double kNudgeShift = 0.0025;

// pt. The iteration stops early once the two candidate centres are this close.
inline constexpr double kCircleConvergence = 1e-8;

// pt. After the last round a pair is still accepted when the centres are closer than this.
inline constexpr double kCircleAcceptance = 0.001;

// Rounds of the fixed-point iteration on one pair of pieces.
inline constexpr int kCircleMaxRounds = 50;

// Step factor of the first round and its decay per round: the damping grows slowly so that
// oscillating iterations settle.
inline constexpr double kCircleStepFactor = 0.99;
inline constexpr double kCircleStepDecay = 0.99;

// pt. A radius of curvature beyond this (or infinite) counts as flat: no step correction.
inline constexpr double kFlatCurvatureRadius = 1e6;

// param. Spacing of the 9 x 9 grid of start samples per pair of pieces.
inline constexpr double kGridSpacing = 0.125;
inline constexpr int kGridSamplesPerAxis = 9;

// Number of best grid samples (least mismatch) from which the iteration is run.
inline constexpr int kGridStarts = 32;

// pt. Mismatch given to a grid sample whose normals are parallel: it sorts last.
inline constexpr double kParallelMismatch = 1e38;

// First pass limits: grid searches on at most this many candidate pairs, stopping early once
// this many pairs produced a converged solution. Keeps the engine fast enough to run on every
// cursor move.
inline constexpr int kFirstPassMaxPairs = 50;
inline constexpr int kFirstPassMaxSolvedPairs = 10;

// The tangent-circle search tries Newton's method on a pair of stretches of two pieces once
// both stretches' control boxes are no wider or taller than this share of the radius, and
// halves pairs where Newton finds no circle on both stretches until they have been halved this
// many times (a stretch of 1/1024 of its piece).
inline constexpr double kCircleLeafExtent = 0.5;
inline constexpr int kCircleSearchMaxDepth = 10;

// param. A solution touching one piece twice at parameters closer than this touches one point.
inline constexpr double kSamePointParameter = 0.001;

// pt^2. Cross products below this count as zero in the convex hull and side tests.
inline constexpr double kHullCrossZero = 1e-15;

// pt. Slack of the coordinate-range test when two offset polygon segments intersect.
inline constexpr double kSegmentRangeSlack = 1e-7;

// ---- Lines tangent or perpendicular to two paths ----------------------------------------------------

// Newton iterations per start of the two-piece solver.
inline constexpr int kTwoPieceMaxIterations = 99;

// Residual (pt^3 for the tangent pair, pt for the perpendicular pair) below which a run succeeds.
inline constexpr double kTwoPieceResidual = 1e-5;

// Jacobian determinants below this give a zero step, which ends the run as failed.
inline constexpr double kTwoPieceDeterminantMin = 1e-30;

// param. A step smaller than this in both parameters ends the run as failed (stalled).
inline constexpr double kTwoPieceStepMin = 1e-80;

// Newton damping: each step moves 90% of the full Newton step.
inline constexpr double kTwoPieceDamping = 0.9;

// pt. The two contacts of a line must be farther apart than this; coinciding contacts
// (a curve meeting itself) define no line.
inline constexpr double kDistinctContacts = 0.001;

// Full Newton steps taken from a converged pair before it is judged, at most this many, while
// they keep shrinking the residual. A true contact pair is already exact to a few digits short
// of double precision and stays put; a pair near a touching point of the two curves (where the
// tangent equations vanish to second order in the gap, so the residual test passes with a gap
// of a few thousandths of a point) closes the gap by half per step and is recognised as the
// coinciding contacts it is.
inline constexpr int kTwoPieceRefineSteps = 40;

// The work of one contact search is bounded by what solving this many pairs of pieces with 17
// Newton runs each would make: at most 17 x 8 times this many units, a visit of a pair of
// stretches counting one unit and each Newton run eight. The search runs on every cursor move: two long paths with no
// common tangent would otherwise make each move cost the product of their piece counts and
// freeze the host. Stretches are visited nearest the picks first, so a search cut short misses
// only contacts far from where the user pointed.
inline constexpr int kLineContactMaxPairs = 400;

// The contact search halves pairs of stretches of two pieces until both stretches turn by less
// than the angle whose cosine is this (about 18 degrees), then runs Newton's method from their
// middle; pairs where Newton's method finds no contact inside them are halved further, at most
// this many times (a stretch of 1/4096 of its piece).
inline constexpr double kLineContactFlatCosine = 0.95;
inline constexpr int kLineContactMaxDepth = 12;

// The tangent equations hold wherever a piece's derivative vanishes (a retracted handle at an
// anchor, a polygon corner). A contact whose derivative is off the line's direction by more than
// this sine holds only for that reason, and counts only where the line touches the path without
// crossing it (line_touch.h).
inline constexpr double kDegenerateTangentSine = 1e-4;

// A derivative of a piece shorter than this fraction of the piece's size (its farthest control
// point from the start) has no direction of its own: the next higher derivative gives the
// direction in which the piece leaves the point.
inline constexpr double kVanishingDerivativeRelative = 1e-6;

// A one-sided direction within this sine of a line lies on the line: it is on neither side.
inline constexpr double kOnLineSine = 1e-9;

// param. Start grid of the multi-start solve, after the reference start. The grid takes
// a = 0.5 but not 0.75, and b = 0.75 but not 0.5.
inline constexpr std::array<double, 4> kTwoPieceGridA = {0, 0.25, 0.5, 1};
inline constexpr std::array<double, 4> kTwoPieceGridB = {0, 0.25, 0.75, 1};

// param. Parameters this close to 0 or 1 address an existing anchor: no anchor is inserted
// and created line ends snap to the anchor.
inline constexpr double kAnchorSnapLow = 1e-6;
inline constexpr double kAnchorSnapHigh = 0.999999;

// ---- Lines from a point tangent or perpendicular to a path -----------------------------------------

// Newton iterations per start and damping for the normal condition (slow, safe steps: f is
// not a polynomial and its derivative changes sign between roots).
inline constexpr int kNormalMaxIterations = 149;
inline constexpr double kNormalDamping = 0.5;

// param. Starts of the normal root finder after the caller's start parameter, in this order.
inline constexpr std::array<double, 9> kNormalStarts = {1, 0, 0.25, 0.5, 0.75, 0.125, 0.375, 0.625, 0.875};

// Newton iterations per start and damping for the tangent condition (a quartic).
inline constexpr int kTangentMaxIterations = 99;
inline constexpr double kTangentDamping = 0.9;

// param. Starts of the tangent root finder after the caller's start parameter, in this order.
inline constexpr std::array<double, 2> kTangentStarts = {1, 0};

// Residual below which a point-to-piece Newton run succeeds (pt for the normal condition,
// pt^2 for the tangent condition).
inline constexpr double kPointPieceResidual = 1e-5;

// param. Extra tangent starts sit this far past each turning point of the tangent condition,
// so that the run heads for the root between two extremes.
inline constexpr double kPastTurningPoint = 0.01;

// Closed-form cubic: when |p|, |q| and the discriminant are all below this, the cubic has one
// triple root. Absolute, in the units of the reduced cubic.
inline constexpr double kCubicTripleRoot = 1e-11;

}  // namespace geom::tol
