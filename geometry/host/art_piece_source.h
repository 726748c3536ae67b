// A document path as a PieceSource, so that the numeric searches (FindTangentCircle, the
// contact searches of the line tools) run on the paths the user picked.
#pragma once

#include "geometry/piece_source.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

// Reads every piece from the host when asked (hostpath::GetPiece: at most two segments per
// piece) and keeps nothing, so it always sees the path as it is now. Raises what GetPiece and
// CountPieces raise. Holds the suite set by reference: use it within the host call (or the
// lifetime of the local set) it was made in. Two sources over the same art have equal
// identities.
class ArtPieceSource final : public PieceSource {
 public:
  ArtPieceSource(ai::SuiteSet& suites, AIArtHandle art) : suites_(suites), art_(art) {}

  int CountPieces() const override;
  Bezier GetPiece(int i) const override;
  const void* Identity() const override { return art_; }
  bool Closed() const override;
  // The whole path in one read of its segments and one of its closed flag.
  std::vector<Bezier> AllPieces() const override;

  AIArtHandle Art() const { return art_; }

 private:
  ai::SuiteSet& suites_;
  AIArtHandle art_;
};

}  // namespace geom::hostpath
