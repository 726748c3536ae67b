// "QM Arc by three points" and "QM Arc start-end-direction" through the
// loaded module: the arcs and pie wedges they make, their gestures and
// modifiers, their feedback and cursors, and failures during creation.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "tests/plugin/GestureSteps.h"

namespace plugin_test {
namespace {

using host::DrawCall;
using host::model::Art;
using host::model::ArtId;
using host::model::Point;
using host::model::Segment;
using Kind = host::DrawCall::Kind;

constexpr const char* kArc3Pt = "QM Arc by three points";
constexpr const char* kArcSED = "QM Arc start-end-direction";

// Single-precision coordinates of anchors a few hundred points from the
// origin are good to about 3e-5 pt.
constexpr double kSingleTol = 1e-4;


// The centre of the circle through a, b and c, from the two equations
// |x - a|^2 = |x - b|^2 and |x - a|^2 = |x - c|^2 solved by Cramer's rule.
Point Circumcentre(Point a, Point b, Point c) {
  const double a1 = 2 * (b.h - a.h), b1 = 2 * (b.v - a.v);
  const double c1 = b.h * b.h + b.v * b.v - a.h * a.h - a.v * a.v;
  const double a2 = 2 * (c.h - a.h), b2 = 2 * (c.v - a.v);
  const double c2 = c.h * c.h + c.v * c.v - a.h * a.h - a.v * a.v;
  const double det = a1 * b2 - a2 * b1;
  return {(c1 * b2 - c2 * b1) / det, (a1 * c2 - a2 * c1) / det};
}

// The anchors of the arc itself (a pie wedge's last anchor is its centre).
std::vector<Segment> ArcAnchors(const Art& art, bool pie) {
  std::vector<Segment> anchors = art.segments;
  if (pie && !anchors.empty()) anchors.pop_back();
  return anchors;
}

// Checks that the path's arc runs from start to end on one circle, with
// smooth inner anchors, and returns that circle's centre (found from the
// arc's own first, middle and last points, not from the tool).
Point ExpectCircularArc(const Art& art, Point start, Point end, bool pie) {
  const std::vector<Segment> anchors = ArcAnchors(art, pie);
  EXPECT_GE(anchors.size(), 2u);
  if (anchors.size() < 2) return {};
  EXPECT_NEAR(Dist(anchors.front().p, start), 0, kSingleTol) << "starts on the first placed point";
  EXPECT_NEAR(Dist(anchors.back().p, end), 0, kSingleTol) << "ends on its placed point";
  const Point mid = PieceAt(anchors[0], anchors[1], 0.5);
  const Point centre = Circumcentre(anchors.front().p, mid, anchors.back().p);
  const double r = Dist(centre, start);
  for (std::size_t i = 0; i + 1 < anchors.size(); ++i) {
    for (const double t : {0.0, 0.25, 0.5, 0.75, 1.0})
      EXPECT_NEAR(Dist(PieceAt(anchors[i], anchors[i + 1], t), centre), r, 1e-3 + 3e-4 * r) << "piece " << i;
    if (i == 0) continue;
    const Segment& s = anchors[i];
    EXPECT_FALSE(s.corner) << "inner anchor " << i;
    const Point in = Minus(s.p, s.in), out = Minus(s.out, s.p);
    EXPECT_NEAR(Cross(in, out) / (std::hypot(in.h, in.v) * std::hypot(out.h, out.v)), 0, 1e-5) << "smooth " << i;
  }
  EXPECT_TRUE(anchors.front().in == anchors.front().p) << "no handle before the start";
  EXPECT_TRUE(anchors.back().out == anchors.back().p) << "no handle after the end";
  return centre;
}

// The unit direction in which the path leaves its first anchor.
Point LeavingDirection(const Art& art) {
  const Segment& s = art.segments.front();
  const Point d = Minus(s.out, s.p);
  const double len = std::hypot(d.h, d.v);
  return {d.h / len, d.v / len};
}

// Whether d points along v (parallel, same sense) within an angle of about tol radians.
void ExpectAlong(Point d, Point v, double tol) {
  const double len = std::hypot(v.h, v.v);
  EXPECT_NEAR(Cross(d, v) / len, 0, tol);
  EXPECT_GT(d.h * v.h + d.v * v.v, 0);
}

class ArcHost : public ToolHost {
 public:
  explicit ArcHost(const char* title) : ToolHost(title) {}
  const Art& OnlyPath() {
    const std::vector<ArtId> paths = Paths();
    EXPECT_EQ(paths.size(), 1u);
    return doc().art(paths.back());
  }
};

constexpr Point kP1{100, 300}, kP2{200, 300}, kP3{150, 340};

TEST(ArcTools, EachGestureMakesTheArcThroughTheThreePoints) {
  const Point below{150, 240};  // beyond the short side: the long way round
  const struct {
    const char* name;
    std::vector<Step> steps;
    Point third;
  } cases[] = {
      {"click, click, click", Then(Then(Click(kP1), Click(kP2)), Click(kP3)), kP3},
      {"drag the chord, click the third", Then(DragTo(kP1, kP2), Click(kP3)), kP3},
      {"click, press the second and drag to the third", Then(Click(kP1), DragTo(kP2, kP3)), kP3},
      {"drag the chord, press and drag to the third", Then(DragTo(kP1, kP2), DragTo({150, 320}, kP3)), kP3},
      {"third point below the chord", Then(DragTo(kP1, kP2), Click(below)), below},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ArcHost h(kArc3Pt);
    RunAll(h, c.steps);
    const Art& arc = h.OnlyPath();
    EXPECT_FALSE(arc.closed);
    const Point centre = ExpectCircularArc(arc, kP1, kP2, false);
    const Point expected = Circumcentre(kP1, kP2, c.third);
    EXPECT_NEAR(Dist(centre, expected), 0, 1e-3);
    const double r = Dist(expected, kP1);
    EXPECT_NEAR(Dist(expected, kP2), r, 1e-9);
    EXPECT_NEAR(Dist(expected, c.third), r, 1e-9);
    EXPECT_LT(DistanceToPath(arc, c.third), 1e-3 + 3e-4 * r) << "passes through the third point";
    EXPECT_EQ(host::model::SelectedArt(h.doc()), std::vector<ArtId>{h.Paths().back()});
    EXPECT_EQ(h->UndoDepth(), 1u);
    EXPECT_NE(h.CursorName().find("16011"), std::string::npos) << "back to idle";
  }
}

// Pieces of at most a quarter turn (and a little): 90 degrees is one piece,
// 180 two, 270 three.
TEST(ArcTools, PiecesOfAtMostAQuarterTurn) {
  const Point c{100, 300};
  const struct {
    double endDegrees, throughDegrees;
    std::size_t anchors;
  } cases[] = {{90, 45, 2}, {180, 90, 3}, {270, 135, 4}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.endDegrees);
    ArcHost h(kArc3Pt);
    const Point start = At(c, 50, 0), end = At(c, 50, k.endDegrees);
    RunAll(h, Then(Then(Click(start), Click(end)), Click(At(c, 50, k.throughDegrees))));
    const Art& arc = h.OnlyPath();
    EXPECT_EQ(arc.segments.size(), k.anchors);
    EXPECT_NEAR(Dist(ExpectCircularArc(arc, start, end, false), c), 0, 1e-3);
  }
}

TEST(ArcTools, StartEndDirectionArcLeavesAlongTheDirection) {
  const Point towards{130, 360};
  const struct {
    const char* name;
    uint16_t modifiers;
    Point start, end;
  } cases[] = {
      {"from the first point", 0, kP1, kP2},
      {"with Alt, from the second point", kAlt, kP2, kP1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ArcHost h(kArcSED);
    RunAll(h, Then(Then(Click(kP1), Click(kP2)), Click(towards, c.modifiers)));
    const Art& arc = h.OnlyPath();
    const Point centre = ExpectCircularArc(arc, c.start, c.end, false);
    ExpectAlong(LeavingDirection(arc), Minus(towards, c.start), 1e-5);
    // The tangent there is at right angles to the radius.
    const Point radius = Minus(c.start, centre);
    const Point d = LeavingDirection(arc);
    EXPECT_NEAR((radius.h * d.h + radius.v * d.v) / std::hypot(radius.h, radius.v), 0, 1e-5);
  }
}

TEST(ArcTools, CtrlMakesAClosedPieWedge) {
  const struct {
    const char* title;
    Point third;
  } cases[] = {{kArc3Pt, kP3}, {kArcSED, {130, 360}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    ArcHost h(c.title);
    RunAll(h, Then(Then(Click(kP1), Click(kP2)), {{Ev::Move, c.third, kCtrl}}));
    EXPECT_NE(h.CursorName().find("16014"), std::string::npos) << "the pie cursor";
    RunAll(h, Click(c.third, kCtrl));
    const Art& pie = h.OnlyPath();
    EXPECT_TRUE(pie.closed);
    const Point centre = ExpectCircularArc(pie, kP1, kP2, true);
    const Segment& apex = pie.segments.back();
    EXPECT_NEAR(Dist(apex.p, centre), 0, 1e-3) << "the last anchor is the centre";
    EXPECT_TRUE(apex.corner && apex.in == apex.p && apex.out == apex.p);
    const Segment& first = pie.segments.front();
    const Segment& arcEnd = pie.segments[pie.segments.size() - 2];
    EXPECT_TRUE(first.corner && arcEnd.corner) << "both ends of the arc are corners";
    // The radii are straight: nothing but retracted handles between the arc's ends and the centre.
    EXPECT_TRUE(arcEnd.out == arcEnd.p && first.in == first.p);
  }
}

// Shift keeps the chord at 45-degree steps from the first point (dragged or
// clicked: the point placed is the one the preview showed) and, for the
// start-end-direction tool, the direction too, about the point it leaves.
TEST(ArcTools, ShiftConstrainsThePointsEachToolNames) {
  const Point tilted = At(kP1, 100, 30);
  const Point chordEnd = At(kP1, 100 * std::cos(std::numbers::pi / 12), 45);
  const Point towards = At(kP1, 60, 80);
  const struct {
    const char* name;
    const char* title;
    std::vector<Step> steps;
    Point start, end;
    std::optional<Point> leaving;  // the direction the arc leaves its start in
    std::optional<Point> through;
  } cases[] = {
      {"dragged chord", kArc3Pt, Then(DragTo(kP1, tilted, kShift), Click(kP3)), kP1, chordEnd, {}, kP3},
      {"clicked chord", kArc3Pt, Then(Then(Click(kP1), Click(tilted, kShift)), Click(kP3)), kP1, chordEnd, {}, kP3},
      {"the third point is free", kArc3Pt, Then(Then(Click(kP1), Click(kP2)), Click(kP3, kShift)), kP1, kP2, {}, kP3},
      {"direction from the first point", kArcSED, Then(Then(Click(kP1), Click(kP2)), Click(towards, kShift)), kP1,
       kP2, Point{0, 1}, {}},
      {"direction from the second point with Alt", kArcSED,
       Then(Then(Click(kP1), Click(kP2)), Click(At(kP2, 60, 100), kShift | kAlt)), kP2, kP1, Point{0, 1}, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ArcHost h(c.title);
    RunAll(h, c.steps);
    const Art& arc = h.OnlyPath();
    const Point centre = ExpectCircularArc(arc, c.start, c.end, false);
    if (c.leaving) ExpectAlong(LeavingDirection(arc), *c.leaving, 1e-5);
    if (c.through) {
      EXPECT_LT(DistanceToPath(arc, *c.through), 1e-3 + 3e-4 * Dist(centre, c.start));
    }
  }
}

// A change of the modifier keys while the third point is placed redraws the
// preview at once with the keys the host announces.
TEST(ArcTools, AModifierChangeRecomputesThePreview) {
  ArcHost h(kArcSED);
  const Point towards{130, 360};
  RunAll(h, Then(Then(Click(kP1), Click(kP2)), {{Ev::Move, towards}}));
  const auto directionFrom = [&](Point anchor) {
    const AIPoint a = h->ArtworkToView({anchor.h, anchor.v}), b = h->ArtworkToView({towards.h, towards.v});
    const std::vector<DrawCall> drawn = h.Drawn();
    return std::any_of(drawn.begin(), drawn.end(), [&](const DrawCall& d) {
      return d.kind == Kind::Line && d.points.size() == 2 && d.points[0].h == a.h && d.points[0].v == a.v &&
             d.points[1].h == b.h && d.points[1].v == b.v;
    });
  };
  EXPECT_TRUE(directionFrom(kP1));
  const int plain = Count(h.Drawn(), Kind::Line);
  ASSERT_EQ(h->SetModifiers(kAlt), kNoErr);
  EXPECT_TRUE(directionFrom(kP2)) << "Alt takes the direction at the second point";
  ASSERT_EQ(h->SetModifiers(kAlt | kCtrl), kNoErr);
  EXPECT_EQ(Count(h.Drawn(), Kind::Line), plain + 2) << "Ctrl adds the two radii";
  EXPECT_NE(h.CursorName().find("16014"), std::string::npos) << "and shows the wedge cursor at once";
  ASSERT_EQ(h->SetModifiers(0), kNoErr);
  EXPECT_TRUE(directionFrom(kP1));
  EXPECT_EQ(Count(h.Drawn(), Kind::Line), plain);
  EXPECT_TRUE(h.Paths().empty());
}

// Shift going down while the second point is placed constrains the chord
// at once.
TEST(ArcTools, ShiftAnnouncedWhilePlacingTheSecondPointConstrainsTheChord) {
  ArcHost h(kArc3Pt);
  const Point tilted = At(kP1, 100, 30);
  const Point chordEnd = At(kP1, 100 * std::cos(std::numbers::pi / 12), 45);
  RunAll(h, Then(Click(kP1), {{Ev::Move, tilted}}));
  const auto chordTo = [&](Point end) {
    const AIPoint a = h->ArtworkToView({kP1.h, kP1.v}), b = h->ArtworkToView({end.h, end.v});
    const std::vector<DrawCall> drawn = h.Drawn();
    return std::any_of(drawn.begin(), drawn.end(), [&](const DrawCall& d) {
      return d.kind == Kind::Line && d.points.size() == 2 && d.points[0].h == a.h && d.points[0].v == a.v &&
             d.points[1].h == b.h && d.points[1].v == b.v;
    });
  };
  EXPECT_TRUE(chordTo(tilted));
  ASSERT_EQ(h->SetModifiers(kShift), kNoErr);
  EXPECT_TRUE(chordTo(chordEnd));
  ASSERT_EQ(h->SetModifiers(0), kNoErr);
  EXPECT_TRUE(chordTo(tilted));
}

TEST(ArcTools, NoArcFromDegeneratePoints) {
  const struct {
    const char* name;
    const char* title;
    Point third;
  } cases[] = {
      {"three points on a line", kArc3Pt, {250, 300}},
      {"third point on the first", kArc3Pt, kP1},
      {"direction along the chord", kArcSED, {150, 300}},
      {"no direction", kArcSED, kP1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ArcHost h(c.title);
    RunAll(h, Then(Click(kP1), Click(kP2)));
    RunAll(h, {{Ev::Move, c.third}});
    const std::vector<DrawCall> drawn = h.Drawn();
    EXPECT_EQ(Count(drawn, Kind::Bezier), 0) << "no arc in the preview";
    EXPECT_GE(Count(drawn, Kind::Line), 4) << "the two placed points are still marked";
    RunAll(h, {{Ev::Down, c.third}, {Ev::Up, c.third}});
    EXPECT_TRUE(h.Paths().empty());
    EXPECT_EQ(h->UndoDepth(), 0u);
    EXPECT_NE(h.CursorName().find("16011"), std::string::npos) << "back to idle";
  }
}

// What the tool shows and which cursor it sets after every step of the
// gesture: drag the chord, then press and drag out the third point.
TEST(ArcTools, FeedbackAndCursorAfterEachStep) {
  const struct {
    Step step;
    const char* cursor;
    int lines, beziers;  // a plus mark is two lines
  } steps[] = {
      {{Ev::Move, kP1}, "16011", 0, 0},
      {{Ev::Down, kP1}, "16011", 0, 0},
      {{Ev::Drag, {101, 301}}, "16011", 0, 0},  // within the drag threshold
      {{Ev::Drag, kP2}, "16012", 3, 0},         // first point and chord
      {{Ev::Up, kP2}, "16013", 4, 0},           // third point on the second: no arc
      {{Ev::Move, kP3}, "16013", 6, 2},         // two marks, the arc (half a turn or less: 2 pieces), centre
      {{Ev::Down, kP3}, "16013", 6, 2},
      {{Ev::Drag, {150, 341}}, "16013", 6, 2},
      {{Ev::Drag, {150, 350}}, "16013", 6, 2},
      {{Ev::Up, {150, 350}}, "16011", 0, 0},
  };
  ArcHost h(kArc3Pt);
  int i = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE("step " + std::to_string(i++));
    const std::vector<DrawCall> drawn = h.StepAndDraw(s.step, s.cursor);
    EXPECT_EQ(Count(drawn, Kind::Line), s.lines);
    EXPECT_EQ(Count(drawn, Kind::Bezier), s.beziers);
  }
  ExpectCircularArc(h.OnlyPath(), kP1, kP2, false);
}

TEST(ArcTools, PressWhereNothingCanBeCreatedIsIgnored) {
  ArcHost h(kArc3Pt);
  host::model::Layer& layer = h.doc().layer(h.doc().currentLayer());
  layer.locked = true;
  for (const Step& s : Then(Click(kP1), Click(kP2))) {
    ASSERT_EQ(Send(*h, s), kNoErr);
    EXPECT_NE(h.CursorName().find("16500"), std::string::npos);
    EXPECT_TRUE(h.Drawn().empty());
  }
  EXPECT_TRUE(h.Paths().empty());
}

// A host call that fails while the arc is made comes back as the gesture's
// error, and leaves no half-made path behind.
TEST(ArcTools, AFailureDuringCreationLeavesNoArc) {
  constexpr AIErr kInjected = SP_FOURCC('F', 'A', 'I', 'L');
  const struct {
    const char* suite;
    const char* function;
  } cases[] = {
      {kAIArtSuite, "GetInsertionPoint"}, {kAIArtSuite, "NewArt"},          {kAIPathSuite, "SetPathSegmentCount"},
      {kAIPathSuite, "SetPathSegments"},  {kAIPathSuite, "SetPathClosed"},   {kAIMatchingArtSuite, "DeselectAll"},
      {kAIArtSuite, "SetArtUserAttr"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.function);
    ArcHost h(kArc3Pt);
    const ArtId other = h.AddPolyline({{10, 10}, {50, 50}});
    RunAll(h, Then(Then(Click(kP1), Click(kP2)), {{Ev::Move, kP3, kCtrl}, {Ev::Down, kP3, kCtrl}}));
    h->faults().Fail(c.suite, c.function, kInjected, 1);
    EXPECT_EQ(h->MouseUp({kP3.h, kP3.v}, kCtrl), kInjected);
    EXPECT_EQ(h.Paths(), std::vector<ArtId>{other}) << "no half-made arc";
    EXPECT_EQ(h->LiveHitRefs(), 0);
  }
}

}  // namespace
}  // namespace plugin_test
