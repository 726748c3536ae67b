#include "tools/framework/FSMTool.h"

#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tools/framework/AnnoRenderBase.h"
#include "tools/framework/DocumentQueries.h"

namespace Tools {

void SnapCursor(const char* control, AIToolMessage* message) {
  if (!control) return;
  ai::SuiteSet& suites = ai::Suites();
  const AIDocumentViewHandle view = AII::CurrentView(suites);
  AIRealPoint snapped = message->cursor;
  ai::Check(suites.CursorSnap().Track(view, &message->cursor, message->event, control, &snapped));
  message->cursor = snapped;
}

bool CanCreateArtNow() { return CanCreateArt(ai::Suites()); }

}  // namespace Tools
