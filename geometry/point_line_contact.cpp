#include "geometry/point_line_contact.h"

#include <vector>

#include "geometry/line_touch.h"

namespace geom {

namespace {

// Whether the root at t of piece i may end the line from `start`.
class RootRules {
 public:
  RootRules(const PieceSource& path, Point start, LineKind kind) : path_(path), start_(start), kind_(kind) {}

  bool Counts(const Bezier& piece, int i, double t) {
    const Point q = piece.At(t);
    if (!(Distance(start_, q) > tol::kDistinctContacts)) return false;
    if (kind_ != LineKind::Tangent || !TangentOnlyByVanishingDerivative(piece, t, q - start_)) return true;
    return IsTouchingTangent(piece, NeighbourhoodOf(path_, i), t, q - start_);
  }

 private:
  const PieceSource& path_;
  Point start_;
  LineKind kind_;
};

}  // namespace

std::optional<PointContact> FindLineFromPointContact(const PieceSource& path, PieceRef pick, Point start,
                                                     Point cursor, LineKind kind) {
  const RootFinder finder = kind == LineKind::Tangent ? &TangentRoots : &NormalRoots;
  RootRules rules(path, start, kind);
  for (int i : OutwardOrder(pick.piece, path.CountPieces())) {
    const PointPieceSolver solver{path.GetPiece(i), start};
    std::optional<PointContact> best;
    double bestDistance = 0;
    for (double t : finder(solver, pick.t)) {
      if (!rules.Counts(solver.piece, i, t)) continue;
      const Point q = solver.piece.At(t);
      const double d = Distance(q, cursor);
      if (!best || d < bestDistance) best = PointContact{path.Identity(), {i, t}, q}, bestDistance = d;
    }
    if (best) return best;
  }
  return std::nullopt;
}

}  // namespace geom
