// "AI Hit Test Suite": hit tests as reference-counted results.
#include "host/model/HitTest.h"
#include "host/model/RefTable.h"
#include "host/model/View.h"
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"

namespace host::suites {

namespace {

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAIHitTestSuite, function, std::forward<Body>(body));
}

model::Hit& HitOf(AIHitRef hit) { return Active().hitRefs().Get(FromHandle(hit)); }

// The tolerance is a fixed number of view pixels, so in artwork it shrinks as
// the user zooms in.
AIErr AIAPI HitTest(AIArtHandle art, const AIRealPoint* point, int32_t request, AIHitRef* hit) {
  return Call("HitTest", [&] {
    AIHitRef& out = Ref(hit, "hit");
    out = nullptr;
    const model::Point p = model::FromSdk(Ref(point, "point"));
    if (!IsFinite(p)) Fail(kBadParameterErr, "hit point is not finite");
    Workspace& ws = Active();
    const model::ArtId scope = art ? SeenArt(art).id() : model::kNoId;
    const double tolerance = ws.HitTolerancePx() / ws.view().zoom;
    const model::Hit found = model::HitTest(Doc(), scope, p, request, tolerance);
    out = ToHandle<AIHitRef>(ws.hitRefs().Add(found));
    return kNoErr;
  });
}

AIErr AIAPI IsHit(AIHitRef hit, AIBoolean* isHit) {
  return Call("IsHit", [&] {
    AIBoolean& out = Ref(isHit, "isHit");
    out = Flag(HitOf(hit).hit);
    return kNoErr;
  });
}

AIErr AIAPI GetHitData(AIHitRef hit, AIHitData* data) {
  return Call("GetHitData", [&] {
    AIHitData& out = Ref(data, "data");
    const model::Hit& h = HitOf(hit);
    out = AIHitData{};
    out.hit = Flag(h.hit);
    out.object = h.hit ? model::ArtHandle(h.art) : nullptr;
    out.type = h.part;
    out.segment = h.segment;
    out.t = h.t;
    out.point = model::ToSdk(h.point);
    return kNoErr;
  });
}

AIErr AIAPI AddRef(AIHitRef hit) {
  return Call("AddRef", [&] {
    Active().hitRefs().AddRef(FromHandle(hit));
    return kNoErr;
  });
}

AIErr AIAPI Release(AIHitRef hit) {
  return Call("Release", [&] {
    Active().hitRefs().Release(FromHandle(hit));
    return kNoErr;
  });
}

const AIHitTestSuite kTable = {HitTest, IsHit, GetHitData, AddRef, Release};

}  // namespace

const AIHitTestSuite& HitTestSuite() { return kTable; }

}  // namespace host::suites
