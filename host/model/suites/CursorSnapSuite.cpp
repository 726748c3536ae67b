// "AI Cursor Snap Suite": snapping the cursor, custom constraints, the smart
// guides switch.
#include <cmath>

#include "host/model/Snapping.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"
#include "host/model/suites/ViewHandle.h"

namespace host::suites {

namespace {

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAICursorSnapSuite, function, std::forward<Body>(body));
}

// The event is not needed: modifiers do not change the stand-in's snapping.
AIErr AIAPI Track(AIDocumentViewHandle view, const AIRealPoint* srcpoint, const AIEvent* /*event*/,
                  const char* control, AIRealPoint* dstpoint) {
  return Call("Track", [&] {
    AIRealPoint& out = Ref(dstpoint, "dstpoint");
    const model::Point p = model::FromSdk(Ref(srcpoint, "srcpoint"));
    Text(control, "control");
    const model::View& v = ViewOf(view);
    if (!IsFinite(p)) Fail(kBadParameterErr, "point to snap is not finite");
    Workspace& ws = Active();
    const model::SnapSettings settings{ws.SmartGuides(), ws.SnapTolerancePx() / v.zoom};
    out = model::ToSdk(model::Snap(Doc(), p, control, ws.CustomConstraints(), settings));
    return kNoErr;
  });
}

AIErr AIAPI SetCustom(int32_t count, const AICursorConstraint* constraints) {
  return Call("SetCustom", [&] {
    if (count < 0 || (count > 0 && !constraints)) Fail(kBadParameterErr, "no constraints to set");
    for (int32_t i = 0; i < count; ++i) {
      const AICursorConstraint& c = constraints[i];
      if (!IsFinite(model::FromSdk(c.point)) || !std::isfinite(c.angle))
        Fail(kBadParameterErr, "constraint " + std::to_string(i) + " is not finite");
    }
    Active().SetCustomConstraints(constraints, count);
    return kNoErr;
  });
}

AIErr AIAPI ClearCustom() {
  return Call("ClearCustom", [&] {
    Active().ClearCustomConstraints();
    return kNoErr;
  });
}

AIErr AIAPI GetSmartGuidesState(AIDocumentViewHandle view, AIBoolean* on) {
  return Call("GetSmartGuidesState", [&] {
    AIBoolean& out = Ref(on, "on");
    ViewOf(view);
    out = Flag(Active().SmartGuides());
    return kNoErr;
  });
}

AIErr AIAPI SetSmartGuidesState(AIDocumentViewHandle view, AIBoolean on) {
  return Call("SetSmartGuidesState", [&] {
    ViewOf(view);
    Active().SetSmartGuides(on != 0);
    return kNoErr;
  });
}

const AICursorSnapSuite kTable = {Track, SetCustom, ClearCustom, GetSmartGuidesState, SetSmartGuidesState};

}  // namespace

const AICursorSnapSuite& CursorSnapSuite() { return kTable; }

}  // namespace host::suites
