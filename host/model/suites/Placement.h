// Where the art suite and the shape construction suite put new art.
//
// The insertion point is the current layer's layer group, new art going on
// top of it; it is editable when that layer is visible and unlocked.  A
// placement with a null prep art means the insertion point, whatever the
// paint order, so a caller that has no art at hand still gets the user's
// current layer.
#pragma once

#include "host/model/Document.h"
#include "sdk/Corvane.h"

namespace host::suites {

// kBadParameterErr when the document has no layer.
model::Placement InsertionPoint(const model::Document& doc);
bool InsertionEditable(const model::Document& doc);

model::Placement PlacementFor(const model::Document& doc, int16_t paintOrder, AIArtHandle prep);

// kLockedErr unless the container the placement puts art into is editable:
// its layer visible and unlocked, and neither it nor any container around it
// locked or hidden.  Placement errors (kBadHandleErr, kWrongArtTypeErr,
// kBadParameterErr) come first.
void RequireEditable(const model::Document& doc, model::Placement where, model::ArtType incoming);

}  // namespace host::suites
