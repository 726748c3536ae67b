#include "geometry/host/art_piece_source.h"

#include "geometry/host/path_access.h"

namespace geom::hostpath {

int ArtPieceSource::CountPieces() const { return hostpath::CountPieces(suites_, art_); }

Bezier ArtPieceSource::GetPiece(int i) const { return hostpath::GetPiece(suites_, art_, i); }

bool ArtPieceSource::Closed() const { return PathClosed(suites_, art_); }

}  // namespace geom::hostpath
