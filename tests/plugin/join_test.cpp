// "QM Connect" through the loaded module: the joined paths for every pairing
// of ends, the tangents at both joints, closing one path, what is not an end,
// the adjusting handle, undo, and host failures during the rewrite.
#include <algorithm>

#include "host/model/Workspace.h"
#include "tests/plugin/EditToolHost.h"

namespace plugin_test {
namespace {

using host::model::Art;
using host::model::ArtId;
using host::model::Document;
using host::model::Point;
using host::model::Segment;
using Kind = host::DrawCall::Kind;

constexpr const char* kTitle = "QM Connect";
constexpr double kSingleTol = 1e-4;
constexpr double kTangentTol = 1e-9;  // rad

// First path: leaves both its ends downwards (vertical end handles).
const std::vector<Segment> kPathA = {
    {{100, 100}, {100, 100}, {100, 130}, true},
    {{150, 160}, {130, 160}, {170, 160}, false},
    {{200, 100}, {200, 130}, {200, 100}, true},
};
// Second path: a straight line whose end handle is retracted, so its end
// direction comes from its first anchor's handle.
const std::vector<Segment> kPathB = {
    {{300, 40}, {300, 40}, {330, 40}, true},
    {{400, 40}, {400, 40}, {400, 40}, true},
};
// Something else in the document that no join may touch.
const std::vector<Segment> kBystander = {
    {{50, 300}, {50, 300}, {80, 330}, true},
    {{150, 300}, {120, 330}, {150, 300}, true},
};

// The same outline run the other way.
std::vector<Segment> Reversed(std::vector<Segment> s) {
  std::reverse(s.begin(), s.end());
  for (Segment& x : s) std::swap(x.in, x.out);
  return s;
}

// The direction in which the path leaves through its end anchor `index`
// (0: start), from the end piece's derivative.
Point OutwardDirection(const std::vector<Segment>& s, std::size_t index) {
  const bool atStart = index == 0;
  const Segment& end = s[index];
  const Segment& next = s[atStart ? 1 : index - 1];
  const Point inner = atStart ? end.out : end.in;
  const Point d = Minus(end.p, inner);
  if (Norm(d) > 1e-9) return d;
  return Minus(end.p, atStart ? next.in : next.out);
}

struct Fixture {
  EditToolHost h{kTitle};
  ArtId a = h.AddPath(kPathA);
  ArtId b = h.AddPath(kPathB);
  ArtId other = h.AddPath(kBystander);
};

std::vector<Step> ClickThenClick(Point first, Point second) {
  return {{Ev::Move, first}, {Ev::Down, first}, {Ev::Up, first}, {Ev::Move, second}, {Ev::Down, second}};
}

std::vector<Step> DragTo(Point first, Point second) {
  std::vector<Step> steps = DragSteps(first, second);
  steps.pop_back();  // the release is sent by the test
  return steps;
}

TEST(ConnectTool, JoinsEveryPairingOfEndsSmoothly) {
  const struct {
    const char* name;
    std::size_t firstIndex, secondIndex;  // anchors of A and B
    bool clickClick;
  } cases[] = {
      {"end of A to start of B, dragged", 2, 0, false},
      {"end of A to end of B, dragged", 2, 1, false},
      {"start of A to start of B, dragged", 0, 0, false},
      {"start of A to end of B, dragged", 0, 1, false},
      {"end of A to start of B, clicked", 2, 0, true},
      {"start of B to end of A, clicked", 0, 2, true},  // B is the first path here
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    const bool bFirst = c.secondIndex == 2;
    const ArtId firstArt = bFirst ? f.b : f.a, secondArt = bFirst ? f.a : f.b;
    const std::vector<Segment>& firstPath = bFirst ? kPathB : kPathA;
    const std::vector<Segment>& secondPath = bFirst ? kPathA : kPathB;
    const Point e1 = firstPath[c.firstIndex].p, e2 = secondPath[c.secondIndex].p;
    const std::vector<Step> steps = c.clickClick ? ClickThenClick(e1, e2) : DragTo(e1, e2);
    // The gesture that joins begins at the last press (with the moves before
    // it); undo takes it back whole.
    auto lastPress = std::find_if(steps.rbegin(), steps.rend(), [](const Step& s) { return s.ev == Ev::Down; }).base() - 1;
    while (lastPress != steps.begin() && (lastPress - 1)->ev == Ev::Move) --lastPress;
    RunAll(*f.h, {steps.begin(), lastPress});
    const Document beforeGesture = f.h.doc();
    RunAll(*f.h, {lastPress, steps.end()});
    const Document beforeRelease = f.h.doc();
    ASSERT_EQ(f.h->MouseUp({e2.h, e2.v}), kNoErr);

    // The second path is gone, the first holds everything, the bystander is as it was.
    EXPECT_FALSE(f.h.doc().Contains(secondArt));
    ASSERT_TRUE(f.h.doc().Contains(firstArt));
    EXPECT_EQ(f.h.doc().art(f.other), beforeRelease.art(f.other));
    const Art& joined = f.h.doc().art(firstArt);
    EXPECT_FALSE(joined.closed);
    const std::vector<Segment> lead = c.firstIndex == 0 ? Reversed(firstPath) : firstPath;
    const std::vector<Segment> tail = c.secondIndex == 0 ? secondPath : Reversed(secondPath);
    ASSERT_EQ(joined.segments.size(), lead.size() + tail.size());
    const std::size_t j1 = lead.size() - 1, j2 = lead.size();
    for (std::size_t i = 0; i < lead.size(); ++i) EXPECT_EQ(joined.segments[i].p, lead[i].p) << i;
    for (std::size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(joined.segments[j2 + i].p, tail[i].p) << i;
    // Away from the joints every handle is the path's own.
    for (std::size_t i = 0; i < j1; ++i) EXPECT_TRUE(SameGeometry(joined.segments[i], lead[i])) << i;
    for (std::size_t i = 1; i < tail.size(); ++i) EXPECT_TRUE(SameGeometry(joined.segments[j2 + i], tail[i])) << i;
    EXPECT_EQ(joined.segments[j1].in, lead[j1].in);
    EXPECT_EQ(joined.segments[j2].out, tail[0].out);

    // The connection leaves each end along its path's tangent, a third of the
    // chord long, and both joints are smooth.
    const Segment& s1 = joined.segments[j1];
    const Segment& s2 = joined.segments[j2];
    const double chord = Norm(Minus(s2.p, s1.p));
    EXPECT_LT(AngleBetween(Minus(s1.out, s1.p), OutwardDirection(firstPath, c.firstIndex)), kTangentTol);
    EXPECT_LT(AngleBetween(Minus(s2.in, s2.p), OutwardDirection(secondPath, c.secondIndex)), kTangentTol);
    EXPECT_NEAR(Norm(Minus(s1.out, s1.p)), chord / 3, kSingleTol);
    EXPECT_NEAR(Norm(Minus(s2.in, s2.p)), chord / 3, kSingleTol);
    EXPECT_FALSE(s1.corner);
    EXPECT_FALSE(s2.corner);

    // The result alone is selected, and undo takes the gesture back whole.
    EXPECT_EQ(host::model::SelectedArt(f.h.doc()), std::vector<ArtId>{firstArt});
    EXPECT_TRUE(host::model::IsFullySelected(f.h.doc(), firstArt));
    ASSERT_TRUE(f.h->Undo());
    EXPECT_EQ(f.h.doc(), beforeGesture);
    EXPECT_TRUE(SameGeometry(f.h.doc().art(f.a).segments, kPathA));
    EXPECT_TRUE(SameGeometry(f.h.doc().art(f.b).segments, kPathB));
  }
}

// A press picks at its own point, whatever the cursor last passed over.
TEST(ConnectTool, APressPicksAtItsOwnPoint) {
  Fixture f;
  RunAll(*f.h, {{Ev::Move, {500, 500}}, {Ev::Down, kPathA[2].p}, {Ev::Drag, {250, 70}}, {Ev::Drag, kPathB[0].p},
                {Ev::Up, kPathB[0].p}});
  EXPECT_FALSE(f.h.doc().Contains(f.b));
  EXPECT_EQ(f.h.doc().art(f.a).segments.size(), kPathA.size() + kPathB.size());
}

TEST(ConnectTool, BothEndsOfOnePathCloseIt) {
  for (const std::size_t firstIndex : {std::size_t{2}, std::size_t{0}}) {
    SCOPED_TRACE(firstIndex);
    Fixture f;
    const std::size_t secondIndex = 2 - firstIndex;
    const Art otherPath = f.h.doc().art(f.b);
    RunAll(*f.h, DragSteps(kPathA[firstIndex].p, kPathA[secondIndex].p));
    const Art& closed = f.h.doc().art(f.a);
    EXPECT_TRUE(closed.closed);
    const std::vector<Segment> lead = firstIndex == 0 ? Reversed(kPathA) : kPathA;
    ASSERT_EQ(closed.segments.size(), lead.size());
    for (std::size_t i = 0; i < lead.size(); ++i) EXPECT_EQ(closed.segments[i].p, lead[i].p) << i;
    // The closing piece runs from the last anchor to the first, leaving and
    // entering along the path's tangents.
    const Segment& last = closed.segments.back();
    const Segment& first = closed.segments.front();
    EXPECT_LT(AngleBetween(Minus(last.out, last.p), OutwardDirection(kPathA, firstIndex)), kTangentTol);
    EXPECT_LT(AngleBetween(Minus(first.in, first.p), OutwardDirection(kPathA, secondIndex)), kTangentTol);
    EXPECT_EQ(first.out, lead.front().out);
    EXPECT_FALSE(first.corner);
    EXPECT_FALSE(last.corner);
    EXPECT_EQ(f.h.doc().art(f.b), otherPath);
    EXPECT_EQ(host::model::SelectedArt(f.h.doc()), std::vector<ArtId>{f.a});
  }
}

// Only an end of an open path is picked: a press on a middle anchor, on a
// closed path or on a fill is refused, and a drag from it joins nothing.
TEST(ConnectTool, OnlyEndsOfOpenPathsArePicked) {
  const std::vector<Segment> square = {{{300, 200}, {300, 200}, {300, 200}, true},
                                       {{380, 200}, {380, 200}, {380, 200}, true},
                                       {{380, 280}, {380, 280}, {380, 280}, true},
                                       {{300, 280}, {300, 280}, {300, 280}, true}};
  const struct {
    const char* name;
    Point press;
  } cases[] = {
      {"a middle anchor", kPathA[1].p},
      {"a corner of a closed path", square[0].p},
      {"inside a filled closed path", {340, 240}},
      {"empty canvas", {500, 500}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    const ArtId closed = f.h.AddPath(square, true);
    f.h.doc().art(closed).paint.fill = host::model::Rgb{0xffff, 0, 0};
    const Document before = f.h.doc();
    ASSERT_EQ(Send(*f.h, {Ev::Move, c.press}), kNoErr);
    EXPECT_NE(f.h.CursorName().find("16001"), std::string::npos) << f.h.CursorName();
    ASSERT_EQ(Send(*f.h, {Ev::Down, c.press}), kNoErr);
    EXPECT_NE(f.h.CursorName().find("16500"), std::string::npos) << f.h.CursorName();
    RunAll(*f.h, {{Ev::Drag, kPathB[0].p}, {Ev::Up, kPathB[0].p}});
    EXPECT_EQ(f.h.doc(), before);
  }
}

TEST(ConnectTool, FeedbackAndCursorsWhileSeeking) {
  Fixture f;
  const Point e1 = kPathA[2].p, e2 = kPathB[0].p, between{250, 250};
  const struct {
    Step step;
    const char* cursor;
    int lines, beziers;
  } steps[] = {
      {{Ev::Move, e1}, "16002", 0, 0},
      {{Ev::Down, e1}, "16001", 0, 0},
      {{Ev::Up, e1}, "16001", 1, 0},          // seeking: the rubber band
      {{Ev::Move, between}, "16001", 1, 0},
      {{Ev::Move, e2}, "16002", 0, 1},        // the live connection
      {{Ev::Move, kPathA[1].p}, "16001", 1, 0},  // a middle anchor is no end
      {{Ev::Move, e1}, "16001", 1, 0},        // nor is the first end itself
      {{Ev::Down, between}, "16500", 0, 0},   // a press on nothing is ignored
      {{Ev::Up, between}, "16001", 1, 0},
      {{Ev::Move, e2}, "16002", 0, 1},
  };
  int i = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE("step " + std::to_string(i++));
    ASSERT_EQ(Send(*f.h, s.step), kNoErr);
    EXPECT_NE(f.h.CursorName().find(s.cursor), std::string::npos) << f.h.CursorName();
    const std::vector<host::DrawCall> drawn = f.h.Drawn();
    EXPECT_EQ(Count(drawn, Kind::Line), s.lines);
    EXPECT_EQ(Count(drawn, Kind::Bezier), s.beziers);
  }
  EXPECT_EQ(f.h.Paths().size(), 3u) << "nothing joined yet";
}

// Pressing on the second end and dragging reshapes the connection: one axis
// length along "balance" makes both handles five times as long; beyond the
// end of "tension" the second handle is retracted and the first is twice the
// default.  The snap lines stay until the tool is put away.
TEST(ConnectTool, TheHandleReshapesTheConnection) {
  // Axis length at zoom 1 in a 1024 x 768 view: 768 / 4.
  constexpr double kAxis = 192;
  const Point e1 = kPathA[2].p, e2 = kPathB[0].p;
  const Point chord = Minus(e2, e1);
  const double chordLength = Norm(chord);
  ASSERT_LT(chordLength, kAxis);
  const Point v{chord.h / chordLength * kAxis, chord.v / chordLength * kAxis};
  const Point w{-v.v, v.h};
  const struct {
    const char* name;
    Point to;
    double firstShare, secondShare;  // handle lengths in chords
  } cases[] = {
      {"along balance, one axis length", {e2.h + w.h, e2.v + w.v}, 5.0 / 3, 5.0 / 3},
      {"along balance the other way", {e2.h - w.h, e2.v - w.v}, 1.0 / 15, 1.0 / 15},
      {"along tension past its end", {e2.h + 1.5 * v.h, e2.v + 1.5 * v.v}, 2.0 / 3, 0},
      {"half way back along tension", {e2.h - 0.5 * v.h, e2.v - 0.5 * v.v}, 1.0 / 6, 1.0 / 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fixture f;
    RunAll(*f.h, {{Ev::Move, e1}, {Ev::Down, e1}, {Ev::Up, e1}, {Ev::Move, e2}});
    RunAll(*f.h, DragSteps(e2, c.to));
    const Art& joined = f.h.doc().art(f.a);
    ASSERT_EQ(joined.segments.size(), 5u);
    EXPECT_NEAR(Norm(Minus(joined.segments[2].out, joined.segments[2].p)), c.firstShare * chordLength, 1e-3);
    EXPECT_NEAR(Norm(Minus(joined.segments[3].in, joined.segments[3].p)), c.secondShare * chordLength, 1e-3);
    const std::vector<AICursorConstraint>& lines = f.h->workspace().CustomConstraints();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_STREQ(lines[0].label, "balance");
    EXPECT_STREQ(lines[1].label, "tension");
    ASSERT_EQ(f.h->SelectTool("QM Straighten"), kNoErr);
    EXPECT_TRUE(f.h->workspace().CustomConstraints().empty());
  }
}

TEST(ConnectTool, TheHandleIsDrawnWhileAdjusting) {
  Fixture f;
  const Point e1 = kPathA[2].p, e2 = kPathB[0].p;
  RunAll(*f.h, {{Ev::Move, e1}, {Ev::Down, e1}, {Ev::Up, e1}, {Ev::Move, e2}, {Ev::Down, e2},
                {Ev::Drag, {e2.h, e2.v + 30}}});
  const std::vector<host::DrawCall> drawn = f.h.Drawn();
  EXPECT_EQ(Count(drawn, Kind::Line), 2);     // the two axes
  EXPECT_EQ(Count(drawn, Kind::Polygon), 2);  // their arrowheads
  EXPECT_EQ(Count(drawn, Kind::Ellipse), 2);  // where the cursor stands on each
  EXPECT_EQ(Count(drawn, Kind::Bezier), 1);
}

// A host call of the rewrite that fails comes back as its code, and the
// document is exactly as it was before the release: no half-joined path.
TEST(ConnectTool, AFailedRewriteLeavesTheDocumentAsItWas) {
  const struct {
    const char* suite;
    const char* function;
    bool samePath;
  } cases[] = {
      {kAIPathSuite, "SetPathSegmentCount", false}, {kAIPathSuite, "SetPathSegments", false},
      {kAIArtSuite, "SetArtUserAttr", false},       {kAIArtSuite, "DisposeArt", false},
      {kAIPathSuite, "GetPathSegments", false},     {kAIPathSuite, "SetPathSegments", true},
      {kAIPathSuite, "SetPathClosed", true},        {kAIArtSuite, "SetArtUserAttr", true},
  };
  constexpr AIErr kInjected = SP_FOURCC('L', 'O', 'C', 'K');
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.function) + (c.samePath ? " closing" : " joining"));
    Fixture f;
    const Point e2 = c.samePath ? kPathA[0].p : kPathB[1].p;
    RunAll(*f.h, DragTo(kPathA[2].p, e2));
    const Document before = f.h.doc();
    f.h->faults().Fail(c.suite, c.function, kInjected, 1);
    EXPECT_EQ(f.h->MouseUp({e2.h, e2.v}), kInjected);
    EXPECT_EQ(f.h.doc(), before);
  }
}

}  // namespace
}  // namespace plugin_test
