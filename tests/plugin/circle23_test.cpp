// "QM Circle by 2 or 3 points" through the loaded module: the circles it
// makes, its feedback and its cursors after every step of a gesture.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "tests/plugin/CircleToolHost.h"

namespace plugin_test {
namespace {

using host::DrawCall;
using host::model::Art;
using host::model::ArtId;
using host::model::Point;
using Kind = host::DrawCall::Kind;

// Single-precision coordinates of anchors a few hundred points from the
// origin are good to about 3e-5 pt.
constexpr double kSingleTol = 1e-4;

void RunAll(CircleToolHost& h, const std::vector<Step>& steps) { h.Run(steps); }

Point At(Point a, double length, double degrees) {
  const double r = degrees * std::numbers::pi / 180;
  return {a.h + length * std::cos(r), a.v + length * std::sin(r)};
}

constexpr Point kA{100, 300}, kB{180, 300}, kC{140, 360};

// The diameter label the tool shows now, or "" when there is none.
std::string Label(CircleToolHost& h) {
  const std::vector<DrawCall> drawn = h.Drawn();
  const auto label = std::find_if(drawn.begin(), drawn.end(), [](const auto& d) { return d.kind == Kind::Text; });
  return label == drawn.end() ? "" : label->text;
}

bool HasAnchorNear(const Art& art, Point p) {
  return std::any_of(art.segments.begin(), art.segments.end(),
                     [&](const auto& s) { return std::hypot(s.p.h - p.h, s.p.v - p.v) < kSingleTol; });
}

TEST(CircleTool, EachGestureMakesTheCircleThroughItsPoints) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    Point centre;
    double radius;
    std::vector<Point> anchors;
  } cases[] = {
      {"drag out a diameter",
       {{Ev::Move, kA}, {Ev::Down, kA}, {Ev::Drag, {110, 300}}, {Ev::Drag, kB}, {Ev::Up, kB}},
       {140, 300}, 40, {kA, kB}},
      {"click one end, then the other",
       {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Move, {150, 320}}, {Ev::Down, kB}, {Ev::Up, kB}},
       {140, 300}, 40, {kA, kB}},
      {"a drag of 2 px is a click",
       {{Ev::Down, kA}, {Ev::Drag, {102, 300}}, {Ev::Up, {102, 300}}, {Ev::Down, kB}, {Ev::Up, kB}},
       {140, 300}, 40, {kA, kB}},
      // The circumcircle of A, B, C: centre on x = 140, equidistant from A and C.
      {"click, then press and drag to a third point",
       {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Down, kB}, {Ev::Drag, {170, 330}}, {Ev::Drag, kC}, {Ev::Up, kC}},
       {140, 950.0 / 3}, 0, {kA, kB, kC}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CircleToolHost h;
    RunAll(h, c.steps);
    const std::vector<ArtId> paths = h.Paths();
    ASSERT_EQ(paths.size(), 1u);
    const Art& circle = h.doc().art(paths[0]);
    // For the three-point case the radius follows from the centre.
    const double radius = c.radius > 0 ? c.radius : std::hypot(kA.h - c.centre.h, kA.v - c.centre.v);
    ExpectCircle(circle, c.centre, radius, kSingleTol);
    for (const Point& p : c.anchors) EXPECT_TRUE(HasAnchorAt(circle, p)) << p.h << ", " << p.v;
    EXPECT_NE(h.CursorName().find("16011"), std::string::npos) << "back to idle";
  }
}

TEST(CircleTool, TheNewCircleIsSelectedAloneWithItsCentreVisible) {
  CircleToolHost h;
  const ArtId other = h.AddPolyline({{10, 10}, {50, 50}});
  host::model::SetSelected(h.doc(), other, true);
  RunAll(h, {{Ev::Down, kA}, {Ev::Drag, kB}, {Ev::Up, kB}});
  const std::vector<ArtId> paths = h.Paths();
  ASSERT_EQ(paths.size(), 2u);
  const ArtId circle = paths[1];
  EXPECT_EQ(host::model::SelectedArt(h.doc()), std::vector<ArtId>{circle});
  EXPECT_TRUE(host::model::IsFullySelected(h.doc(), circle));
  EXPECT_TRUE(h.doc().art(circle).centerPointVisible);
  EXPECT_EQ(h->UndoDepth(), 1u) << "one undoable step for the gesture";
}

// Shift projects the cursor onto the nearest 45-degree ray from the first
// point, so a drag at 30 degrees gives a diameter at 45 degrees that is
// shorter than the drag by cos 15.
TEST(CircleTool, ShiftKeepsTheDiameterAtFortyFiveDegrees) {
  const Point end = At(kA, 100, 30);
  const double diameter = 100 * std::cos(std::numbers::pi / 12);
  const Point expectedEnd = At(kA, diameter, 45);
  const struct {
    const char* name;
    std::vector<Step> steps;
  } cases[] = {
      {"dragging the diameter",
       {{Ev::Down, kA}, {Ev::Drag, At(kA, 50, 30), kShift}, {Ev::Drag, end, kShift}, {Ev::Up, end, kShift}}},
      // A fast flick, or a host that merges drag events: the only drag is the
      // one that leaves the press, and it is constrained too.
      {"one drag event", {{Ev::Down, kA}, {Ev::Drag, end, kShift}, {Ev::Up, end, kShift}}},
      {"pressing the second end", {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Down, end, kShift}, {Ev::Up, end, kShift}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CircleToolHost h;
    RunAll(h, c.steps);
    ASSERT_EQ(h.Paths().size(), 1u);
    const Art& circle = h.doc().art(h.Paths()[0]);
    const Point centre{(kA.h + expectedEnd.h) / 2, (kA.v + expectedEnd.v) / 2};
    ExpectCircle(circle, centre, diameter / 2, kSingleTol);
    EXPECT_LT(diameter, 100);
  }
}

// After a Shift press on the second point, the drag that starts a third
// point is measured from where the hand pressed, not from the point Shift
// moved the press to (here 26 pt away).
TEST(CircleTool, DragAfterAShiftedSecondPressIsMeasuredFromThePress) {
  const Point end = At(kA, 100, 30);
  const double diameter = 100 * std::cos(std::numbers::pi / 12);
  const Point constrained = At(kA, diameter, 45);
  const struct {
    const char* name;
    double drag;  // view pixels (points at zoom 1) to the right of the press
    bool thirdPoint;
  } cases[] = {
      {"0.3 px is a click", 0.3, false},
      {"2.9 px is a click", 2.9, false},
      {"4 px drags a third point", 4, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CircleToolHost h;
    const Point third{end.h + c.drag, end.v};
    RunAll(h, {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Move, end, kShift}, {Ev::Down, end, kShift},
               {Ev::Drag, third, kShift}, {Ev::Up, third, kShift}});
    ASSERT_EQ(h.Paths().size(), 1u);
    const Art& circle = h.doc().art(h.Paths()[0]);
    EXPECT_TRUE(HasAnchorNear(circle, constrained));
    EXPECT_EQ(HasAnchorNear(circle, third), c.thirdPoint);
    if (!c.thirdPoint)
      ExpectCircle(circle, {(kA.h + constrained.h) / 2, (kA.v + constrained.v) / 2}, diameter / 2, kSingleTol);
  }
}

// Alt rounds the diameter to the first step longer than two screen pixels in
// the ruler unit, keeping its direction; the label shows the rounded length
// in that unit.
TEST(CircleTool, AltRoundsTheDiameterToAZoomDependentStep) {
  constexpr uint16_t kAlt = aiEventModifiers_optionKey;
  constexpr double kDrag = 103.7;
  constexpr double kPointsPerQ = 72 / 25.4 / 4;  // a quarter millimetre
  const struct {
    const char* name;
    double zoom;
    int16_t units;
    double diameter;
    const char* label;
  } cases[] = {
      {"points at zoom 1: steps of 5 pt", 1, kPointsUnits, 105, "105 pt"},
      {"points at zoom 0.5: still 5 pt", 0.5, kPointsUnits, 105, "105 pt"},
      {"points at zoom 4: steps of 1 pt", 4, kPointsUnits, 104, "104 pt"},
      {"millimetres at zoom 8: steps of 0.1 mm", 8, kMillimetersUnits, 36.6 * 72 / 25.4, "36.6 mm"},
      {"inches at zoom 1: steps of 0.1 in", 1, kInchesUnits, 1.4 * 72, "1.4 in"},
      {"Q at zoom 1: steps of 5 Q", 1, kQUnits, 145 * kPointsPerQ, "145"},
      {"Q at zoom 8: steps of 0.5 Q", 8, kQUnits, 146.5 * kPointsPerQ, "146.5"},
      {"picas at zoom 1: steps of 5 pt", 1, kPicasUnits, 105, "8p9.000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CircleToolHost h;
    h->SetZoom(c.zoom);
    h.doc().SetRulerUnits(c.units);
    const Point end = At(kA, kDrag, 20);
    RunAll(h, {{Ev::Down, kA}, {Ev::Drag, end, kAlt}});
    EXPECT_EQ(Label(h), c.label);
    RunAll(h, {{Ev::Up, end, kAlt}});
    ASSERT_EQ(h.Paths().size(), 1u);
    const Point far = At(kA, c.diameter, 20);
    ExpectCircle(h.doc().art(h.Paths()[0]), {(kA.h + far.h) / 2, (kA.v + far.v) / 2}, c.diameter / 2, kSingleTol);
  }
}

// With Alt the circle made has the rounded diameter the label showed, in
// every form of the gesture: the second press keeps the rounded end too.
TEST(CircleTool, AltMakesTheDiameterTheLabelShowed) {
  constexpr uint16_t kAlt = aiEventModifiers_optionKey;
  const Point end = At(kA, 103.7, 20);
  const Point far = At(kA, 105, 20);
  const struct {
    const char* name;
    std::vector<Step> shown;  // the label is read after these
    std::vector<Step> finish;
  } cases[] = {
      {"dragged", {{Ev::Down, kA}, {Ev::Drag, end, kAlt}}, {{Ev::Up, end, kAlt}}},
      {"clicked, moved, clicked",
       {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Move, end, kAlt}},
       {{Ev::Down, end, kAlt}, {Ev::Up, end, kAlt}}},
      {"clicked, then pressed away from the last move",
       {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Move, kC, kAlt}, {Ev::Down, end, kAlt}},
       {{Ev::Up, end, kAlt}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CircleToolHost h;
    RunAll(h, c.shown);
    EXPECT_EQ(Label(h), "105 pt");
    RunAll(h, c.finish);
    ASSERT_EQ(h.Paths().size(), 1u);
    ExpectCircle(h.doc().art(h.Paths()[0]), {(kA.h + far.h) / 2, (kA.v + far.v) / 2}, 52.5, kSingleTol);
  }
}

TEST(CircleTool, NoCircleFromCoincidentOrCollinearPoints) {
  const struct {
    const char* name;
    std::vector<Step> steps;
  } cases[] = {
      {"two clicks on one point", {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Down, kA}, {Ev::Up, kA}}},
      {"three points on a line",
       {{Ev::Down, kA}, {Ev::Up, kA}, {Ev::Down, kB}, {Ev::Drag, {220, 300}}, {Ev::Up, {220, 300}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CircleToolHost h;
    RunAll(h, c.steps);
    EXPECT_TRUE(h.Paths().empty());
    EXPECT_EQ(h->UndoDepth(), 0u);
    EXPECT_NE(h.CursorName().find("16011"), std::string::npos) << "back to idle";
    ASSERT_EQ(Send(*h, {Ev::Move, kC}), kNoErr);
    EXPECT_TRUE(h.Drawn().empty());
  }
}

// What the tool shows and which cursor it sets after every step of the two
// gestures: drag a diameter, then click and drag to a third point.
TEST(CircleTool, FeedbackAndCursorAfterEachStep) {
  const struct {
    Step step;
    const char* cursor;
    int lines, ellipses, texts;  // a plus mark is two lines
  } steps[] = {
      {{Ev::Move, kA}, "16011", 0, 0, 0},
      {{Ev::Down, kA}, "16011", 0, 0, 0},
      {{Ev::Drag, {102, 301}}, "16011", 0, 0, 0},       // within the drag threshold
      {{Ev::Drag, kB}, "16012", 5, 1, 1},               // P1, circle, centre, diameter, label
      {{Ev::Up, kB}, "16011", 0, 0, 0},                 // created
      {{Ev::Down, kA}, "16011", 0, 0, 0},
      {{Ev::Up, kA}, "16012", 2, 0, 0},                 // P2 = P1: only the first mark
      {{Ev::Move, {150, 320}}, "16012", 5, 1, 1},
      {{Ev::Down, kB}, "16012", 5, 1, 1},
      {{Ev::Drag, {181, 301}}, "16012", 5, 1, 1},       // within the threshold of the second press
      {{Ev::Drag, kC}, "16013", 6, 1, 0},               // P1, circle, centre, P2; no label
      {{Ev::Up, kC}, "16011", 0, 0, 0},
  };
  CircleToolHost h;
  int i = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE("step " + std::to_string(i++));
    const std::vector<DrawCall> drawn = h.StepAndDraw(s.step, s.cursor);
    EXPECT_EQ(Count(drawn, Kind::Line), s.lines);
    EXPECT_EQ(Count(drawn, Kind::Ellipse), s.ellipses);
    EXPECT_EQ(Count(drawn, Kind::Text), s.texts);
    EXPECT_EQ(static_cast<int>(drawn.size()), s.lines + s.ellipses + s.texts);
  }
  EXPECT_EQ(h.Paths().size(), 2u);
}

TEST(CircleTool, FeedbackIsAnAntialiasedOverlayInTheCurrentLayersColour) {
  CircleToolHost h;
  constexpr host::model::Rgb kLayerColour{0x1234, 0x5678, 0x9abc};
  h.doc().layer(h.doc().currentLayer()).color = kLayerColour;
  RunAll(h, {{Ev::Down, kA}, {Ev::Drag, kB}});
  ASSERT_EQ(h->DrawAnnotations(), kNoErr);
  const std::vector<DrawCall>& calls = h->Drawing();
  ASSERT_GE(calls.size(), 2u);
  EXPECT_EQ(calls[0].kind, Kind::SetDrawingMode);
  EXPECT_EQ(calls[1].kind, Kind::SetLineWidth);
  for (const DrawCall& c : calls) {
    if (!CircleToolHost::IsDrawing(c.kind)) continue;
    EXPECT_TRUE(c.antialiased && c.overlay);
    EXPECT_EQ(c.width, 1.5);
    EXPECT_EQ(c.color.red, kLayerColour.red);
    EXPECT_EQ(c.color.green, kLayerColour.green);
    EXPECT_EQ(c.color.blue, kLayerColour.blue);
  }
}

// The label shows the diameter in the document's ruler unit, 5 px right of
// and above the diameter's far end.
TEST(CircleTool, DiameterLabelInTheRulerUnit) {
  const struct {
    int16_t units;
    const char* text;
  } cases[] = {
      {kPointsUnits, "80 pt"},       {kMillimetersUnits, "28.222 mm"}, {kCentimetersUnits, "2.822 cm"},
      {kInchesUnits, "1.111 in"},    {kPicasUnits, "6p8.000"},         {kPixelsUnits, "80 px"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    CircleToolHost h;
    h.doc().SetRulerUnits(c.units);
    RunAll(h, {{Ev::Down, kA}, {Ev::Drag, kB}});
    const std::vector<DrawCall> drawn = h.Drawn();
    const auto label = std::find_if(drawn.begin(), drawn.end(), [](const auto& d) { return d.kind == Kind::Text; });
    ASSERT_NE(label, drawn.end());
    EXPECT_EQ(label->text, c.text);
    const AIPoint end = h->ArtworkToView({kB.h, kB.v});
    ASSERT_EQ(label->points.size(), 1u);
    EXPECT_EQ(label->points[0].h, end.h + 5);
    EXPECT_EQ(label->points[0].v, end.v - 5);
  }
}

// The area invalidated after an event (measured on the measuring surface)
// holds everything the drawing surface then draws; without a label, whose
// area runs to the view's edge, the two are the same box grown by 2 px.
TEST(CircleTool, InvalidatedAreaHoldsTheDrawnFeedback) {
  const std::vector<Step> steps = {{Ev::Move, kA},      {Ev::Down, kA}, {Ev::Drag, kB},   {Ev::Up, kB},
                                   {Ev::Down, kA},      {Ev::Up, kA},   {Ev::Move, kC},   {Ev::Down, kB},
                                   {Ev::Drag, {90, 350}}, {Ev::Drag, kC}, {Ev::Up, kC}};
  for (const double zoom : {1.0, 3.0, 0.25}) {
    CircleToolHost h;
    h->SetZoom(zoom);
    int i = 0;
    for (const Step& s : steps) {
      SCOPED_TRACE("zoom " + std::to_string(zoom) + " step " + std::to_string(i++));
      h->ClearInvalidatedRects();
      ASSERT_EQ(Send(*h, s), kNoErr);
      const std::vector<DrawCall> drawn = h.Drawn();
      const std::vector<AIRect>& rects = h->InvalidatedRects();
      if (drawn.empty()) continue;
      ASSERT_FALSE(rects.empty());
      const AIRect area = rects.back();
      const std::vector<AIPoint> touched = TouchedPoints(drawn);
      for (const AIPoint& p : touched) EXPECT_TRUE(Inside(p, area)) << p.h << ", " << p.v;
      if (Count(drawn, Kind::Text) > 0) continue;
      AIRect box{touched[0].h, touched[0].v, touched[0].h, touched[0].v};
      for (const AIPoint& p : touched)
        box = {std::min(box.left, p.h), std::min(box.top, p.v), std::max(box.right, p.h), std::max(box.bottom, p.v)};
      EXPECT_EQ(area.left, box.left - 2);
      EXPECT_EQ(area.top, box.top - 2);
      EXPECT_EQ(area.right, box.right + 2);
      EXPECT_EQ(area.bottom, box.bottom + 2);
    }
  }
}

// Where nothing can be created (the current layer is locked) a press is
// refused with the error cursor, and after a first click a refused second
// press keeps the first point.
TEST(CircleTool, PressWhereNothingCanBeCreatedIsRefused) {
  CircleToolHost h;
  host::model::Layer& layer = h.doc().layer(h.doc().currentLayer());
  layer.locked = true;
  for (const Step& s : std::vector<Step>{{Ev::Move, kA}, {Ev::Down, kA}, {Ev::Up, kA}}) {
    ASSERT_EQ(Send(*h, s), kNoErr);
    EXPECT_NE(h.CursorName().find("16500"), std::string::npos);
    EXPECT_TRUE(h.Drawn().empty());
  }
  layer.locked = false;
  RunAll(h, {{Ev::Down, kA}, {Ev::Up, kA}});
  layer.locked = true;
  RunAll(h, {{Ev::Move, kC}, {Ev::Down, kC}, {Ev::Up, kC}});
  EXPECT_NE(h.CursorName().find("16500"), std::string::npos);
  EXPECT_TRUE(h.Paths().empty());
  layer.locked = false;
  RunAll(h, {{Ev::Down, kB}, {Ev::Up, kB}});
  ASSERT_EQ(h.Paths().size(), 1u);
  ExpectCircle(h.doc().art(h.Paths()[0]), {140, 300}, 40, kSingleTol);
}

// The host's snapping moves the press onto a nearby anchor before the tool
// stores it.
TEST(CircleTool, PressSnapsToANearbyAnchor) {
  CircleToolHost h;
  h->SetSmartGuides(true);
  h.AddPolyline({{200, 200}, {260, 140}});
  RunAll(h, {{Ev::Down, {202, 201}}, {Ev::Drag, {300, 200}}, {Ev::Up, {300, 200}}});
  ASSERT_EQ(h.Paths().size(), 2u);
  const Art& circle = h.doc().art(h.Paths()[1]);
  EXPECT_TRUE(HasAnchorAt(circle, {200, 200}));
  ExpectCircle(circle, {250, 200}, 50, kSingleTol);
}

// Choosing another tool in the middle of a drag forgets the gesture.
TEST(CircleTool, DeselectingMidDragForgetsTheGesture) {
  CircleToolHost h;
  RunAll(h, {{Ev::Down, kA}, {Ev::Drag, kB}});
  ASSERT_EQ(h->SelectTool("QM Connect"), kNoErr);
  ASSERT_EQ(h->SelectTool(kCircleToolTitle), kNoErr);
  EXPECT_TRUE(h.Drawn().empty());
  RunAll(h, {{Ev::Up, kB}});
  EXPECT_TRUE(h.Paths().empty()) << "the release belongs to no gesture";
  RunAll(h, {{Ev::Down, kB}, {Ev::Drag, kC}, {Ev::Up, kC}});
  ASSERT_EQ(h.Paths().size(), 1u);
  ExpectCircle(h.doc().art(h.Paths()[0]), {160, 330}, std::hypot(20, 30), kSingleTol);
}

}  // namespace
}  // namespace plugin_test
