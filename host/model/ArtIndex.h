// A uniform grid over boxes of art, so that the art that can lie near a point
// is found without visiting the whole document.  Each box is filed in every
// cell it overlaps; a box over too many cells (or with coordinates the grid
// cannot place) is kept on a list of its own that every query reads.
//
// Document keeps one over the boxes of its paths and refreshes the boxes of
// changed art before each use (Document::index()).
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "host/model/Ids.h"
#include "host/model/Primitives.h"

namespace host::model {

class ArtIndex {
 public:
  // Forgets every box; cells of `cellSize` artwork units follow.
  void Reset(double cellSize);
  // Files the art's box in place of the one it had; nullopt removes it.
  void Put(ArtId id, const std::optional<Rect>& box);
  // Adds to `out` every art whose box lies within `reach` of p, each once, in
  // no particular order.
  void Near(Point p, double reach, std::vector<ArtId>& out) const;
  std::size_t size() const { return boxes_.size(); }

 private:
  struct Span {
    int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool fits = false;  // false: the box goes on the wide list
  };
  Span SpanOf(double left, double bottom, double right, double top) const;
  static uint64_t Key(int64_t x, int64_t y);
  void File(ArtId id, const Rect& box, bool add);

  double cell_ = 1;
  std::unordered_map<ArtId, Rect> boxes_;
  std::unordered_map<uint64_t, std::vector<ArtId>> cells_;
  std::vector<ArtId> wide_;
};

}  // namespace host::model
