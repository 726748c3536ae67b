#include "geometry/host/art_piece_source.h"

#include "geometry/host/path_access.h"

namespace geom::hostpath {

int ArtPieceSource::CountPieces() const { return hostpath::CountPieces(suites_, art_); }

Bezier ArtPieceSource::GetPiece(int i) const { return hostpath::GetPiece(suites_, art_, i); }

bool ArtPieceSource::Closed() const { return PathClosed(suites_, art_); }

std::vector<Bezier> ArtPieceSource::AllPieces() const {
  RequirePath(suites_, art_);
  const SegmentList segments = ReadSegments(suites_, art_);
  const int n = geom::CountPieces(static_cast<int>(segments.size()), PathClosed(suites_, art_));
  std::vector<Bezier> pieces;
  pieces.reserve(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) pieces.push_back(PieceOf(segments, i));
  return pieces;
}

}  // namespace geom::hostpath
