// "AI Document View Suite": the view's zoom, scroll position and coordinate
// conversion.
#include "host/model/suites/SuiteSupport.h"
#include "host/model/suites/SuiteTables.h"
#include "host/model/suites/ViewHandle.h"

namespace host::suites {

namespace {

template <class Body>
AIErr Call(const char* function, Body&& body) {
  return SuiteCall(kAIDocumentViewSuite, function, std::forward<Body>(body));
}

AIErr AIAPI CountDocumentViews(int32_t* count) {
  return Call("CountDocumentViews", [&] {
    Ref(count, "count") = Active().HasDocument() ? 1 : 0;
    return kNoErr;
  });
}

AIErr AIAPI GetNthDocumentView(int32_t n, AIDocumentViewHandle* view) {
  return Call("GetNthDocumentView", [&] {
    AIDocumentViewHandle& out = Ref(view, "view");
    Doc();
    if (n != 0) Fail(kIndexRangeErr, "view " + std::to_string(n) + " of 1");
    out = CurrentViewHandle();
    return kNoErr;
  });
}

AIErr AIAPI GetDocumentViewBounds(AIDocumentViewHandle view, AIRealRect* bounds) {
  return Call("GetDocumentViewBounds", [&] {
    Ref(bounds, "bounds") = model::ToSdk(ViewOf(view).Bounds());
    return kNoErr;
  });
}

AIErr AIAPI GetDocumentViewPixelBounds(AIDocumentViewHandle view, AIRect* bounds) {
  return Call("GetDocumentViewPixelBounds", [&] {
    AIRect& out = Ref(bounds, "bounds");
    const model::View& v = ViewOf(view);
    out = AIRect{0, 0, v.width, v.height};
    return kNoErr;
  });
}

AIErr AIAPI GetDocumentViewZoom(AIDocumentViewHandle view, double* zoom) {
  return Call("GetDocumentViewZoom", [&] {
    Ref(zoom, "zoom") = ViewOf(view).zoom;
    return kNoErr;
  });
}

AIErr AIAPI SetDocumentViewZoom(AIDocumentViewHandle view, double zoom) {
  return Call("SetDocumentViewZoom", [&] {
    ViewOf(view).zoom = model::ValidZoom(zoom);
    return kNoErr;
  });
}

AIErr AIAPI GetScrollOrigin(AIDocumentViewHandle view, AIRealPoint* origin) {
  return Call("GetScrollOrigin", [&] {
    Ref(origin, "origin") = model::ToSdk(ViewOf(view).origin);
    return kNoErr;
  });
}

AIErr AIAPI SetScrollOrigin(AIDocumentViewHandle view, const AIRealPoint* origin) {
  return Call("SetScrollOrigin", [&] {
    const model::Point p = model::FromSdk(Ref(origin, "origin"));
    model::View& v = ViewOf(view);
    if (!IsFinite(p)) Fail(kBadParameterErr, "scroll origin is not finite");
    v.origin = p;
    return kNoErr;
  });
}

AIErr AIAPI ArtworkPointToViewPoint(AIDocumentViewHandle view, const AIRealPoint* artwork, AIPoint* viewPoint) {
  return Call("ArtworkPointToViewPoint", [&] {
    AIPoint& out = Ref(viewPoint, "view_point");
    const model::Point p = model::FromSdk(Ref(artwork, "artwork"));
    if (!IsFinite(p)) Fail(kBadParameterErr, "artwork point is not finite");
    out = ViewOf(view).ToView(p);
    return kNoErr;
  });
}

AIErr AIAPI ViewPointToArtworkPoint(AIDocumentViewHandle view, const AIPoint* viewPoint, AIRealPoint* artwork) {
  return Call("ViewPointToArtworkPoint", [&] {
    AIRealPoint& out = Ref(artwork, "artwork");
    out = model::ToSdk(ViewOf(view).ToArtwork(Ref(viewPoint, "view_point")));
    return kNoErr;
  });
}

const AIDocumentViewSuite kTable = {
    CountDocumentViews, GetNthDocumentView, GetDocumentViewBounds, GetDocumentViewPixelBounds,
    GetDocumentViewZoom, SetDocumentViewZoom, GetScrollOrigin, SetScrollOrigin,
    ArtworkPointToViewPoint, ViewPointToArtworkPoint,
};

}  // namespace

const AIDocumentViewSuite& DocumentViewSuite() { return kTable; }

}  // namespace host::suites
