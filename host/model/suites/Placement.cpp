#include "host/model/suites/Placement.h"

#include "host/model/suites/SuiteSupport.h"

namespace host::suites {

namespace {

const model::Layer& CurrentLayer(const model::Document& doc) {
  if (doc.currentLayer() == model::kNoId) Fail(kBadParameterErr, "the document has no layer");
  return doc.layer(doc.currentLayer());
}

}  // namespace

model::Placement InsertionPoint(const model::Document& doc) {
  return {kPlaceInsideOnTop, CurrentLayer(doc).group};
}

bool InsertionEditable(const model::Document& doc) { return CurrentLayer(doc).editable(); }

model::Placement PlacementFor(const model::Document& doc, int16_t paintOrder, AIArtHandle prep) {
  if (paintOrder == kPlaceAboveAll || paintOrder == kPlaceBelowAll) return {paintOrder, model::kNoId};
  if (!prep) return InsertionPoint(doc);
  return {paintOrder, model::ArtIdOf(prep)};
}

void RequireEditable(const model::Document& doc, model::Placement where, model::ArtType incoming) {
  const model::ArtId parent = doc.Resolve(where, incoming).parent;
  for (model::ArtId at : doc.Lineage(parent)) {
    const model::Art& a = doc.art(at);
    if (a.locked || a.hidden) Fail(kLockedErr, "art " + std::to_string(at) + " is locked or hidden");
  }
  const model::Layer& layer = doc.layer(doc.LayerOf(parent));
  if (!layer.editable()) Fail(kLockedErr, "layer \"" + layer.title + "\" is locked or hidden");
}

}  // namespace host::suites
