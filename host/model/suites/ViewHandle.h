// The one document view the stand-in host has, as an sdk handle.
#pragma once

#include "host/model/View.h"
#include "sdk/Corvane.h"

namespace host::suites {

AIDocumentViewHandle CurrentViewHandle();
// The view a handle names: null means the current view, as in the host being
// stood in for; any other unknown value is kBadHandleErr.  kNoDocumentErr when
// no document (and so no view) is open.
model::View& ViewOf(AIDocumentViewHandle view);

}  // namespace host::suites
