#include "host/model/ArtIndex.h"

#include <algorithm>
#include <cmath>

namespace host::model {

namespace {

// A box over more cells than this goes on the wide list; a query over more
// cells than this reads every box instead.
constexpr int64_t kMaxCells = 64;
// Cell coordinates are kept within 32 bits so that two of them make a key.
constexpr double kCellLimit = 1 << 30;

bool Within(const Rect& box, Point p, double reach) {
  return p.h >= box.left - reach && p.h <= box.right + reach && p.v >= box.bottom - reach && p.v <= box.top + reach;
}

void Remove(std::vector<ArtId>& ids, ArtId id) {
  auto it = std::find(ids.begin(), ids.end(), id);
  if (it == ids.end()) return;
  *it = ids.back();
  ids.pop_back();
}

}  // namespace

void ArtIndex::Reset(double cellSize) {
  cell_ = std::isfinite(cellSize) && cellSize > 0 ? cellSize : 1;
  boxes_.clear();
  cells_.clear();
  wide_.clear();
}

uint64_t ArtIndex::Key(int64_t x, int64_t y) {
  return (static_cast<uint64_t>(static_cast<uint32_t>(x)) << 32) | static_cast<uint32_t>(y);
}

ArtIndex::Span ArtIndex::SpanOf(double left, double bottom, double right, double top) const {
  Span s;
  const double x0 = std::floor(left / cell_), x1 = std::floor(right / cell_);
  const double y0 = std::floor(bottom / cell_), y1 = std::floor(top / cell_);
  for (double c : {x0, x1, y0, y1})
    if (!(std::abs(c) < kCellLimit)) return s;  // also NaN
  s = {static_cast<int64_t>(x0), static_cast<int64_t>(y0), static_cast<int64_t>(x1), static_cast<int64_t>(y1), true};
  s.fits = (s.x1 - s.x0 + 1) * (s.y1 - s.y0 + 1) <= kMaxCells;
  return s;
}

void ArtIndex::File(ArtId id, const Rect& box, bool add) {
  const Span s = SpanOf(box.left, box.bottom, box.right, box.top);
  if (!s.fits) {
    if (add)
      wide_.push_back(id);
    else
      Remove(wide_, id);
    return;
  }
  for (int64_t x = s.x0; x <= s.x1; ++x)
    for (int64_t y = s.y0; y <= s.y1; ++y) {
      if (add) {
        cells_[Key(x, y)].push_back(id);
        continue;
      }
      auto cell = cells_.find(Key(x, y));
      if (cell == cells_.end()) continue;
      Remove(cell->second, id);
      if (cell->second.empty()) cells_.erase(cell);
    }
}

void ArtIndex::Put(ArtId id, const std::optional<Rect>& box) {
  auto it = boxes_.find(id);
  if (it != boxes_.end()) {
    if (box && *box == it->second) return;
    File(id, it->second, false);
    boxes_.erase(it);
  }
  if (!box) return;
  boxes_.emplace(id, *box);
  File(id, *box, true);
}

void ArtIndex::Near(Point p, double reach, std::vector<ArtId>& out) const {
  const std::size_t first = out.size();
  const Span s = SpanOf(p.h - reach, p.v - reach, p.h + reach, p.v + reach);
  if (!s.fits) {
    for (const auto& [id, box] : boxes_)
      if (Within(box, p, reach)) out.push_back(id);
    return;
  }
  for (int64_t x = s.x0; x <= s.x1; ++x)
    for (int64_t y = s.y0; y <= s.y1; ++y) {
      auto cell = cells_.find(Key(x, y));
      if (cell == cells_.end()) continue;
      for (ArtId id : cell->second)
        if (Within(boxes_.at(id), p, reach)) out.push_back(id);
    }
  for (ArtId id : wide_)
    if (Within(boxes_.at(id), p, reach)) out.push_back(id);
  std::sort(out.begin() + static_cast<std::ptrdiff_t>(first), out.end());
  out.erase(std::unique(out.begin() + static_cast<std::ptrdiff_t>(first), out.end()), out.end());
}

}  // namespace host::model
