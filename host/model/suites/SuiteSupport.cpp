#include "host/model/suites/SuiteSupport.h"

namespace host::suites {

Workspace& Active() {
  Workspace* ws = Workspace::Active();
  if (!ws) Fail(kBadParameterErr, "no workspace offers the document suites");
  return *ws;
}

model::Document& Doc() { return Active().document(); }

model::Art& ArtOf(AIArtHandle art) {
  model::Document& doc = Doc();
  if (!art) Fail(kBadHandleErr, "null art handle");
  return doc.art(model::ArtIdOf(art));
}

model::Art& ArtOf(AIArtHandle art, model::ArtType type) {
  model::Art& a = ArtOf(art);
  if (a.type() != type)
    Fail(kWrongArtTypeErr, "art " + std::to_string(a.id()) + " has type " + std::to_string(int(a.type())));
  return a;
}

}  // namespace host::suites
