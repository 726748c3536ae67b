// "AI Annotator Drawer Suite": records every drawing call of an "AI Draw"
// message as a DrawCall instead of painting.
#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/Suites.h"
#include "host/runtime/TextEncoding.h"

namespace host::runtime {
namespace {

// No annotation needs more points than this; a larger count is a corrupt
// argument, not a drawing.
constexpr int32_t kMaxPolygonPoints = 1 << 20;

// Only the drawer of the "AI Draw" in progress may be used: a drawer kept
// after its message has ended names nothing.
DrawRecorder& Recorder(AIAnnotatorDrawer* drawer) {
  DrawRecorder* live = App().drawer;
  if (!drawer || reinterpret_cast<AIAnnotatorDrawer*>(live) != drawer)
    throw HostError(kBadHandleErr, "not the drawer of the annotation being drawn");
  return *live;
}

DrawCall Call(const DrawRecorder& r, DrawCall::Kind kind) {
  DrawCall c;
  c.kind = kind;
  c.color = r.color;
  c.width = r.width;
  c.antialiased = r.antialiased;
  c.overlay = r.overlay;
  return c;
}

template <class Fill>
AIErr Record(const char* function, AIAnnotatorDrawer* drawer, DrawCall::Kind kind, Fill&& fill) {
  return SuiteCall(kAIAnnotatorDrawerSuite, function, [&] {
    DrawRecorder& r = Recorder(drawer);
    DrawCall c = Call(r, kind);
    fill(r, c);
    r.calls->push_back(std::move(c));
    return kNoErr;
  });
}

AIErr SetColor(AIAnnotatorDrawer* drawer, const AIRGBColor* color) {
  return Record("SetColor", drawer, DrawCall::Kind::SetColor, [&](DrawRecorder& r, DrawCall& c) {
    r.color = c.color = *Required(color, "color");
  });
}

AIErr GetColor(AIAnnotatorDrawer* drawer, AIRGBColor* color) {
  return SuiteCall(kAIAnnotatorDrawerSuite, "GetColor", [&] {
    *Required(color, "color") = Recorder(drawer).color;
    return kNoErr;
  });
}

AIErr SetLineWidth(AIAnnotatorDrawer* drawer, double width) {
  return Record("SetLineWidth", drawer, DrawCall::Kind::SetLineWidth, [&](DrawRecorder& r, DrawCall& c) {
    if (!(width >= 0)) throw HostError(kBadParameterErr, "line width must be a non-negative number");
    r.width = c.width = width;
  });
}

AIErr SetDrawingMode(AIAnnotatorDrawer* drawer, AIBoolean antialiased, AIBoolean overlay) {
  return Record("SetDrawingMode", drawer, DrawCall::Kind::SetDrawingMode, [&](DrawRecorder& r, DrawCall& c) {
    r.antialiased = c.antialiased = antialiased != 0;
    r.overlay = c.overlay = overlay != 0;
  });
}

AIErr DrawLine(AIAnnotatorDrawer* drawer, const AIPoint* start, const AIPoint* end) {
  return Record("DrawLine", drawer, DrawCall::Kind::Line, [&](DrawRecorder&, DrawCall& c) {
    c.points = {*Required(start, "start"), *Required(end, "end")};
  });
}

AIErr DrawPolygon(AIAnnotatorDrawer* drawer, const AIPoint* points, int32_t count, AIBoolean fill) {
  return Record("DrawPolygon", drawer, DrawCall::Kind::Polygon, [&](DrawRecorder&, DrawCall& c) {
    if (count < 0 || count > kMaxPolygonPoints)
      throw HostError(kBadParameterErr, "polygon point count " + std::to_string(count));
    if (count > 0) c.points.assign(Required(points, "points"), points + count);
    c.fill = fill != 0;
  });
}

AIErr DrawEllipse(AIAnnotatorDrawer* drawer, const AIRect* rect, AIBoolean fill) {
  return Record("DrawEllipse", drawer, DrawCall::Kind::Ellipse, [&](DrawRecorder&, DrawCall& c) {
    c.rect = *Required(rect, "rect");
    c.fill = fill != 0;
  });
}

AIErr DrawBezier(AIAnnotatorDrawer* drawer, const AIPoint* p0, const AIPoint* p1, const AIPoint* p2,
                 const AIPoint* p3) {
  return Record("DrawBezier", drawer, DrawCall::Kind::Bezier, [&](DrawRecorder&, DrawCall& c) {
    c.points = {*Required(p0, "p0"), *Required(p1, "p1"), *Required(p2, "p2"), *Required(p3, "p3")};
  });
}

AIErr DrawText(AIAnnotatorDrawer* drawer, const char* text, const AIPoint* point) {
  return Record("DrawText", drawer, DrawCall::Kind::Text, [&](DrawRecorder&, DrawCall& c) {
    c.text = PlatformToUtf8(Required(text, "text"));
    c.points = {*Required(point, "point")};
  });
}

const AIAnnotatorDrawerSuite kDrawer = {SetColor,    GetColor,    SetLineWidth, SetDrawingMode, DrawLine,
                                        DrawPolygon, DrawEllipse, DrawBezier,   DrawText};

}  // namespace

void AddDrawerSuite(SuiteRegistry& registry) {
  registry.Add(kAIAnnotatorDrawerSuite, kAIAnnotatorDrawerSuiteVersion, &kDrawer);
}

}  // namespace host::runtime
