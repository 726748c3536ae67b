// The overlay's two surfaces on the stand-in host's view, in the test
// process.  The drawing surface's drawer is a recorder standing in for the
// drawer of an "AI Draw" message, so that every operation can be drawn and
// measured side by side: the measured box must be the box of what is drawn.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string_view>
#include <vector>

#include "hostcall/Error.h"
#include "tests/plugin/CircleToolHost.h"
#include "tests/plugin/InProcessCall.h"
#include "tools/framework/AnnoRenderArea.h"
#include "tools/framework/AnnoRenderDrawCS4.h"

namespace plugin_test {
namespace {

using host::DrawCall;
using Kind = host::DrawCall::Kind;

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');

// ---- a recording drawer behind a basic suite that offers it -------------------------------------

std::vector<DrawCall> gRecorded;

AIErr Record(Kind kind, std::initializer_list<AIPoint> points, AIRect rect = {}, bool fill = false) {
  DrawCall call;
  call.kind = kind;
  call.points = points;
  call.rect = rect;
  call.fill = fill;
  gRecorded.push_back(call);
  return kNoErr;
}

AIErr SetColor(AIAnnotatorDrawer*, const AIRGBColor* color) {
  DrawCall call;
  call.kind = Kind::SetColor;
  call.color = *color;
  gRecorded.push_back(call);
  return kNoErr;
}
AIErr GetColor(AIAnnotatorDrawer*, AIRGBColor*) { return kNotImplementedErr; }
AIErr SetLineWidth(AIAnnotatorDrawer*, double) { return kNoErr; }
AIErr SetDrawingMode(AIAnnotatorDrawer*, AIBoolean, AIBoolean) { return kNoErr; }
AIErr DrawLine(AIAnnotatorDrawer*, const AIPoint* a, const AIPoint* b) { return Record(Kind::Line, {*a, *b}); }
AIErr DrawPolygon(AIAnnotatorDrawer*, const AIPoint* points, int32_t count, AIBoolean fill) {
  DrawCall call;
  call.kind = Kind::Polygon;
  call.points.assign(points, points + count);
  call.fill = fill;
  gRecorded.push_back(call);
  return kNoErr;
}
AIErr DrawEllipse(AIAnnotatorDrawer*, const AIRect* rect, AIBoolean fill) {
  return Record(Kind::Ellipse, {}, *rect, fill != 0);
}
AIErr DrawBezier(AIAnnotatorDrawer*, const AIPoint* p0, const AIPoint* p1, const AIPoint* p2, const AIPoint* p3) {
  return Record(Kind::Bezier, {*p0, *p1, *p2, *p3});
}
AIErr DrawText(AIAnnotatorDrawer*, const char* text, const AIPoint* at) {
  Record(Kind::Text, {*at});
  gRecorded.back().text = text;
  return kNoErr;
}

const AIAnnotatorDrawerSuite kRecordingDrawer = {SetColor,    GetColor,    SetLineWidth, SetDrawingMode, DrawLine,
                                                 DrawPolygon, DrawEllipse, DrawBezier,   DrawText};

const SPBasicSuite& Host() { return host::runtime::BasicSuite(); }
bool IsDrawer(const char* name) { return std::string_view(name) == kAIAnnotatorDrawerSuite; }

SPErr Acquire(const char* name, int32_t version, const void** suite) {
  if (!IsDrawer(name)) return Host().AcquireSuite(name, version, suite);
  *suite = &kRecordingDrawer;
  return kNoErr;
}
SPErr Release(const char* name, int32_t version) { return IsDrawer(name) ? kNoErr : Host().ReleaseSuite(name, version); }
SPBoolean IsEqual(const char* a, const char* b) { return Host().IsEqual(a, b); }
SPErr Allocate(size_t size, void** block) { return Host().AllocateBlock(size, block); }
SPErr Free(void* block) { return Host().FreeBlock(block); }
SPErr Reallocate(void* block, size_t size, void** out) { return Host().ReallocateBlock(block, size, out); }
SPErr Undefined() { return kNotImplementedErr; }

const SPBasicSuite kRecordingBasic = {Acquire, Release, IsEqual, Allocate, Free, Reallocate, Undefined};

AIAnnotatorDrawer* const kDrawer = reinterpret_cast<AIAnnotatorDrawer*>(&gRecorded);

// ---- fixture ------------------------------------------------------------------------------------

// View pixels are (2x, 2(800 - y)): zoom 2, artwork (0, 800) at the top left.
class OverlaySurfaces : public ::testing::Test {
 protected:
  OverlaySurfaces() {
    call_.host().SetZoom(2);
    call_.host().SetScrollOrigin({0, 800});
    gRecorded.clear();
  }

  using Operation = std::function<void(AII::IAnnoSurface&)>;

  std::vector<DrawCall> Draw(const Operation& op) {
    gRecorded.clear();
    AII::AnnoRenderDrawCS4 surface(suites_, AII::CurrentView(suites_), kDrawer);
    op(surface);
    return gRecorded;
  }
  struct Measured {
    bool hasMin, hasMax;
    AIRect box;
  };
  Measured Measure(const Operation& op) {
    AII::AnnoRenderArea area(suites_, AII::CurrentView(suites_));
    op(area);
    return {area.hasMin(), area.hasMax(), area.box()};
  }

  InProcessCall call_;
  ai::SuiteSet suites_{&kRecordingBasic};
};

AIRect BoxOf(const std::vector<AIPoint>& points) {
  AIRect box{points[0].h, points[0].v, points[0].h, points[0].v};
  for (const AIPoint& p : points)
    box = {std::min(box.left, p.h), std::min(box.top, p.v), std::max(box.right, p.h), std::max(box.bottom, p.v)};
  return box;
}

bool operator==(const AIRect& a, const AIRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
bool operator==(const AIPoint& a, const AIPoint& b) { return a.h == b.h && a.v == b.v; }

// ---- tests --------------------------------------------------------------------------------------

TEST_F(OverlaySurfaces, MeasuredBoxIsTheBoxOfWhatIsDrawn) {
  const struct {
    const char* name;
    Operation op;
    std::vector<Kind> drawn;
  } cases[] = {
      {"line in view pixels", [](auto& s) { s.LineView({10, 20}, {-30, 400}); }, {Kind::Line}},
      {"line", [](auto& s) { s.Line({10, 700}, {60, 650}); }, {Kind::Line}},
      {"circle", [](auto& s) { s.Circle({100, 600}, 25.3); }, {Kind::Ellipse}},
      {"bezier", [](auto& s) { s.Bezier({0, 600}, {20, 680}, {70, 520}, {90, 600}); }, {Kind::Bezier}},
      {"plus mark", [](auto& s) { s.PlusMark({100, 600}, 10); }, {Kind::Line, Kind::Line}},
      {"cross mark", [](auto& s) { s.CrossMark({100, 600}, 7); }, {Kind::Line, Kind::Line}},
      {"dot", [](auto& s) { s.Dot({100, 600}, 3); }, {Kind::Ellipse}},
      {"path marker",
       [](auto& s) { s.PathMarker({100, 600}, {3, 4}, 3, 20, 8); },
       {Kind::Line, Kind::Line, Kind::Ellipse}},
      {"arrowhead", [](auto& s) { s.Arrowhead({100, 600}, {160, 680}, 8, 12); }, {Kind::Polygon}},
      {"arrowhead with its tip on its target", [](auto& s) { s.Arrowhead({100, 600}, {100, 600}, 8, 12); },
       {Kind::Polygon}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<DrawCall> drawn = Draw(c.op);
    std::vector<Kind> kinds;
    for (const DrawCall& d : drawn) kinds.push_back(d.kind);
    EXPECT_EQ(kinds, c.drawn);
    const Measured area = Measure(c.op);
    ASSERT_TRUE(area.hasMin && area.hasMax);
    EXPECT_TRUE(area.box == BoxOf(TouchedPoints(drawn)));
  }
}

// Text has no measurable width here: its area runs from the anchor up 20 px
// and out to the view's right edge.
TEST_F(OverlaySurfaces, TextIsMeasuredToTheRightEdgeOfTheView) {
  const Operation text = [](auto& s) { s.Text({300, 200}, "28.222 mm"); };
  const std::vector<DrawCall> drawn = Draw(text);
  ASSERT_EQ(drawn.size(), 1u);
  EXPECT_EQ(drawn[0].text, "28.222 mm");
  EXPECT_TRUE(Measure(text).box == (AIRect{300, 180, 1024, 200}));
}

TEST_F(OverlaySurfaces, NothingDrawnMeansAnEmptyBox) {
  const Measured area = Measure([](auto& s) {
    s.SetColor({1, 2, 3});
    s.UseCurrentLayerColor();
    s.Zoom();
  });
  EXPECT_FALSE(area.hasMin);
  EXPECT_FALSE(area.hasMax);
}

TEST_F(OverlaySurfaces, MarksAreSizedInViewPixels) {
  const AIPoint c{200, 400};  // (100, 600)
  const std::vector<DrawCall> plus = Draw([](auto& s) { s.PlusMark({100, 600}, 10); });
  EXPECT_TRUE(plus[0].points[0] == (AIPoint{190, 400}) && plus[0].points[1] == (AIPoint{210, 400}));
  EXPECT_TRUE(plus[1].points[0] == (AIPoint{200, 390}) && plus[1].points[1] == (AIPoint{200, 410}));
  const std::vector<DrawCall> cross = Draw([](auto& s) { s.CrossMark({100, 600}, 7); });
  EXPECT_TRUE(cross[0].points[0] == (AIPoint{193, 393}) && cross[0].points[1] == (AIPoint{207, 407}));
  EXPECT_TRUE(cross[1].points[0] == (AIPoint{193, 407}) && cross[1].points[1] == (AIPoint{207, 393}));
  const std::vector<DrawCall> dot = Draw([](auto& s) { s.Dot({100, 600}, 3); });
  EXPECT_TRUE(dot[0].fill);
  EXPECT_TRUE(dot[0].rect == (AIRect{c.h - 3, c.v - 3, c.h + 3, c.v + 3}));
  const std::vector<DrawCall> circle = Draw([](auto& s) { s.Circle({100, 600}, 25); });
  EXPECT_FALSE(circle[0].fill);
  EXPECT_TRUE(circle[0].rect == (AIRect{150, 350, 250, 450})) << "radius scales with the zoom";
}

// The arrowhead is an outlined closed triangle: tip, two base corners, tip.
// Its length and base width are view pixels at any zoom.
TEST_F(OverlaySurfaces, ArrowheadPointsAwayFromItsTarget) {
  const std::vector<DrawCall> drawn = Draw([](auto& s) { s.Arrowhead({100, 600}, {100, 700}, 8, 12); });
  ASSERT_EQ(drawn.size(), 1u);
  const std::vector<AIPoint>& p = drawn[0].points;
  ASSERT_EQ(p.size(), 4u);
  EXPECT_FALSE(drawn[0].fill);
  EXPECT_TRUE(p[0] == (AIPoint{200, 400}) && p[3] == p[0]);
  // Towards is straight up in the artwork: the base is 12 px above the tip.
  EXPECT_TRUE(p[1] == (AIPoint{196, 388}) || p[1] == (AIPoint{204, 388}));
  EXPECT_EQ(std::abs(p[1].h - p[2].h), 8);
  EXPECT_EQ(p[2].v, 388);

  const std::vector<DrawCall> collapsed = Draw([](auto& s) { s.Arrowhead({100, 600}, {100, 600}, 8, 12); });
  ASSERT_EQ(collapsed.size(), 1u);
  for (const AIPoint& q : collapsed[0].points) EXPECT_TRUE(q == (AIPoint{200, 400}));
}

// The path marker's strokes have half-lengths in artwork units, so they
// scale with the zoom.
TEST_F(OverlaySurfaces, PathMarkerStrokesFollowTheDirection) {
  const std::vector<DrawCall> drawn = Draw([](auto& s) { s.PathMarker({100, 600}, {0, 5}, 3, 20, 8); });
  ASSERT_EQ(drawn.size(), 3u);
  EXPECT_TRUE(drawn[0].points[0] == (AIPoint{200, 440}) && drawn[0].points[1] == (AIPoint{200, 360}));
  EXPECT_TRUE(drawn[1].points[0] == (AIPoint{216, 400}) && drawn[1].points[1] == (AIPoint{184, 400}));
  EXPECT_TRUE(drawn[2].fill);
}

// Artwork coordinates reach the host rounded to single precision: just
// below a half pixel in double precision is exactly a half pixel in single,
// which rounds up.
TEST_F(OverlaySurfaces, PointsAreRoundedToSinglePrecisionBeforeConversion) {
  call_.host().SetZoom(1);
  const double belowHalf = 100.49999999;
  ASSERT_EQ(call_.host().ArtworkToView({belowHalf, 700}).h, 100);
  AII::AnnoRenderArea area(suites_, AII::CurrentView(suites_));
  EXPECT_EQ(area.ToView({belowHalf, 700}).h, 101);
}

TEST_F(OverlaySurfaces, LayerColourIsUsedWhenTheHostCanTellIt) {
  host::model::Document& doc = call_.host().document();
  doc.layer(doc.currentLayer()).color = {0x1111, 0x2222, 0x3333};
  const std::vector<DrawCall> set = Draw([](auto& s) { s.UseCurrentLayerColor(); });
  ASSERT_EQ(set.size(), 1u);
  EXPECT_EQ(set[0].color.green, 0x2222);
  call_.host().faults().Fail(kAILayerSuite, "GetLayerColor", kInjected);
  EXPECT_TRUE(Draw([](auto& s) { s.UseCurrentLayerColor(); }).empty());
}

TEST_F(OverlaySurfaces, ConversionAndZoomFailuresCarryTheHostsCode) {
  AII::AnnoRenderArea area(suites_, AII::CurrentView(suites_));
  call_.host().faults().Fail(kAIDocumentViewSuite, "GetDocumentViewZoom", kInjected, 1);
  try {
    area.Zoom();
    ADD_FAILURE() << "no error";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), kInjected);
  }
  call_.host().faults().Fail(kAIDocumentViewSuite, "ArtworkPointToViewPoint", kInjected, 1);
  try {
    area.Line({0, 0}, {1, 1});
    ADD_FAILURE() << "no error";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), kInjected);
  }
}

}  // namespace
}  // namespace plugin_test
