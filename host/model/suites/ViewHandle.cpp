#include "host/model/suites/ViewHandle.h"

#include "host/model/suites/SuiteSupport.h"

namespace host::suites {

namespace {
// Any fixed non-null value: there is one view and nothing is stored behind it.
constexpr uintptr_t kOnlyView = 1;
}  // namespace

AIDocumentViewHandle CurrentViewHandle() { return reinterpret_cast<AIDocumentViewHandle>(kOnlyView); }

model::View& ViewOf(AIDocumentViewHandle view) {
  Doc();
  if (view && view != CurrentViewHandle()) Fail(kBadHandleErr, "unknown document view");
  return Active().view();
}

}  // namespace host::suites
