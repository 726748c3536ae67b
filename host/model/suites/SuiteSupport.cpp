#include "host/model/suites/SuiteSupport.h"

namespace host::suites {

Workspace& Active() {
  Workspace* ws = Workspace::Active();
  if (!ws) Fail(kBadParameterErr, "no workspace offers the document suites");
  return *ws;
}

model::Document& Doc() { return Active().document(); }
const model::Document& SeenDoc() { return Doc(); }

const model::Art& SeenArt(AIArtHandle art) {
  const model::Document& doc = SeenDoc();
  if (!art) Fail(kBadHandleErr, "null art handle");
  return doc.art(model::ArtIdOf(art));
}

const model::Art& SeenArt(AIArtHandle art, model::ArtType type) {
  const model::Art& a = SeenArt(art);
  if (a.type() != type)
    Fail(kWrongArtTypeErr, "art " + std::to_string(a.id()) + " has type " + std::to_string(int(a.type())));
  return a;
}

// Checked as for reading first, so that a bad handle is refused before the
// document notes anything.
model::Art& ArtOf(AIArtHandle art) { return Doc().art(SeenArt(art).id()); }

model::Art& ArtOf(AIArtHandle art, model::ArtType type) { return Doc().art(SeenArt(art, type).id()); }

}  // namespace host::suites
