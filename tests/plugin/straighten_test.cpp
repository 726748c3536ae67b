// "QM Straighten" through the loaded module: levelling a clicked piece,
// dragging it to the cursor's level with the anchor snap, turning a piece
// about an anchor, the feedback and cursors, and host failures during the
// rewrite.
#include <cmath>
#include <numbers>

#include "tests/plugin/EditToolHost.h"

namespace plugin_test {
namespace {

using host::model::Art;
using host::model::ArtId;
using host::model::Document;
using host::model::Point;
using host::model::Segment;
using Kind = host::DrawCall::Kind;

constexpr const char* kTitle = "QM Straighten";
constexpr double kSingleTol = 1e-4;
constexpr double kPi = std::numbers::pi;

// An open path whose middle piece (1 -> 2) rises at about 30 degrees.
const std::vector<Segment> kWave = {
    {{40, 80}, {40, 80}, {60, 90}, true},
    {{100, 100}, {80, 95}, {130, 115}, false},
    {{200, 157.75}, {170, 150}, {230, 170}, false},
    {{260, 150}, {240, 165}, {260, 150}, true},
};
// A straight piece at exactly 45 degrees.
const std::vector<Segment> kDiagonal = {
    {{300, 300}, {300, 300}, {300, 300}, true},
    {{340, 340}, {340, 340}, {340, 340}, true},
};

Point PieceMidpoint(const std::vector<Segment>& s, std::size_t i) {
  const Segment &a = s[i], &b = s[i + 1];
  return {(a.p.h + 3 * a.out.h + 3 * b.in.h + b.p.h) / 8, (a.p.v + 3 * a.out.v + 3 * b.in.v + b.p.v) / 8};
}

Point Plus(Point a, Point b) { return {a.h + b.h, a.v + b.v}; }

void ExpectNear(Point a, Point b, double tol = kSingleTol) {
  EXPECT_NEAR(a.h, b.h, tol);
  EXPECT_NEAR(a.v, b.v, tol);
}

// Every segment but the listed ones is exactly as it was.
void ExpectUntouchedExcept(const std::vector<Segment>& now, const std::vector<Segment>& was,
                           std::initializer_list<std::size_t> edited) {
  ASSERT_EQ(now.size(), was.size());
  for (std::size_t i = 0; i < was.size(); ++i) {
    if (std::find(edited.begin(), edited.end(), i) == edited.end()) {
      EXPECT_TRUE(SameGeometry(now[i], was[i])) << "segment " << i;
    }
  }
}

enum class Dir { Horizontal, Vertical };

// Anchors s and e of the levelled piece share the level coordinate, keep the
// other; their outer handles moved with them; the inner handles moved too
// (keepCurve) or are retracted onto corner anchors.
void ExpectLevelled(const std::vector<Segment>& now, const std::vector<Segment>& was, std::size_t s, std::size_t e,
                    Dir dir, double level, bool keepCurve) {
  const auto levelOf = [&](Point p) { return dir == Dir::Horizontal ? p.v : p.h; };
  const auto otherOf = [&](Point p) { return dir == Dir::Horizontal ? p.h : p.v; };
  for (const std::size_t i : {s, e}) {
    EXPECT_NEAR(levelOf(now[i].p), level, kSingleTol) << i;
    EXPECT_EQ(otherOf(now[i].p), otherOf(was[i].p)) << i;
  }
  const Point ds = Minus(now[s].p, was[s].p), de = Minus(now[e].p, was[e].p);
  ExpectNear(now[s].in, Plus(was[s].in, ds));
  ExpectNear(now[e].out, Plus(was[e].out, de));
  if (keepCurve) {
    ExpectNear(now[s].out, Plus(was[s].out, ds));
    ExpectNear(now[e].in, Plus(was[e].in, de));
    EXPECT_EQ(now[s].corner, was[s].corner);
    EXPECT_EQ(now[e].corner, was[e].corner);
  } else {
    EXPECT_EQ(now[s].out, now[s].p);
    EXPECT_EQ(now[e].in, now[e].p);
    EXPECT_TRUE(now[s].corner && now[e].corner);
  }
}

TEST(StraightenTool, AClickLevelsThePieceAtTheMeanOfItsAnchors) {
  const struct {
    const char* name;
    const std::vector<Segment>* path;
    std::size_t piece;
    uint16_t modifiers;
    Dir dir;
    bool keepCurve;
  } cases[] = {
      {"a 30-degree piece becomes horizontal and straight", &kWave, 1, 0, Dir::Horizontal, false},
      {"Shift keeps the curve", &kWave, 1, kShift, Dir::Horizontal, true},
      {"Ctrl keeps the curve", &kWave, 1, kCtrl, Dir::Horizontal, true},
      {"Alt levels it vertically", &kWave, 1, kAlt, Dir::Vertical, false},
      {"Alt and Shift: vertical, curve kept", &kWave, 1, kAlt | kShift, Dir::Vertical, true},
      {"45 degrees counts as closer to vertical", &kDiagonal, 0, 0, Dir::Vertical, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EditToolHost h(kTitle);
    const ArtId path = h.AddPath(*c.path);
    const Point at = PieceMidpoint(*c.path, c.piece);
    RunAll(*h, {{Ev::Move, at, c.modifiers}, {Ev::Down, at, c.modifiers}, {Ev::Up, at, c.modifiers}});
    const std::vector<Segment>& was = *c.path;
    const std::vector<Segment>& now = h.doc().art(path).segments;
    const Point s = was[c.piece].p, e = was[c.piece + 1].p;
    const double mean = c.dir == Dir::Horizontal ? (s.v + e.v) / 2 : (s.h + e.h) / 2;
    ExpectLevelled(now, was, c.piece, c.piece + 1, c.dir, mean, c.keepCurve);
    ExpectUntouchedExcept(now, was, {c.piece, c.piece + 1});
    EXPECT_EQ(h->UndoDepth(), 1u);
    ASSERT_TRUE(h->Undo());
    EXPECT_TRUE(SameGeometry(h.doc().art(path).segments, was));
  }
}

// The dragged piece goes to the cursor's height, or to an anchor's height
// when the cursor is within 16 px of that anchor and smart guides are off.
TEST(StraightenTool, DraggingMovesThePieceToTheCursorOrAnAnchorsHeight) {
  const Point s = kWave[1].p, e = kWave[2].p;
  const struct {
    const char* name;
    Point to;
    double zoom;
    bool smartGuides;
    double level;
  } cases[] = {
      {"far from both anchors", {150, 220}, 1, false, 220},
      {"12.8 px from the end anchor", {e.h - 10, e.v + 8}, 1, false, e.v},
      {"12.7 px from the start anchor", {s.h + 9, s.v - 9}, 1, false, s.v},
      {"15 px from the end anchor", {e.h, e.v + 15}, 1, false, e.v},
      {"17 px from the end anchor", {e.h, e.v + 17}, 1, false, e.v + 17},
      {"17 px at zoom 2 is 8.5 pt away", {e.h, e.v + 8.5}, 2, false, e.v + 8.5},
      {"10 pt at zoom 1.5 is 15 px", {e.h, e.v + 10}, 1.5, false, e.v},
      {"smart guides on: no anchor snap", {e.h, e.v + 15}, 1, true, e.v + 15},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EditToolHost h(kTitle);
    h->SetZoom(c.zoom);
    h->SetSmartGuides(c.smartGuides);
    const ArtId path = h.AddPath(kWave);
    RunAll(*h, DragSteps(PieceMidpoint(kWave, 1), c.to));
    const std::vector<Segment>& now = h.doc().art(path).segments;
    ExpectLevelled(now, kWave, 1, 2, Dir::Horizontal, c.level, false);
    ExpectUntouchedExcept(now, kWave, {1, 2});
    EXPECT_EQ(h->UndoDepth(), 1u);
  }
}

Point Rotated(Point p, Point about, double by) {
  const Point d = Minus(p, about);
  return {about.h + std::cos(by) * d.h - std::sin(by) * d.v, about.v + std::sin(by) * d.h + std::cos(by) * d.v};
}

double Degrees(double rad) { return rad * 180 / kPi; }
double Radians(double deg) { return deg * kPi / 180; }

// A drag from an anchor turns the piece on the side it leaves towards about
// that anchor: the far anchor keeps its distance and lies towards the cursor.
TEST(StraightenTool, DraggingFromAnAnchorTurnsAPieceAboutIt) {
  const struct {
    const char* name;
    std::size_t pivot, far;
    double towardsDeg;
    uint16_t modifiers;
    double expectedDeg;
  } cases[] = {
      {"the following piece, made straight", 1, 2, 50, 0, 50},
      {"Shift: 45-degree steps", 1, 2, 58, kShift, 45},
      {"Shift near the vertical", 1, 2, 80, kShift, 90},
      {"Ctrl turns it rigidly", 1, 2, 50, kCtrl, 50},
      {"Ctrl and Alt leave the other handle", 1, 2, 50, kCtrl | kAlt, 50},
      {"Alt alone: straight, other handle left", 1, 2, 70, kAlt, 70},
      {"the first anchor turns the first piece whatever the direction", 0, 1, 200, 0, 200},
      {"towards the previous anchor: the preceding piece", 2, 1, 200, 0, 200},
      {"the last anchor turns the last piece", 3, 2, 10, kCtrl, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EditToolHost h(kTitle);
    const ArtId path = h.AddPath(kWave);
    const Point pivot = kWave[c.pivot].p;
    const Point to{pivot.h + 60 * std::cos(Radians(c.towardsDeg)), pivot.v + 60 * std::sin(Radians(c.towardsDeg))};
    RunAll(*h, DragSteps(pivot, to, c.modifiers));
    const std::vector<Segment>& now = h.doc().art(path).segments;
    const Segment &p0 = kWave[c.pivot], &o0 = kWave[c.far];
    const Segment &p = now[c.pivot], &o = now[c.far];
    const bool following = c.far == c.pivot + 1;
    const bool ctrl = c.modifiers & kCtrl, alt = c.modifiers & kAlt;

    // Length kept, direction towards the (stepped) cursor, pivot in place.
    EXPECT_EQ(p.p, p0.p);
    EXPECT_NEAR(Norm(Minus(o.p, p.p)), Norm(Minus(o0.p, p0.p)), kSingleTol);
    const Point dir = Minus(o.p, p.p);
    EXPECT_NEAR(AngleBetween(dir, {std::cos(Radians(c.expectedDeg)), std::sin(Radians(c.expectedDeg))}), 0, 1e-5)
        << Degrees(std::atan2(dir.v, dir.h));
    // Handles: each turned by the same angle about the pivot, or retracted
    // onto straight-piece corners, or (the pivot's other one) left.
    const double by = std::atan2(dir.v, dir.h) - std::atan2(o0.p.v - p0.p.v, o0.p.h - p0.p.h);
    const Point pInner = following ? p.out : p.in, pInner0 = following ? p0.out : p0.in;
    const Point pOuter = following ? p.in : p.out, pOuter0 = following ? p0.in : p0.out;
    const Point oInner = following ? o.in : o.out, oInner0 = following ? o0.in : o0.out;
    const Point oOuter = following ? o.out : o.in, oOuter0 = following ? o0.out : o0.in;
    ExpectNear(oOuter, Rotated(oOuter0, p0.p, by));
    if (ctrl) {
      ExpectNear(pInner, Rotated(pInner0, p0.p, by));
      ExpectNear(oInner, Rotated(oInner0, p0.p, by));
      EXPECT_EQ(o.corner, o0.corner);
    } else {
      EXPECT_EQ(pInner, p.p);
      EXPECT_EQ(oInner, o.p);
      EXPECT_TRUE(o.corner);
    }
    if (alt || p0.corner) {
      EXPECT_EQ(pOuter, pOuter0);
    } else {
      ExpectNear(pOuter, Rotated(pOuter0, p0.p, by));
    }
    EXPECT_EQ(p.corner, p0.corner || alt || !ctrl);
    ExpectUntouchedExcept(now, kWave, {c.pivot, c.far});
  }
}

// The press picks at its own point: an anchor pressed right after hovering a
// piece turns a piece about that anchor instead of levelling the piece.
TEST(StraightenTool, APressPicksAtItsOwnPoint) {
  EditToolHost h(kTitle);
  const ArtId path = h.AddPath(kWave);
  const Point pivot = kWave[2].p;
  const Point to{pivot.h + 60 * std::cos(Radians(330)), pivot.v + 60 * std::sin(Radians(330))};
  RunAll(*h, {{Ev::Move, PieceMidpoint(kWave, 1)}, {Ev::Down, pivot}, {Ev::Drag, to}, {Ev::Up, to}});
  const std::vector<Segment>& now = h.doc().art(path).segments;
  EXPECT_EQ(now[2].p, pivot);
  EXPECT_NEAR(Norm(Minus(now[3].p, pivot)), Norm(Minus(kWave[3].p, pivot)), kSingleTol);
  EXPECT_NEAR(AngleBetween(Minus(now[3].p, pivot), Minus(to, pivot)), 0, 1e-5);
  ExpectUntouchedExcept(now, kWave, {2, 3});
}

TEST(StraightenTool, CursorsAndFeedback) {
  EditToolHost h(kTitle);
  h.AddPath(kWave);
  const Point mid = PieceMidpoint(kWave, 1);
  const struct {
    const char* name;
    Step step;
    const char* cursor;
    int beziers, dots;
  } steps[] = {
      {"over nothing", {Ev::Move, {400, 400}}, "16020", 0, 0},
      {"over a piece closer to horizontal", {Ev::Move, mid}, "16021", 1, 0},
      {"the same with Alt", {Ev::Move, mid, kAlt}, "16022", 1, 0},
      {"over an anchor", {Ev::Move, kWave[2].p}, "16023", 0, 0},
      {"pressed on the piece: the whole path", {Ev::Down, mid}, "16020", 3, 0},
      {"dragged near the end anchor: snapped", {Ev::Drag, {kWave[2].p.h - 10, kWave[2].p.v + 8}}, "16020", 3, 1},
      {"dragged away", {Ev::Drag, {150, 220}}, "16020", 3, 0},
      {"released", {Ev::Up, {150, 220}}, "16021", 1, 0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.name);
    const std::vector<host::DrawCall> drawn = h.StepAndDraw(s.step, s.cursor);
    EXPECT_EQ(Count(drawn, Kind::Bezier), s.beziers);
    EXPECT_EQ(Count(drawn, Kind::Ellipse), s.dots);
  }
}

// A press on nothing, a click on an anchor and a drag of 6 px or less from an
// anchor change nothing.
TEST(StraightenTool, GesturesThatChangeNothing) {
  const struct {
    const char* name;
    std::vector<Step> steps;
  } cases[] = {
      {"press on nothing", DragSteps({400, 400}, {150, 220})},
      {"click on an anchor", {{Ev::Move, kWave[1].p}, {Ev::Down, kWave[1].p}, {Ev::Up, kWave[1].p}}},
      {"6 px from an anchor", DragSteps(kWave[1].p, {kWave[1].p.h + 6, kWave[1].p.v})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EditToolHost h(kTitle);
    h.AddPath(kWave);
    const Document before = h.doc();
    RunAll(*h, c.steps);
    EXPECT_EQ(h.doc(), before);
    EXPECT_EQ(h->UndoDepth(), 0u);
  }
}

// A failing host call of the rewrite comes back as its code and leaves the
// path as it was before the release.
TEST(StraightenTool, AFailedRewriteLeavesThePathAsItWas) {
  const Point mid = PieceMidpoint(kWave, 1);
  const Point turnTo{kWave[1].p.h + 40, kWave[1].p.v + 40};
  const struct {
    const char* name;
    std::vector<Step> steps;  // the release is sent by the test
    Point release;
    const char* function;
  } cases[] = {
      {"click, segment count", {{Ev::Move, mid}, {Ev::Down, mid}}, mid, "SetPathSegmentCount"},
      {"click, segments", {{Ev::Move, mid}, {Ev::Down, mid}}, mid, "SetPathSegments"},
      {"drag a piece, segments", {{Ev::Move, mid}, {Ev::Down, mid}, {Ev::Drag, {150, 220}}}, {150, 220},
       "SetPathSegments"},
      {"turn, segments", {{Ev::Move, kWave[1].p}, {Ev::Down, kWave[1].p}, {Ev::Drag, turnTo}}, turnTo,
       "SetPathSegments"},
      {"turn, reading", {{Ev::Move, kWave[1].p}, {Ev::Down, kWave[1].p}, {Ev::Drag, turnTo}}, turnTo,
       "GetPathSegments"},
  };
  constexpr AIErr kInjected = SP_FOURCC('L', 'O', 'C', 'K');
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EditToolHost h(kTitle);
    h.AddPath(kWave);
    RunAll(*h, c.steps);
    const Document before = h.doc();
    h->faults().Fail(kAIPathSuite, c.function, kInjected, 1);
    EXPECT_EQ(h->MouseUp({c.release.h, c.release.v}), kInjected);
    EXPECT_EQ(h.doc(), before);
  }
}

}  // namespace
}  // namespace plugin_test
