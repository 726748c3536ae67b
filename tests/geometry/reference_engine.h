// A frozen copy of the numeric engines as they were before their evaluation was reorganised for
// speed (reference_engine.cpp). Test-only: the differential test requires the library to give
// bit-identical results.
#pragma once

#include <optional>
#include <vector>

#include "geometry/point_piece_solver.h"
#include "geometry/tangent_circle.h"
#include "geometry/two_piece_solver.h"

namespace geom::reference {

std::vector<double> NormalRoots(const PointPieceSolver& solver, double t0);
std::vector<double> TangentRoots(const PointPieceSolver& solver, double t0);
bool MayMeet(const Bezier& first, const Bezier& second, double r);
double CentreMismatch(const Bezier& c1, const Bezier& c2, double r, ParameterPair at);
std::optional<ParameterPair> IterateTangentPair(const Bezier& c1, const Bezier& c2, double r, ParameterPair start,
                                                double convergence, double acceptance);
bool FindTangentCircle(const PieceSource& first, PieceRef pick1, const PieceSource& second, PieceRef pick2, double r,
                       Point guess, TangentCircle& result);
std::optional<ContactPair> SolveTwoPieces(const Bezier& first, const Bezier& second, LineKind kind, double a0,
                                          double b0);
std::optional<LineContact> FindLineContact(const PieceSource& first, PieceRef pick1, const PieceSource& second,
                                           PieceRef pick2, LineKind kind);

}  // namespace geom::reference
