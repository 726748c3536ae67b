// "QM tangent line from" and "QM perpendicular line from" through the loaded
// module: the line leaving a picked point of a path along the path's tangent
// or normal, the anchor it inserts there, its modifiers, gestures, feedback
// and cursors, and failures during creation and insertion.
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

constexpr const char* kTangentFrom = "QM tangent line from";
constexpr const char* kPerpFrom = "QM perpendicular line from";

// Single-precision coordinates a few hundred points from the origin.
constexpr double kSingleTol = 1e-4;


// The circle of centre kCentre and radius kRadius as four quarter-turn cubics,
// anchors at 0, 90, 180 and 270 degrees.
constexpr Point kCentre{300, 300};
constexpr double kRadius = 60;

std::vector<Segment> CircleSegments() {
  const double k = kRadius * 4.0 / 3.0 * std::tan(std::numbers::pi / 8);
  std::vector<Segment> s;
  for (int i = 0; i < 4; ++i) {
    const Point p = At(kCentre, kRadius, 90.0 * i);
    const Point t{-std::sin(i * std::numbers::pi / 2) * k, std::cos(i * std::numbers::pi / 2) * k};
    s.push_back({p, {p.h - t.h, p.v - t.v}, {p.h + t.h, p.v + t.v}, false});
  }
  return s;
}

class LineHost : public ToolHost {
 public:
  explicit LineHost(const char* title) : ToolHost(title) {}

  ArtId AddPath(std::vector<Segment> segments, bool closed) {
    host::model::Document& d = doc();
    const ArtId id = d.NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, d.layer(d.currentLayer()).group});
    d.art(id).segments = std::move(segments);
    d.art(id).closed = closed;
    return id;
  }
  ArtId AddCircle() { return AddPath(CircleSegments(), true); }

  // The line the gesture made: the newest path.
  const Art& NewLine(std::size_t before) {
    const std::vector<ArtId> paths = Paths();
    EXPECT_EQ(paths.size(), before + 1);
    return doc().art(paths.back());
  }
};

bool SameShape(const Art& a, const Art& b) {
  if (a.segments.size() != b.segments.size() || a.closed != b.closed) return false;
  for (std::size_t i = 0; i < a.segments.size(); ++i) {
    const Segment &x = a.segments[i], &y = b.segments[i];
    if (!(x.p == y.p && x.in == y.in && x.out == y.out && x.corner == y.corner)) return false;
  }
  return true;
}

// Every point of one path lies on the other within tol, both ways.
void ExpectSameCurve(const Art& a, const Art& b, double tol) {
  for (const Point& p : Sampled(a, 8)) EXPECT_LT(Dist(NearestOn(b, p).point, p), tol);
  for (const Point& p : Sampled(b, 8)) EXPECT_LT(Dist(NearestOn(a, p).point, p), tol);
}

bool HasAnchorNear(const Art& art, Point p, double tol) {
  return std::any_of(art.segments.begin(), art.segments.end(), [&](const Segment& s) { return Dist(s.p, p) < tol; });
}

// Checks a two-anchor corner line from s to e.
void ExpectLine(const Art& line) {
  ASSERT_EQ(line.segments.size(), 2u);
  EXPECT_FALSE(line.closed);
  for (const Segment& s : line.segments) EXPECT_TRUE(s.corner && s.in == s.p && s.out == s.p);
}

// The line leaves a point of the path along its tangent or normal there, and
// its length is the cursor's distance from the line through that point
// across the direction; an anchor goes in at the point without changing the
// path's shape.
TEST(LinesFromAPath, TheLineLeavesThePickAlongTheTangentOrNormal) {
  const Point onArc = At(kCentre, kRadius, 30);
  const Point cursorOut{420, 420};
  const struct {
    const char* name;
    const char* title;
    bool perpendicular;
    std::vector<Segment> path;
    bool closed;
    Point pick;
    std::vector<Step> gesture;
  } cases[] = {
      {"tangent from a circle, dragged", kTangentFrom, false, CircleSegments(), true, onArc,
       DragTo(onArc, cursorOut)},
      {"normal from a circle, clicked", kPerpFrom, true, CircleSegments(), true, onArc,
       Then(Click(onArc), Click(cursorOut))},
      // The press picks where it goes down, not where the cursor last moved.
      {"a press with no move over the path first", kTangentFrom, false, CircleSegments(), true, onArc,
       {{Ev::Move, {50, 50}}, {Ev::Down, onArc}, {Ev::Drag, {400, 380}}, {Ev::Drag, cursorOut}, {Ev::Up, cursorOut}}},
      {"normal from a straight segment", kPerpFrom, true,
       {{{100, 100}, {100, 100}, {100, 100}, true}, {{200, 150}, {200, 150}, {200, 150}, true}}, false, {140, 120},
       DragTo({140, 120}, {110, 190})},
      {"tangent from an S-curve", kTangentFrom, false,
       {{{50, 400}, {50, 400}, {90, 480}, false}, {{200, 400}, {160, 320}, {200, 400}, false}}, false,
       {125, 400}, DragTo({125, 400}, {60, 320})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LineHost h(c.title);
    const ArtId path = h.AddPath(c.path, c.closed);
    const Art before = h.doc().art(path);
    RunAll(h, c.gesture);
    const Art& line = h.NewLine(1);
    ExpectLine(line);
    const Point s = line.segments[0].p, e = line.segments[1].p;
    const Nearest at = NearestOn(before, s);
    EXPECT_LT(Dist(at.point, s), kSingleTol) << "starts on the path";
    EXPECT_LT(Dist(at.point, c.pick), 1.5) << "where the pick was";
    const Point dir = c.perpendicular ? Point{-at.tangent.v, at.tangent.h} : at.tangent;
    EXPECT_NEAR(Cross(UnitOf(Minus(e, s)), dir), 0, 1e-5) << "along the tangent or normal";
    const Point cursor = c.gesture.back().p;
    EXPECT_NEAR(Dist(s, e), std::abs(DotP(Minus(cursor, s), dir)), 1e-3) << "to the cursor's foot";
    const Art& after = h.doc().art(path);
    EXPECT_EQ(after.segments.size(), before.segments.size() + 1);
    EXPECT_TRUE(HasAnchorNear(after, s, kSingleTol)) << "an anchor where the line starts";
    ExpectSameCurve(before, after, 1e-3);
    EXPECT_EQ(host::model::SelectedArt(h.doc()), std::vector<ArtId>{h.Paths().back()});
    EXPECT_EQ(h->UndoDepth(), 1u) << "line and anchor in one step";
    EXPECT_EQ(h->LiveHitRefs(), 0);
  }
}

// Alt keeps the path, Ctrl centres the line on the point, Shift rounds its
// length to steps of 5 pt at zoom 1 and takes the cursor's side of the point.
TEST(LinesFromAPath, ModifiersKeepThePathCentreAndRound) {
  const Point pick = At(kCentre, kRadius, 90);  // the top anchor: tangent (-1, 0)
  const Point onCurve = At(kCentre, kRadius, 60);
  const struct {
    const char* name;
    Point press;
    Point cursor;
    uint16_t modifiers;
    bool anchorAdded;  // the press was on a curve and Alt was not held
    double length;  // |E - S|
    std::optional<Point> mid;
    std::optional<Point> endSide;  // E - P points this way
  } cases[] = {
      {"no modifier", onCurve, {200, 500}, 0, true, 0, {}, {}},
      {"Alt keeps the path", onCurve, {200, 500}, kAlt, false, 0, {}, {}},
      {"Ctrl centres the line", pick, {263, 420}, kCtrl, false, 74, pick, {}},
      {"Shift rounds the length", pick, {263, 420}, kShift, false, 35, {}, Point{-1, 0}},
      {"Shift on the other side of the normal", pick, {337, 420}, kShift, false, 35, {}, Point{1, 0}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LineHost h(kTangentFrom);
    const ArtId circle = h.AddCircle();
    const Art before = h.doc().art(circle);
    RunAll(h, {{Ev::Move, c.press, c.modifiers}, {Ev::Down, c.press, c.modifiers}});
    RunAll(h, {{Ev::Drag, {c.cursor.h, c.cursor.v - 1}, c.modifiers}, {Ev::Drag, c.cursor, c.modifiers}});
    const bool keep = (c.modifiers & kAlt) != 0;
    EXPECT_EQ(Count(h.Drawn(), Kind::Ellipse), keep ? 0 : 2) << "two dots mark the anchor to come";
    RunAll(h, {{Ev::Up, c.cursor, c.modifiers}});
    const Art& line = h.NewLine(1);
    ExpectLine(line);
    const Point s = line.segments[0].p, e = line.segments[1].p;
    const Art& after = h.doc().art(circle);
    if (c.anchorAdded) {
      EXPECT_EQ(after.segments.size(), 5u);
    } else {
      EXPECT_TRUE(SameShape(before, after)) << "no anchor at an existing one, none with Alt";
    }
    if (c.length > 0) {
      EXPECT_NEAR(Dist(s, e), c.length, kSingleTol);
    }
    if (c.mid) {
      EXPECT_LT(Dist({(s.h + e.h) / 2, (s.v + e.v) / 2}, *c.mid), kSingleTol);
    }
    if (c.endSide) {
      EXPECT_GT(DotP(Minus(e, s), *c.endSide), 0);
    }
  }
}

// At a corner whose handle the pick maps to is retracted there is no tangent
// from the curve: it comes from the anchor's other handle, else from the
// previous anchor (the last one for anchor 0 of a closed path), or on an open
// path's first anchor from the next anchor.
TEST(LinesFromAPath, CornerAnchorsTakeTheirDirectionFromTheNeighbours) {
  const std::vector<Segment> square = {{{100, 100}, {100, 100}, {100, 100}, true},
                                       {{200, 100}, {200, 100}, {200, 100}, true},
                                       {{200, 200}, {200, 200}, {200, 200}, true},
                                       {{100, 200}, {100, 200}, {100, 200}, true}};
  const std::vector<Segment> withInHandle = {{{100, 100}, {100, 100}, {100, 100}, true},
                                             {{200, 100}, {180, 80}, {200, 100}, true},
                                             {{200, 200}, {200, 200}, {200, 200}, true}};
  const struct {
    const char* name;
    std::vector<Segment> path;
    bool closed;
    Point pick;
    Point tangent;
  } cases[] = {
      {"anchor 0 of a closed path: from the last anchor", square, true, {100, 100}, {0, -1}},
      {"an inner corner: from the previous anchor", square, true, {200, 200}, {0, 1}},
      {"first anchor of an open path: towards the next", square, false, {100, 100}, {1, 0}},
      {"a corner with an in-handle: along that handle", withInHandle, false, {200, 100}, UnitOf({20, 20})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LineHost h(kTangentFrom);
    const ArtId path = h.AddPath(c.path, c.closed);
    const Art before = h.doc().art(path);
    RunAll(h, DragTo(c.pick, {c.pick.h + 40, c.pick.v + 70}));
    const Art& line = h.NewLine(1);
    ExpectLine(line);
    const Point s = line.segments[0].p, e = line.segments[1].p;
    EXPECT_LT(Dist(s, c.pick), kSingleTol);
    EXPECT_NEAR(Cross(UnitOf(Minus(e, s)), c.tangent), 0, 1e-6);
    EXPECT_TRUE(SameShape(before, h.doc().art(path))) << "no anchor on an anchor";
  }
}

TEST(LinesFromAPath, PressesThatMakeNoLine) {
  const Point pick = At(kCentre, kRadius, 30);
  const struct {
    const char* name;
    const char* title;
    std::vector<Step> steps;
    bool lock;
    const char* cursor;  // after the press
  } cases[] = {
      {"empty canvas", kTangentFrom, {{Ev::Move, {50, 50}}, {Ev::Down, {50, 50}}}, false, "16500"},
      {"locked layer", kPerpFrom, {{Ev::Move, pick}, {Ev::Down, pick}}, true, "16500"},
      {"a rounded length of zero", kTangentFrom,
       {{Ev::Move, pick}, {Ev::Down, pick}, {Ev::Drag, At(pick, 20, 150), kShift},
        {Ev::Drag, At(pick, 1, 120), kShift}},
       false, "16024"},
      // At the anchor at 0 degrees the normal is horizontal: the cursor above
      // the anchor projects onto the anchor itself.
      {"the cursor back on the point", kPerpFrom,
       {{Ev::Move, {360, 300}}, {Ev::Down, {360, 300}}, {Ev::Drag, {380, 300}}, {Ev::Drag, {360, 310}}}, false,
       "16024"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LineHost h(c.title);
    const ArtId circle = h.AddCircle();
    const Art before = h.doc().art(circle);
    h.doc().layer(h.doc().currentLayer()).locked = c.lock;
    RunAll(h, c.steps);
    EXPECT_NE(h.CursorName().find(c.cursor), std::string::npos) << h.CursorName();
    EXPECT_EQ(Count(h.Drawn(), Kind::Line), 0);
    RunAll(h, {{Ev::Up, c.steps.back().p, c.steps.back().modifiers}});
    EXPECT_EQ(h.Paths(), std::vector<ArtId>{circle});
    EXPECT_TRUE(SameShape(before, h.doc().art(circle)));
    EXPECT_EQ(h->UndoDepth(), 0u);
    EXPECT_EQ(h->LiveHitRefs(), 0);
  }
}

// Cursor and feedback along the click gesture: hover, press, release, move,
// press again.
TEST(LinesFromAPath, FeedbackAndCursorAfterEachStep) {
  const Point pick = At(kCentre, kRadius, 30);
  const Point away{420, 420};
  const struct {
    Step step;
    const char* cursor;
    int lines, dots, texts;
  } steps[] = {
      {{Ev::Move, {50, 50}}, "16024", 0, 0, 0},
      {{Ev::Move, pick}, "16025", 0, 0, 0},
      {{Ev::Move, pick, kAlt}, "16002", 0, 0, 0},
      {{Ev::Down, pick}, "16025", 0, 0, 0},
      {{Ev::Up, pick}, "16024", 0, 0, 0},  // the cursor on P: no line yet
      {{Ev::Move, away}, "16024", 1, 2, 1},
      {{Ev::Move, away, kAlt}, "16001", 1, 0, 1},
      {{Ev::Down, away}, "16024", 0, 0, 0},  // made; idle again, over empty canvas
  };
  LineHost h(kTangentFrom);
  h.AddCircle();
  int i = 0;
  for (const auto& s : steps) {
    SCOPED_TRACE("step " + std::to_string(i++));
    const std::vector<DrawCall> drawn = h.StepAndDraw(s.step, s.cursor);
    EXPECT_EQ(Count(drawn, Kind::Line), s.lines);
    EXPECT_EQ(Count(drawn, Kind::Ellipse), s.dots);
    EXPECT_EQ(Count(drawn, Kind::Text), s.texts);
  }
  EXPECT_EQ(h.Paths().size(), 2u);
}

// A host call that fails while the line is made or the anchor inserted
// comes back as the gesture's error; the path is as it was and no line stays.
TEST(LinesFromAPath, AFailureDuringCreationOrInsertionUndoesTheGesture) {
  constexpr AIErr kInjected = SP_FOURCC('F', 'A', 'I', 'L');
  const struct {
    const char* suite;
    const char* function;
    int nth;
  } cases[] = {
      {kAIPathSuite, "GetPathSegments", 1},     {kAIPathSuite, "SetPathSegments", 1},
      {kAIPathSuite, "SetPathSegments", 2},     {kAIPathSuite, "InsertPathSegments", 1},
      {kAIArtSuite, "GetInsertionPoint", 1},    {kAIArtSuite, "NewArt", 1},
      {kAIPathSuite, "SetPathSegmentCount", 1}, {kAIPathSuite, "SetPathSegments", 3},
      {kAIMatchingArtSuite, "DeselectAll", 1},  {kAIArtSuite, "SetArtUserAttr", 1},
      {kAICursorSnapSuite, "ClearCustom", 1},
  };
  const Point pick = At(kCentre, kRadius, 30);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.function) + " #" + std::to_string(c.nth));
    LineHost h(kPerpFrom);
    const ArtId circle = h.AddCircle();
    const Art before = h.doc().art(circle);
    RunAll(h, {{Ev::Move, pick}, {Ev::Down, pick}, {Ev::Drag, {420, 400}}, {Ev::Drag, {420, 420}}});
    h->faults().Fail(c.suite, c.function, kInjected, c.nth);
    EXPECT_EQ(h->MouseUp({420, 420}), kInjected);
    EXPECT_EQ(h.Paths(), std::vector<ArtId>{circle}) << "no half-made line";
    EXPECT_TRUE(SameShape(before, h.doc().art(circle))) << "no stray anchor";
    EXPECT_EQ(h->LiveHitRefs(), 0);
  }
}

// A host call that fails while the direction is taken at the pick (the
// first drag, or the release of a click) comes back as that event's error;
// it never gives a line in another direction (as the neighbouring anchors
// would, which stand in only where the curve has no tangent).  The gesture
// ends: the next drag makes its line.
TEST(LinesFromAPath, AFailureWhileTakingTheDirectionEndsTheGesture) {
  constexpr AIErr kInjected = SP_FOURCC('F', 'A', 'I', 'L');
  const Point anchor = At(kCentre, kRadius, 90);  // an anchor hit: the anchors could stand in
  const Point away{anchor.h + 50, anchor.v + 80};
  const struct {
    const char* name;
    const char* function;
    bool click;
  } cases[] = {
      {"reading the piece on the first drag", "GetPathSegments", false},
      {"counting the segments on the first drag", "GetPathSegmentCount", false},
      {"reading the piece on the release of a click", "GetPathSegments", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    LineHost h(kTangentFrom);
    const ArtId circle = h.AddCircle();
    const Art before = h.doc().art(circle);
    RunAll(h, {{Ev::Move, anchor}, {Ev::Down, anchor}});
    h->faults().Fail(kAIPathSuite, c.function, kInjected, 1);
    const AIErr code = c.click ? h->MouseUp({anchor.h, anchor.v}) : h->MouseDrag({away.h, away.v});
    h->faults().Clear();
    EXPECT_EQ(code, kInjected);
    RunAll(h, c.click ? std::vector<Step>{{Ev::Move, away}, {Ev::Down, away}, {Ev::Up, away}}
                      : std::vector<Step>{{Ev::Drag, {away.h + 5, away.v}}, {Ev::Up, {away.h + 5, away.v}}});
    EXPECT_EQ(h.Paths(), std::vector<ArtId>{circle}) << "no line from the failed gesture";
    EXPECT_TRUE(SameShape(before, h.doc().art(circle)));
    RunAll(h, DragTo(anchor, away));
    const Art& line = h.NewLine(1);
    EXPECT_NEAR(line.segments[1].p.v, anchor.v, kSingleTol) << "the next drag makes the tangent at the anchor";
  }
}

// Deselecting the tool mid-gesture hands the host's snapping back: a circle
// started next to the line's constraint keeps its own point.
TEST(LinesFromAPath, DeselectingClearsTheSnappingConstraint) {
  LineHost h(kTangentFrom);
  h.AddCircle();
  const Point top = At(kCentre, kRadius, 90);  // tangent line y = 360
  RunAll(h, {{Ev::Move, top}, {Ev::Down, top}, {Ev::Drag, {200, 380}}});
  ASSERT_EQ(h->SelectTool("QM Circle by 2 or 3 points"), kNoErr);
  const Point a{100, 362};
  RunAll(h, DragTo(a, {40, 362}));
  ASSERT_EQ(h.Paths().size(), 2u);
  EXPECT_TRUE(HasAnchorAt(h.doc().art(h.Paths().back()), a)) << "not pulled onto y = 360";
}

}  // namespace
}  // namespace plugin_test
