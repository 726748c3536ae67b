#include "geometry/piece_source.h"

#include <algorithm>
#include <string>

#include "geometry/errors.h"

namespace geom {

int InMemoryPath::CountPieces() const {
  return geom::CountPieces(static_cast<int>(segments_.size()), closed_);
}

Bezier InMemoryPath::GetPiece(int i) const {
  if (i < 0 || i >= CountPieces()) throw ParameterError("piece index " + std::to_string(i) + " outside the path");
  return PieceOf(segments_, i);
}

std::vector<Bezier> PieceSource::AllPieces() const {
  const int n = CountPieces();
  std::vector<Bezier> pieces;
  pieces.reserve(static_cast<std::size_t>(std::max(n, 0)));
  for (int i = 0; i < n; ++i) pieces.push_back(GetPiece(i));
  return pieces;
}

Bezier PieceCache::GetPiece(int i) const {
  if (i < 0 || i >= CountPieces()) throw ParameterError("piece index " + std::to_string(i) + " outside the path");
  return pieces_[static_cast<std::size_t>(i)];
}

std::vector<int> OutwardOrder(int picked, int count) {
  if (picked < 0 || picked >= count) throw ParameterError("picked piece outside the path");
  std::vector<int> order;
  order.reserve(static_cast<std::size_t>(count));
  order.push_back(picked);
  for (int k = 1; static_cast<int>(order.size()) < count; ++k) {
    if (picked + k < count) order.push_back(picked + k);
    if (picked - k >= 0) order.push_back(picked - k);
  }
  return order;
}

}  // namespace geom
