#include "tools/framework/FSMTool.h"

#include "plugin/Error.h"
#include "plugin/HostCall.h"
#include "tools/framework/AnnoRenderBase.h"

namespace Tools {

void SnapCursor(const char* control, AIToolMessage* message) {
  if (!control) return;
  ai::SuiteSet& suites = ai::Suites();
  const AIDocumentViewHandle view = AII::CurrentView(suites);
  AIRealPoint snapped = message->cursor;
  ai::Check(suites.CursorSnap().Track(view, &message->cursor, message->event, control, &snapped));
  message->cursor = snapped;
}

}  // namespace Tools
