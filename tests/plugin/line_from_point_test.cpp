// "QM Tangent to" and "QM Perpendicular to" through the loaded module: the line from a start
// point to a path, checked against the path's own tangent; its gestures, feedback, cursors,
// and what a failing host call leaves behind.
#include "tests/plugin/LineToolHost.h"

namespace plugin_test::lines {
namespace {

using host::DrawCall;
using Kind = host::DrawCall::Kind;

constexpr const char* kTangentTo = "QM Tangent to";
constexpr const char* kPerpendicularTo = "QM Perpendicular to";

constexpr Point kCentre{200, 300};
constexpr double kRadius = 50;

enum class Along { Tangent, Normal };

std::vector<Step> Drag(Point from, Point to, uint16_t modifiers = 0) {
  const Point mid{(from.h + to.h) / 2, (from.v + to.v) / 2};
  return {{Ev::Move, from, modifiers}, {Ev::Down, from, modifiers}, {Ev::Drag, mid, modifiers},
          {Ev::Drag, to, modifiers},   {Ev::Up, to, modifiers}};
}

struct OneCircle : LineToolHost {
  explicit OneCircle(const char* tool)
      : LineToolHost(tool), circle(AddCircle(kCentre, kRadius)), before(doc().art(circle)) {}
  ArtId circle;
  Art before;
};

TEST(LineFromPoint, EachGestureMakesTheLineFromTheStartToItsContact) {
  const Point outside{350, 320}, inside{210, 310};
  const struct {
    const char* name;
    const char* tool;
    Point start;
    std::vector<Step> steps;
    Along along;
    Point near;  // the contact lies within 1 pt of this point
    bool inserts;
  } cases[] = {
      {"tangent from outside, dragged to the upper side", kTangentTo, outside,
       Drag(outside, OnCircle(kCentre, kRadius, 80)), Along::Tangent, {0, 0}, true},
      {"tangent from outside, dragged to the lower side", kTangentTo, outside,
       Drag(outside, OnCircle(kCentre, kRadius, 280)), Along::Tangent, {0, 0}, true},
      {"tangent, click and click: made on the second press", kTangentTo, outside,
       Join({Click(outside), {{Ev::Move, OnCircle(kCentre, kRadius, 80)}, {Ev::Down, OnCircle(kCentre, kRadius, 80)}}}),
       Along::Tangent, {0, 0}, true},
      {"tangent with Alt: no anchor", kTangentTo, outside, Drag(outside, OnCircle(kCentre, kRadius, 80), kAlt),
       Along::Tangent, {0, 0}, false},
      {"perpendicular from inside: the foot point on the cursor's side", kPerpendicularTo, inside,
       Drag(inside, OnCircle(kCentre, kRadius, 220)), Along::Normal, OnCircle(kCentre, kRadius, 225), true},
      {"perpendicular from inside, the other foot point", kPerpendicularTo, inside,
       Drag(inside, OnCircle(kCentre, kRadius, 50)), Along::Normal, OnCircle(kCentre, kRadius, 45), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OneCircle h(c.tool);
    h.Run(c.steps);
    ASSERT_EQ(h.Paths().size(), 2u);
    const Art& line = h.doc().art(h.Paths()[1]);
    ExpectTwoAnchorLine(line);
    const Point a = line.segments[0].p, q = line.segments[1].p;
    EXPECT_EQ(a, c.start);
    const Foot f = NearestOnPath(h.before, q);
    EXPECT_LT(f.distance, kOnPathTol);
    const Point dir = q - a;
    EXPECT_LT(AngleBetweenLines(f.tangent, c.along == Along::Tangent ? dir : Point{-dir.v, dir.h}), kAngleTol);
    // The cursor's side decides which contact: the same side of the line through the start and
    // the centre as the last cursor point.
    const Point cursor = c.steps.back().p;
    if (c.along == Along::Tangent) {
      EXPECT_GT(Cross(kCentre - a, q - a) * Cross(kCentre - a, cursor - a), 0);
    }
    if (c.near.h != 0) {
      EXPECT_LT(Len(q - c.near), 1);
    }
    const Art& after = h.doc().art(h.circle);
    EXPECT_EQ(after.segments.size(), c.inserts ? 5u : 4u);
    if (c.inserts) {
      EXPECT_TRUE(HasAnchorAt(after, q));
    }
    ExpectSameShape(h.before, after, 1e-4);
    EXPECT_EQ(host::model::SelectedArt(h.doc()), std::vector<ArtId>{h.Paths()[1]});
    EXPECT_EQ(h->LiveHitRefs(), 0);
  }
}

TEST(LineFromPoint, NoLineOrAnotherContactWhereTheNearestWouldBeWrong) {
  {
    SCOPED_TRACE("tangent from inside the circle: none");
    OneCircle h(kTangentTo);
    h.Run(Drag({210, 310}, OnCircle(kCentre, kRadius, 80)));
    EXPECT_EQ(h.Paths().size(), 1u);
    EXPECT_TRUE(SameSegments(h.doc().art(h.circle), h.before));
    EXPECT_EQ(h->UndoDepth(), 0u);
  }
  {
    // The start is the circle's top anchor; the foot point there would be a line of no length.
    SCOPED_TRACE("perpendicular from a point on the path: the far foot point");
    OneCircle h(kPerpendicularTo);
    const Point top = OnCircle(kCentre, kRadius, 90);
    h.Run(Join({Click(top), Click(OnCircle(kCentre, kRadius, 60))}));
    ASSERT_EQ(h.Paths().size(), 2u);
    const Art& line = h.doc().art(h.Paths()[1]);
    EXPECT_EQ(line.segments[0].p, top);
    EXPECT_LT(Len(line.segments[1].p - OnCircle(kCentre, kRadius, 270)), 1e-3);
  }
  {
    // From (300, 150) the lines to the square's left corners cut it; pointed at near the
    // top-left corner, the tangent goes to the top-right corner instead.
    SCOPED_TRACE("tangent to a square: only a corner the line leaves on one side");
    LineToolHost h(kTangentTo);
    const std::vector<Point> corners = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
    std::vector<Segment> square;
    for (const Point& p : corners) square.push_back({p, p, p, true});
    h.AddPath(square, true);
    h.Run(Drag({300, 150}, {101, 199}));
    ASSERT_EQ(h.Paths().size(), 2u);
    const Art& line = h.doc().art(h.Paths()[1]);
    EXPECT_EQ(line.segments[1].p, (Point{200, 200}));
  }
}

// The drag gesture step by step; and a press where nothing may be drawn.
TEST(LineFromPoint, FeedbackAndCursorAfterEachStep) {
  const Point start{350, 320}, onPath = OnCircle(kCentre, kRadius, 80);
  const struct {
    Step step;
    const char* cursor;
    int lines, dots;
  } steps[] = {
      {{Ev::Move, start}, "16024", 0, 0},
      {{Ev::Move, start, kAlt}, "16001", 0, 0},
      {{Ev::Down, start}, "16024", 0, 0},
      {{Ev::Drag, {351, 321}}, "16024", 0, 0},  // within the drag threshold
      {{Ev::Drag, {300, 400}}, "16024", 1, 0},  // the rubber line
      {{Ev::Drag, onPath}, "16025", 3, 1},      // the line and the marker at the contact
      {{Ev::Drag, onPath, kAlt}, "16002", 3, 1},
      {{Ev::Up, onPath}, "16024", 0, 0},
  };
  OneCircle h(kTangentTo);
  int i = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE("step " + std::to_string(i++));
    const std::vector<DrawCall> drawn = h.StepAndDraw(s.step, s.cursor);
    EXPECT_EQ(Count(drawn, Kind::Line), s.lines);
    EXPECT_EQ(Count(drawn, Kind::Ellipse), s.dots);
  }
  EXPECT_EQ(h.Paths().size(), 2u);

  host::model::Layer& layer = h.doc().layer(h.doc().currentLayer());
  layer.locked = true;
  const host::model::Document before = h.doc();
  for (const Step& s : std::vector<Step>{{Ev::Move, start}, {Ev::Down, start}, {Ev::Up, start}}) {
    ASSERT_EQ(Send(*h, s), kNoErr);
    EXPECT_NE(h.CursorName().find("16500"), std::string::npos) << h.CursorName();
  }
  EXPECT_TRUE(h.doc() == before);
}

TEST(LineFromPoint, AFailingHostCallUndoesTheGesture) {
  const struct {
    const char* suite;
    const char* function;
    int nth;
  } faults[] = {
      {kAIArtSuite, "NewArt", 1},
      {kAIPathSuite, "SetPathSegments", 1},  // the new line's anchors
      {kAIMatchingArtSuite, "DeselectAll", 1},
      {kAIPathSuite, "InsertPathSegments", 1},
  };
  constexpr AIErr kInjected = SP_FOURCC('F', 'A', 'I', 'L');
  const Point start{350, 320}, onPath = OnCircle(kCentre, kRadius, 80);
  for (const auto& f : faults) {
    SCOPED_TRACE(f.function);
    OneCircle h(kTangentTo);
    h.Run({{Ev::Move, start}, {Ev::Down, start}, {Ev::Drag, {300, 400}}, {Ev::Drag, onPath}});
    h->faults().Fail(f.suite, f.function, kInjected, f.nth);
    EXPECT_EQ(h->MouseUp({onPath.h, onPath.v}), kInjected);
    h->faults().Clear();
    EXPECT_EQ(h.Paths().size(), 1u);
    EXPECT_TRUE(SameSegments(h.doc().art(h.circle), h.before));
    EXPECT_EQ(h->LiveHitRefs(), 0);
  }
}

}  // namespace
}  // namespace plugin_test::lines
