// "QM Tangent Line" and "QM Perpendicular Line" through the loaded module: the lines they make
// on curves (checked against the curves' own tangents), the anchors they insert, their
// gestures, feedback and cursors, and what a failing host call leaves behind.
#include "tests/plugin/LineToolHost.h"

namespace plugin_test::lines {
namespace {

using host::DrawCall;
using Kind = host::DrawCall::Kind;

constexpr const char* kTangentLine = "QM Tangent Line";
constexpr const char* kPerpendicularLine = "QM Perpendicular Line";

// Two circles side by side, the left one larger, so that no common tangent touches an anchor.
constexpr Point kC1{200, 300}, kC2{400, 300};
constexpr double kR1 = 50, kR2 = 30;

enum class Along { Tangent, Normal };

// The line from a to b meets the path at a with the given property: a lies on the path, and
// the path's tangent there is along the line (Tangent) or across it (Normal).
void ExpectContact(const Art& path, Point a, Point b, Along along) {
  const Foot f = NearestOnPath(path, a);
  EXPECT_LT(f.distance, kOnPathTol) << "contact off the path";
  const Point dir = b - a;
  const Point normal{-dir.v, dir.h};
  EXPECT_LT(AngleBetweenLines(f.tangent, along == Along::Tangent ? dir : normal), kAngleTol);
}

double SignedDistance(Point a, Point b, Point p) { return Cross(b - a, p - a) / Len(b - a); }

struct TwoCircles : LineToolHost {
  explicit TwoCircles(const char* tool)
      : LineToolHost(tool), c1(AddPaintedCircle()), c2(AddCircle(kC2, kR2)), before1(doc().art(c1)),
        before2(doc().art(c2)) {}
  // The first circle has a paint of its own, for the line to take.
  ArtId AddPaintedCircle() {
    const ArtId id = AddCircle(kC1, kR1);
    doc().art(id).paint = {host::model::Rgb{0xffff, 0, 0}, host::model::Rgb{0, 0, 0xffff}, 3};
    return id;
  }
  ArtId c1, c2;
  Art before1, before2;
};

TEST(LineTwoPaths, EachGestureMakesTheLineNearestThePicksOnTwoCircles) {
  const Point top1 = OnCircle(kC1, kR1, 80), top2 = OnCircle(kC2, kR2, 80);
  const struct {
    const char* name;
    const char* tool;
    std::vector<Step> steps;
    Along along;
    // The relation of the line to the circles' centres that tells which line it is.
    enum { CentresOnOneSide, CentresOnBothSides, ThroughCentres } which;
    bool keepsPaths;
    std::size_t anchors1, anchors2;
  } cases[] = {
      {"tangent, click and click: the outer tangent above", kTangentLine, Join({Click(top1), Click(top2)}),
       Along::Tangent, cases->CentresOnOneSide, false, 5, 5},
      {"tangent, press and drag: the outer tangent above", kTangentLine,
       {{Ev::Move, top1}, {Ev::Down, top1}, {Ev::Drag, {300, 340}}, {Ev::Drag, top2}, {Ev::Up, top2}},
       Along::Tangent, cases->CentresOnOneSide, false, 5, 5},
      {"tangent, picks on opposite sides: an inner tangent", kTangentLine,
       Join({Click(OnCircle(kC1, kR1, 60)), Click(OnCircle(kC2, kR2, 240))}), Along::Tangent,
       cases->CentresOnBothSides, false, 5, 5},
      {"tangent with Alt at the last update: the paths keep their anchors", kTangentLine,
       Join({Click(top1), Click(top2, kAlt)}), Along::Tangent, cases->CentresOnOneSide, true, 4, 4},
      {"perpendicular: the line through both centres, ending on existing anchors", kPerpendicularLine,
       Join({Click(OnCircle(kC1, kR1, 20)), Click(OnCircle(kC2, kR2, 200))}), Along::Normal, cases->ThroughCentres,
       false, 4, 4},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TwoCircles h(c.tool);
    h.Run(c.steps);
    const std::vector<ArtId> paths = h.Paths();
    ASSERT_EQ(paths.size(), 3u);
    const Art& line = h.doc().art(paths[2]);
    ExpectTwoAnchorLine(line);
    const Point a = line.segments[0].p, b = line.segments[1].p;
    ExpectContact(h.before1, a, b, c.along);
    ExpectContact(h.before2, b, a, c.along);
    const double s1 = SignedDistance(a, b, kC1), s2 = SignedDistance(a, b, kC2);
    switch (c.which) {
      case c.CentresOnOneSide: EXPECT_GT(s1 * s2, 0); EXPECT_GT(a.v, 300); EXPECT_GT(b.v, 300); break;
      case c.CentresOnBothSides: EXPECT_LT(s1 * s2, 0); break;
      case c.ThroughCentres: EXPECT_LT(std::abs(s1), 0.05); EXPECT_LT(std::abs(s2), 0.05); break;
    }
    const Art &after1 = h.doc().art(h.c1), &after2 = h.doc().art(h.c2);
    EXPECT_EQ(after1.segments.size(), c.anchors1);
    EXPECT_EQ(after2.segments.size(), c.anchors2);
    EXPECT_TRUE(HasAnchorAt(after1, a) || c.keepsPaths) << "the line ends on an anchor of the first circle";
    EXPECT_TRUE(HasAnchorAt(after2, b) || c.keepsPaths);
    if (c.keepsPaths) {
      EXPECT_TRUE(SameSegments(after1, h.before1) && SameSegments(after2, h.before2));
    }
    ExpectSameShape(h.before1, after1, 1e-4);
    EXPECT_EQ(line.paint, after1.paint) << "the line carries the first path's paint";
    EXPECT_EQ(host::model::SelectedArt(h.doc()), std::vector<ArtId>{paths[2]});
    EXPECT_EQ(h->UndoDepth(), 1u);
    EXPECT_EQ(h->LiveHitRefs(), 0);
  }
}

// Lines that must not be made, or not where a careless solve would make them.
TEST(LineTwoPaths, RefusedPicksAndRejectedContacts) {
  {
    SCOPED_TRACE("the same piece twice is refused; another piece of the same path is taken");
    LineToolHost h(kPerpendicularLine);
    const ArtId circle = h.AddCircle(kC1, kR1);
    h.Run(Join({Click(OnCircle(kC1, kR1, 100)), {{Ev::Move, OnCircle(kC1, kR1, 150)}}}));
    EXPECT_NE(h.CursorName().find("16024"), std::string::npos) << h.CursorName();
    h.Run({{Ev::Down, OnCircle(kC1, kR1, 150)}});
    EXPECT_NE(h.CursorName().find("16500"), std::string::npos) << h.CursorName();
    h.Run({{Ev::Up, OnCircle(kC1, kR1, 150)}});
    EXPECT_EQ(h.Paths().size(), 1u);
    const Art before = h.doc().art(circle);
    h.Run(Click(OnCircle(kC1, kR1, 300)));
    ASSERT_EQ(h.Paths().size(), 2u);
    const Art& line = h.doc().art(h.Paths()[1]);
    ExpectContact(before, line.segments[0].p, line.segments[1].p, Along::Normal);
    ExpectContact(before, line.segments[1].p, line.segments[0].p, Along::Normal);
    EXPECT_LT(std::abs(SignedDistance(line.segments[0].p, line.segments[1].p, kC1)), 0.05) << "a diameter";
  }
  {
    // A straight piece from (0, 0) to (100, 0) parametrised by x / 100 and a circle centred at
    // x = 99.99995: the common normal meets the piece at t = 0.9999995, which is its end.
    SCOPED_TRACE("a contact at t = 0.9999995 ends on the anchor and inserts none");
    LineToolHost h(kPerpendicularLine);
    const ArtId straight = h.AddPath({{{0, 0}, {0, 0}, {100.0 / 3, 0}, false}, {{100, 0}, {200.0 / 3, 0}, {100, 0}, false}},
                                     false);
    const Point centre{99.99995, 200};
    h.AddCircle(centre, 50);
    const Art before = h.doc().art(straight);
    h.Run(Join({Click({60, 0}), Click(OnCircle(centre, 50, 260))}));
    ASSERT_EQ(h.Paths().size(), 3u);
    const Art& line = h.doc().art(h.Paths()[2]);
    EXPECT_EQ(line.segments[0].p, (Point{100, 0}));
    EXPECT_TRUE(SameSegments(h.doc().art(straight), before));
  }
  {
    // Near the point where two circles touch, two points a few thousandths apart satisfy the
    // tangent equations within their tolerance: the line through them is the touching point.
    SCOPED_TRACE("circles that touch: no line at the touching point; the upper outer tangent, or nothing where the picks are too close to tell the circles apart");
    // At 10 degrees the picks lie so close to the touching point that nothing is made.
    const struct {
      double angle;
      bool makesLine;
    } picks[] = {{10, false}, {20, true}, {35, true}};
    for (const auto& p : picks) {
      LineToolHost h(kTangentLine);
      h.AddCircle({200, 300}, 50);
      h.AddCircle({300, 300}, 50);
      h.Run(Join({Click(OnCircle({200, 300}, 50, p.angle)), Click(OnCircle({300, 300}, 50, 180 - p.angle))}));
      ASSERT_EQ(h.Paths().size(), p.makesLine ? 3u : 2u) << p.angle;
      if (!p.makesLine) continue;
      const Art& line = h.doc().art(h.Paths()[2]);
      EXPECT_LT(Len(line.segments[0].p - Point{200, 350}), 0.01) << p.angle;
      EXPECT_LT(Len(line.segments[1].p - Point{300, 350}), 0.01) << p.angle;
    }
  }
  {
    SCOPED_TRACE("identical picks on empty canvas change nothing");
    LineToolHost h(kTangentLine);
    h.AddCircle(kC1, kR1);
    const host::model::Document before = h.doc();
    h.Run(Click({40, 40}));
    EXPECT_TRUE(h.doc() == before);
    EXPECT_EQ(h->UndoDepth(), 0u);
  }
}

// An arch whose leftmost and rightmost points are at t = 1/4 and 3/4, followed by a short
// straight tail: pointed at on the arch and on the tail, the common normal is the arch's own
// double normal, both contacts on one piece. The two cuts keep the shape and leave anchors
// exactly at the line's ends.
TEST(LineTwoPaths, BothContactsOnOnePieceGiveTwoAnchorsAndKeepTheShape) {
  LineToolHost h(kPerpendicularLine);
  constexpr double kEnd = 850.0 / 3;
  const std::vector<Segment> lens = {{{300, 100}, {300, 100}, {250, 200}, false},
                                     {{kEnd, 100}, {1000.0 / 3, 200}, {kEnd, 100 - 20.0 / 3}, false},
                                     {{kEnd, 80}, {kEnd, 80 + 20.0 / 3}, {kEnd, 80}, false}};
  const ArtId path = h.AddPath(lens, false);
  const Art before = h.doc().art(path);
  const Cubic arch = Pieces(before)[0];
  h.Run(Join({Click(arch.At(0.27)), Click({kEnd, 90})}));
  ASSERT_EQ(h.Paths().size(), 2u);
  const Art& line = h.doc().art(h.Paths()[1]);
  const Art& after = h.doc().art(path);
  const Point a = line.segments[0].p, b = line.segments[1].p;
  ExpectContact(before, a, b, Along::Normal);
  ExpectContact(before, b, a, Along::Normal);
  EXPECT_EQ(NearestOnPath(before, a).piece, 0u);
  EXPECT_EQ(NearestOnPath(before, b).piece, 0u);
  EXPECT_EQ(after.segments.size(), before.segments.size() + 2);
  EXPECT_TRUE(HasAnchorAt(after, a));
  EXPECT_TRUE(HasAnchorAt(after, b));
  ExpectSameShape(before, after, 1e-4);
}

// At a corner of a polygon every line through it solves the tangent equations; only a line
// that leaves the square on one side touches it. Pointed at near the square's top-left
// corner, the common tangent above the square and the circle touches the top-right corner.
TEST(LineTwoPaths, ATangentAtAPolygonCornerLeavesThePolygonOnOneSide) {
  LineToolHost h(kTangentLine);
  const std::vector<Point> corners = {{100, 100}, {200, 100}, {200, 200}, {100, 200}};
  std::vector<Segment> square;
  for (const Point& p : corners) square.push_back({p, p, p, true});
  h.AddPath(square, true);
  const ArtId circle = h.AddCircle({400, 150}, 30);
  const Art circleBefore = h.doc().art(circle);
  h.Run(Join({Click({101, 199}), Click(OnCircle({400, 150}, 30, 95))}));
  ASSERT_EQ(h.Paths().size(), 3u);
  const Art& line = h.doc().art(h.Paths()[2]);
  const Point a = line.segments[0].p, b = line.segments[1].p;
  for (const Point& p : corners) EXPECT_LE(SignedDistance(a, b, p), 1e-6) << p.h << ", " << p.v;
  EXPECT_EQ(a, (Point{200, 200}));
  ExpectContact(circleBefore, b, a, Along::Tangent);
}

TEST(LineTwoPaths, TheLineGoesAboveACompoundPathNotInsideIt) {
  LineToolHost h(kTangentLine);
  host::model::Document& d = h.doc();
  const ArtId compound = d.NewArt(host::model::ArtType::CompoundPath, {kPlaceInsideOnTop, d.layer(d.currentLayer()).group});
  const ArtId member = h.AddPath(CircleSegments(kC1, kR1), true, compound);
  h.AddCircle(kC2, kR2);
  h.Run(Join({Click(OnCircle(kC1, kR1, 100)), Click(OnCircle(kC2, kR2, 100))}));
  ASSERT_EQ(h.Paths().size(), 3u);
  const ArtId line = h.Paths()[2];
  EXPECT_EQ(d.art(line).parent(), d.art(compound).parent());
  const std::vector<ArtId>& siblings = d.art(d.art(compound).parent()).children();
  const auto at = std::find(siblings.begin(), siblings.end(), line);
  ASSERT_NE(at, siblings.end());
  ASSERT_NE(at + 1, siblings.end());
  EXPECT_EQ(*(at + 1), compound) << "directly in front of the compound path";
  EXPECT_EQ(d.art(compound).children().size(), 1u);
  EXPECT_EQ(d.art(line).paint, d.art(member).paint);
}

// The click gesture step by step: the cursor after every event and what the overlay shows
// (the rubber line, or the line found with a marker at each contact: 5 lines and 2 dots).
TEST(LineTwoPaths, FeedbackAndCursorAfterEachStep) {
  const Point p1 = OnCircle(kC1, kR1, 100), p2 = OnCircle(kC2, kR2, 100), empty{300, 100};
  const struct {
    Step step;
    const char* cursor;
    int lines, dots;
  } steps[] = {
      {{Ev::Move, {40, 40}}, "16024", 0, 0},
      {{Ev::Move, p1}, "16025", 0, 0},
      {{Ev::Move, p1, kAlt}, "16002", 0, 0},
      {{Ev::Move, {40, 40}, kAlt}, "16001", 0, 0},
      {{Ev::Down, p1}, "16024", 0, 0},
      {{Ev::Up, p1}, "16024", 1, 0},  // the same piece again: no second pick; the rubber line
      {{Ev::Move, empty}, "16024", 1, 0},
      {{Ev::Move, p2}, "16025", 5, 2},
      {{Ev::Move, p2, kAlt}, "16002", 5, 2},
      {{Ev::Down, empty}, "16500", 0, 0},
      {{Ev::Up, empty}, "16024", 1, 0},
      {{Ev::Down, p2}, "16024", 0, 0},
      {{Ev::Up, p2}, "16025", 0, 0},  // created; back to idle over a path
  };
  TwoCircles h(kTangentLine);
  int i = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE("step " + std::to_string(i++));
    const std::vector<DrawCall> drawn = h.StepAndDraw(s.step, s.cursor);
    EXPECT_EQ(Count(drawn, Kind::Line), s.lines);
    EXPECT_EQ(Count(drawn, Kind::Ellipse), s.dots);
  }
  EXPECT_EQ(h.Paths().size(), 3u);
}

// A host call that fails while the line is made or the anchors go in: its code comes back,
// and the document is as it was: no line, no anchor, no hit reference held.
TEST(LineTwoPaths, AFailingHostCallUndoesTheGesture) {
  const struct {
    const char* suite;
    const char* function;
    int nth;
  } faults[] = {
      {kAIArtSuite, "NewArt", 1},
      {kAIPathSuite, "SetPathSegmentCount", 1},   // the new line's anchors
      {kAIPathSuite, "InsertPathSegments", 1},    // the first anchor
      {kAIPathSuite, "InsertPathSegments", 2},    // the second, after the first went in
      {kAIPathSuite, "SetPathSegments", 4},       // the second cut's handles
      {kAIArtSuite, "TransferAttributes", 1},
      {kAIMatchingArtSuite, "DeselectAll", 1},
      {kAIArtSuite, "SetArtUserAttr", 1},
  };
  constexpr AIErr kInjected = SP_FOURCC('F', 'A', 'I', 'L');
  for (const auto& f : faults) {
    SCOPED_TRACE(std::string(f.function) + " #" + std::to_string(f.nth));
    TwoCircles h(kTangentLine);
    h.Run(Join({Click(OnCircle(kC1, kR1, 100)), {{Ev::Move, OnCircle(kC2, kR2, 100)}, {Ev::Down, OnCircle(kC2, kR2, 100)}}}));
    h->faults().Fail(f.suite, f.function, kInjected, f.nth);
    EXPECT_EQ(h->MouseUp({OnCircle(kC2, kR2, 100).h, OnCircle(kC2, kR2, 100).v}), kInjected);
    h->faults().Clear();
    EXPECT_EQ(h.Paths().size(), 2u) << "no half-made line";
    EXPECT_TRUE(SameSegments(h.doc().art(h.c1), h.before1)) << "no stray anchor";
    EXPECT_TRUE(SameSegments(h.doc().art(h.c2), h.before2));
    EXPECT_EQ(h->LiveHitRefs(), 0);
    // The tool goes on working.
    h.Run(Join({Click(OnCircle(kC1, kR1, 100)), Click(OnCircle(kC2, kR2, 100))}));
    EXPECT_EQ(h.Paths().size(), 3u);
  }
}

}  // namespace
}  // namespace plugin_test::lines
