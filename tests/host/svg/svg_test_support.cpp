#include "svg_test_support.h"

#include <sstream>

#include "host/svg/Svg.h"

namespace svgtest {
namespace {

using host::model::Art;
using host::model::Document;

testing::AssertionResult Differ(const std::string& where, const std::string& what) {
  return testing::AssertionFailure() << where << ": " << what;
}

testing::AssertionResult SameArt(const Document& a, const Document& b, const Art& x, const Art& y,
                                 const std::string& where) {
  if (x.type() != y.type()) return Differ(where, "type");
  if (x.segments != y.segments) return Differ(where, "segments");
  if (x.closed != y.closed) return Differ(where, "closed flag");
  if (x.paint != y.paint) return Differ(where, "paint");
  if (x.dictionary != y.dictionary) return Differ(where, "dictionary");
  if (x.locked != y.locked || x.hidden != y.hidden || x.selected != y.selected) return Differ(where, "flags");
  if (x.centerPointVisible != y.centerPointVisible) return Differ(where, "center point flag");
  if (x.name != y.name) return Differ(where, "name '" + x.name + "' vs '" + y.name + "'");
  if (x.matrix != y.matrix || x.image != y.image) return Differ(where, "image");
  if (x.kept != y.kept) return Differ(where, "kept elements");
  if (x.children().size() != y.children().size()) return Differ(where, "member count");
  for (std::size_t i = 0; i < x.children().size(); ++i) {
    const auto r = SameArt(a, b, a.art(x.children()[i]), b.art(y.children()[i]), where + "/" + std::to_string(i));
    if (!r) return r;
  }
  return testing::AssertionSuccess();
}

}  // namespace

testing::AssertionResult SameContent(const Document& a, const Document& b) {
  if (a.artboard() != b.artboard()) return Differ("document", "artboard");
  if (a.rulerUnits() != b.rulerUnits()) return Differ("document", "ruler units");
  if (a.dictionary() != b.dictionary()) return Differ("document", "dictionary");
  if (a.keptAtTop() != b.keptAtTop() || a.namespaces() != b.namespaces()) return Differ("document", "kept elements");
  if (a.layers().size() != b.layers().size()) return Differ("document", "layer count");
  if (a.LayerIndex(a.currentLayer()) != b.LayerIndex(b.currentLayer())) return Differ("document", "current layer");
  for (std::size_t i = 0; i < a.layers().size(); ++i) {
    const auto& x = a.layers()[i];
    const auto& y = b.layers()[i];
    const std::string where = "layer " + std::to_string(i);
    if (x.title != y.title) return Differ(where, "title '" + x.title + "' vs '" + y.title + "'");
    if (x.color != y.color || x.locked != y.locked || x.visible != y.visible) return Differ(where, "attributes");
    const auto r = SameArt(a, b, a.art(x.group), b.art(y.group), where);
    if (!r) return r;
  }
  return testing::AssertionSuccess();
}

Document ReadBody(const std::string& body) {
  return host::svg::ParseSvg(
      "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 100 100\">\n" + body + "\n</svg>\n", "body.svg");
}

std::vector<const Art*> AllArt(const Document& doc) {
  std::vector<const Art*> arts;
  host::model::ForEachArtFrontToBack(doc, [&](host::model::ArtId id) {
    if (!doc.art(id).isLayerGroup()) arts.push_back(&doc.art(id));
  });
  return arts;
}

const Art& OnlyPath(const Document& doc) {
  const Art* found = nullptr;
  int count = 0;
  for (const Art* art : AllArt(doc))
    if (art->type() == host::model::ArtType::Path) {
      found = art;
      ++count;
    }
  if (count != 1) throw std::runtime_error("expected one path, found " + std::to_string(count));
  return *found;
}

}  // namespace svgtest
