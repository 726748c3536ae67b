#include "random_document.h"

#include <string>
#include <utility>

namespace host::test {

using model::ArtId;
using model::ArtType;
using model::Point;
using model::Segment;

std::vector<Segment> RandomDocument::Segments() {
  const Point at{Uniform(0, size_), Uniform(0, size_)};
  const double span = Uniform(2, 40);
  std::vector<Segment> out;
  const int n = 1 + Pick(5);
  for (int i = 0; i < n; ++i) {
    const Point p = at + Point{Uniform(-span, span), Uniform(-span, span)};
    Segment s{p, p, p, true};
    if (Pick(2)) {
      const Point d{Uniform(-span, span) / 2, Uniform(-span, span) / 2};
      s.in = p - d;
      s.out = p + d;
      s.corner = false;
    }
    out.push_back(s);
  }
  return out;
}

ArtId RandomDocument::AnyArt(bool containersOnly) {
  std::vector<ArtId> ids;
  for (const auto& [id, a] : doc_.arts())
    if (!a.isLayerGroup() && (!containersOnly || a.isContainer())) ids.push_back(id);
  return ids.empty() ? model::kNoId : ids[static_cast<std::size_t>(Pick(static_cast<int>(ids.size())))];
}

model::Placement RandomDocument::SomewhereFor(ArtType type) {
  const auto& layers = doc_.layers();
  const ArtId layerGroup = layers[static_cast<std::size_t>(Pick(static_cast<int>(layers.size())))].group;
  const ArtId container = AnyArt(true);
  if (container != model::kNoId && Pick(3) == 0 &&
      (std::as_const(doc_).art(container).type() == ArtType::Group || type == ArtType::Path))
    return {static_cast<int16_t>(Pick(2) ? kPlaceInsideOnTop : kPlaceInsideOnBottom), container};
  const ArtId beside = AnyArt();
  if (beside != model::kNoId && Pick(3) == 0) {
    const ArtId parent = std::as_const(doc_).art(beside).parent();
    if (std::as_const(doc_).art(parent).type() != ArtType::CompoundPath || type == ArtType::Path)
      return {static_cast<int16_t>(Pick(2) ? kPlaceAbove : kPlaceBelow), beside};
  }
  return {static_cast<int16_t>(Pick(2) ? kPlaceInsideOnTop : kPlaceInsideOnBottom), layerGroup};
}

void RandomDocument::NewPath() {
  const ArtId id = doc_.NewArt(ArtType::Path, SomewhereFor(ArtType::Path));
  model::Art& a = doc_.art(id);
  a.segments = Segments();
  a.closed = Pick(2) == 0;
  if (Pick(2)) a.paint.fill = model::Rgb{0xffff, 0, 0};
  a.hidden = Pick(12) == 0;
  a.locked = Pick(12) == 0;
}

void RandomDocument::Populate(int paths, double size) {
  size_ = size;
  if (doc_.layers().empty()) doc_.AddLayer("Layer 1");
  for (int i = 0; i < paths; ++i) {
    if (Pick(10) == 0) {
      doc_.NewArt(Pick(2) ? ArtType::Group : ArtType::CompoundPath, SomewhereFor(ArtType::Group));
    }
    NewPath();
  }
}

void RandomDocument::Edit() {
  switch (Pick(10)) {
    case 0:
    case 1:
      NewPath();
      break;
    case 2:
      if (const ArtId id = AnyArt()) doc_.Dispose(id);
      break;
    case 3:
      if (const ArtId id = AnyArt()) {
        const model::Placement where = SomewhereFor(std::as_const(doc_).art(id).type());
        // A container may not go inside itself.
        bool inside = false;
        if (where.order == kPlaceInsideOnTop || where.order == kPlaceInsideOnBottom || where.order == kPlaceAbove ||
            where.order == kPlaceBelow)
          for (ArtId at : doc_.Lineage(where.prep)) inside = inside || at == id;
        if (!inside) doc_.Duplicate(id, where);
      }
      break;
    case 4:
    case 5:
      if (const ArtId id = AnyArt(); id && std::as_const(doc_).art(id).type() == ArtType::Path) doc_.art(id).segments = Segments();
      break;
    case 6:
      if (const ArtId id = AnyArt()) {
        model::Art& a = doc_.art(id);
        a.hidden = Pick(4) == 0;
        a.locked = Pick(4) == 0;
        a.dictionary["n"] = static_cast<float>(Pick(100));
      }
      break;
    case 7:
      if (doc_.layers().size() < 3 && Pick(2)) {
        const model::LayerId l = doc_.AddLayer("Layer " + std::to_string(Pick(100)), static_cast<std::size_t>(Pick(3)));
        doc_.layer(l).visible = Pick(3) != 0;
        doc_.layer(l).locked = Pick(3) == 0;
      } else if (doc_.layers().size() > 1) {
        doc_.RemoveLayer(doc_.layers()[static_cast<std::size_t>(Pick(static_cast<int>(doc_.layers().size())))].id);
      }
      break;
    case 8:
      doc_.dictionary()["k" + std::to_string(Pick(4))] = std::string(static_cast<std::size_t>(Pick(8)), 'x');
      break;
    default:
      doc_.SetArtboard({0, Uniform(100, 900), Uniform(100, 900), 0});
      doc_.SetRulerUnits(static_cast<int16_t>(Pick(3)));
      break;
  }
}

Point RandomDocument::Probe() {
  const ArtId id = Pick(2) ? AnyArt() : model::kNoId;
  if (id && std::as_const(doc_).art(id).type() == ArtType::Path && !std::as_const(doc_).art(id).segments.empty()) {
    const auto& segments = std::as_const(doc_).art(id).segments;
    const Segment& s = segments[static_cast<std::size_t>(Pick(static_cast<int>(segments.size())))];
    const Point q = Pick(2) ? s.p : s.out;
    return q + Point{Uniform(-2, 2), Uniform(-2, 2)};
  }
  return {Uniform(-10, size_ + 10), Uniform(-10, size_ + 10)};
}

}  // namespace host::test
