#include "host/model/Bounds.h"

#include "host/model/Cubic.h"

namespace host::model {

namespace {

std::optional<Rect> PathBounds(const Art& path) {
  if (path.segments.empty()) return std::nullopt;
  const Point first = path.segments.front().p;
  Rect r{first.h, first.v, first.h, first.v};
  const int pieces = PieceCount(path.segments, path.closed);
  for (int i = 0; i < pieces; ++i) r = Union(r, Bounds(PieceOf(path.segments, i)));
  return r;
}

Rect ImageBounds(const Art& art) {
  const Matrix& m = art.matrix;
  const double w = art.image.width, h = art.image.height;
  const Point corners[] = {Apply(m, {0, 0}), Apply(m, {w, 0}), Apply(m, {w, h}), Apply(m, {0, h})};
  Rect r{corners[0].h, corners[0].v, corners[0].h, corners[0].v};
  for (const Point& p : corners) r = Union(r, Rect{p.h, p.v, p.h, p.v});
  return r;
}

}  // namespace

std::optional<Rect> ArtBounds(const Document& doc, ArtId id) {
  const Art& art = doc.art(id);
  switch (art.type()) {
    case ArtType::Path:
      return PathBounds(art);
    case ArtType::Placed:
    case ArtType::Raster:
      return ImageBounds(art);
    default: {
      std::optional<Rect> all;
      for (ArtId member : art.children())
        if (auto r = ArtBounds(doc, member)) all = all ? Union(*all, *r) : *r;
      return all;
    }
  }
}

}  // namespace host::model
