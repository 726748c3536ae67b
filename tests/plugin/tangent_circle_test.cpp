// "QM Tangent Circle" through the loaded module: the circle it makes between
// two paths, its three gestures, its options dialog with the live preview,
// its feedback and cursors, and what a refused creation leaves.
#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "host/Dialogs.h"
#include "host/runtime/Preferences.h"
#include "tests/plugin/DialogDriver.h"
#include "tests/plugin/GestureSteps.h"
#include "tests/plugin/LineToolHost.h"

namespace plugin_test {
namespace {

using host::DrawCall;
using host::model::Art;
using host::model::ArtId;
using host::model::Point;
using host::model::Segment;
using Kind = host::DrawCall::Kind;
using lines::CircleSegments;
using lines::OnCircle;

constexpr const char* kTitle = "QM Tangent Circle";
constexpr const char* kSection = "Corvane";

// Item ids of the options dialog.
constexpr int32_t kOK = 1, kCancel = 2, kRadiusField = 4, kAskBox = 5, kPreviewBox = 6, kProblem = 7;

// How far a touching anchor may be from its path, and how far the path's
// tangent there may lean towards the radius, as fractions of the radius.
constexpr double kTouchTol = 1e-6;

class TangentHost : public ToolHost {
 public:
  // Ask off unless a test turns it on: most gestures create at once.
  explicit TangentHost(double radius = 50, bool ask = false) : ToolHost(kTitle) {
    (*this)->preferences().PutReal(kSection, "CircleTTRRadius", radius);
    (*this)->preferences().PutBoolean(kSection, "CircleTTRAsk", ask);
  }

  ArtId AddCircle(Point c, double r) { return AddPath(CircleSegments(c, r), true); }

  std::size_t PathCount() { return Paths().size(); }

  double StoredRadius() { return (*this)->preferences().GetReal(kSection, "CircleTTRRadius"); }
  bool StoredAsk() { return (*this)->preferences().GetBoolean(kSection, "CircleTTRAsk") != 0; }
};

// The centre of the circle through three anchors of a created circle.
Point CentreOf(const Art& circle) {
  const Point a = circle.segments[0].p, b = circle.segments[1].p, c = circle.segments[2].p;
  const double d = 2 * (a.h * (b.v - c.v) + b.h * (c.v - a.v) + c.h * (a.v - b.v));
  const double a2 = a.h * a.h + a.v * a.v, b2 = b.h * b.h + b.v * b.v, c2 = c.h * c.h + c.v * c.v;
  return {(a2 * (b.v - c.v) + b2 * (c.v - a.v) + c2 * (a.v - b.v)) / d,
          (a2 * (c.h - b.h) + b2 * (a.h - c.h) + c2 * (b.h - a.h)) / d};
}

// The created circle touches the path: one of its anchors lies on the path,
// and the path's tangent there is perpendicular to the radius to it.
void ExpectTouches(const Art& circle, const Art& path) {
  const Point centre = CentreOf(circle);
  const double radius = Dist(circle.segments[0].p, centre);
  double bestDistance = INFINITY;
  Point bestAnchor;
  for (const Segment& s : circle.segments) {
    const double d = DistanceToPath(path, s.p);
    if (d < bestDistance) bestDistance = d, bestAnchor = s.p;
  }
  EXPECT_LT(bestDistance, kTouchTol * radius) << "no anchor on the path";
  const Nearest foot = NearestOn(path, bestAnchor);
  EXPECT_LT(std::abs(DotP(foot.tangent, Minus(bestAnchor, centre))), kTouchTol * radius)
      << "the path's tangent is not perpendicular to the radius";
}

// The one path created since the document held `before` paths.
const Art& Created(TangentHost& h, std::size_t before) {
  const std::vector<ArtId> paths = h.Paths();
  EXPECT_EQ(paths.size(), before + 1);
  return h.doc().art(paths.back());
}

std::vector<Step> ClickClick(Point first, Point second, uint16_t modifiers = 0) {
  return Then(Click(first), Then({{Ev::Move, second, modifiers}}, Click(second, modifiers)));
}

// Circles whose answer follows from elementary geometry: the created circle
// has the stored radius, its centre is the analytic one (within what a
// four-piece Bezier circle deviates from a true circle) and it touches both
// paths.  The figures lie near the origin, where the single-precision
// coordinates the plug-in writes are finer than the touching tolerance.
TEST(TangentCircle, MakesTheCircleTouchingBothPathsOnAnalyticCases) {
  const struct {
    const char* name;
    std::function<std::pair<ArtId, ArtId>(TangentHost&)> paths;
    Point first, second;
    double radius;
    Point centre;
  } cases[] = {
      // Centres 120 apart, both 40 + 50 from the centre: on x = 0, above.
      {"two circles, outer tangency",
       [](TangentHost& h) { return std::pair{h.AddCircle({-60, 0}, 40), h.AddCircle({60, 0}, 40)}; },
       {-60, 40}, {60, 40}, 50, {0, std::sqrt(90.0 * 90 - 60 * 60)}},
      // Inside the big circle (100 - 25 from its centre), outside the small one
      // (20 + 25 from its centre, 50 below): y = -61, x = sqrt(75^2 - 61^2).
      {"two circles, inner tangency",
       [](TangentHost& h) { return std::pair{h.AddCircle({0, 0}, 100), h.AddCircle({0, -50}, 20)}; },
       OnCircle({0, 0}, 100, -45), {20, -50}, 25, {std::sqrt(75.0 * 75 - 61 * 61), -61}},
      // 20 above the line and 30 + 20 from the circle's centre (60 above it).
      {"a line and a circle",
       [](TangentHost& h) { return std::pair{h.AddPolyline({{-200, 0}, {200, 0}}), h.AddCircle({0, 60}, 30)}; },
       {40, 0}, {30, 60}, 20, {30, 20}},
      // In the 60-degree corner the centre lies on the bisector, r / sin 30 from the corner.
      {"two lines at an angle",
       [](TangentHost& h) {
         return std::pair{h.AddPolyline({{0, 0}, {200, 0}}), h.AddPolyline({{0, 0}, At({0, 0}, 200, 60)})};
       },
       {100, 0}, At({0, 0}, 100, 60), 20, At({0, 0}, 40, 30)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TangentHost h(c.radius);
    const auto [a, b] = c.paths(h);
    RunAll(h, ClickClick(c.first, c.second));
    const Art& circle = Created(h, 2);
    ExpectCircle(circle, c.centre, c.radius, 0.05);
    ExpectTouches(circle, h.doc().art(a));
    ExpectTouches(circle, h.doc().art(b));
  }
}

// An arch (one cubic) over its chord: the circle sits under the arch on the
// chord, and the circle created is the one shown before the click.
TEST(TangentCircle, OnACubicTheCircleShownIsTheCircleCreated) {
  TangentHost h(40);
  const ArtId arch = h.AddPath({{{100, 200}, {100, 200}, {180, 320}, true}, {{400, 200}, {320, 320}, {400, 200}, true}});
  const ArtId chord = h.AddPolyline({{100, 200}, {400, 200}});
  const Point onArch = PieceAt(h.doc().art(arch).segments[0], h.doc().art(arch).segments[1], 0.25);
  const Point onChord{180, 200};
  RunAll(h, Then(Click(onArch), {{Ev::Move, onChord}}));
  const std::vector<DrawCall> shown = h.Drawn();
  // The circle is the widest ellipse drawn (the others are the markers' dots).
  const auto width = [](const DrawCall& d) { return d.kind == Kind::Ellipse ? d.rect.right - d.rect.left : -1; };
  const auto ellipse = std::max_element(shown.begin(), shown.end(),
                                        [&](const DrawCall& x, const DrawCall& y) { return width(x) < width(y); });
  ASSERT_GT(width(*ellipse), 20) << "no circle shown over the second path";

  RunAll(h, Click(onChord));

  const Art& circle = Created(h, 2);
  ExpectTouches(circle, h.doc().art(arch));
  ExpectTouches(circle, h.doc().art(chord));
  const Point centre = CentreOf(circle);
  const double r = Dist(circle.segments[0].p, centre);
  EXPECT_NEAR(r, 40, 1e-4);
  const AIPoint topLeft = h->ArtworkToView({centre.h - r, centre.v + r});
  const AIPoint bottomRight = h->ArtworkToView({centre.h + r, centre.v - r});
  EXPECT_NEAR(ellipse->rect.left, topLeft.h, 1);
  EXPECT_NEAR(ellipse->rect.top, topLeft.v, 1);
  EXPECT_NEAR(ellipse->rect.right, bottomRight.h, 1);
  EXPECT_NEAR(ellipse->rect.bottom, bottomRight.v, 1);
}

// Two circles 120 apart; radius 50 gives the circle above both, centred on
// x = 160.  The radius drag from the top of the second circle to 60 (or, with
// Shift, to 58 rounded to the 5 pt step of zoom 1) gives the circle of radius
// 60 nearest the cursor, centred at (160, 180).
TEST(TangentCircle, EachGestureMakesItsCircle) {
  constexpr Point p1{100, 140}, p2{220, 140};
  const Point above{160, 100 + std::sqrt(90.0 * 90 - 60 * 60)};
  const struct {
    const char* name;
    std::vector<Step> steps;
    Point centre;
    double radius;
    const char* idleCursor;  // where the gesture ends
  } cases[] = {
      {"click the first path, click the second", ClickClick(p1, p2), above, 50, "16002"},
      {"press on the first path, drag to the second", DragTo(p1, p2), above, 50, "16002"},
      {"click the first path, drag out the radius from the second",
       Then(Click(p1), DragTo(p2, {220, 200})), {160, 180}, 60, "16001"},
      {"the same with Shift, rounding the radius",
       Then(Click(p1), DragTo(p2, {179, 181}, kShift)), {160, 180}, 60, "16001"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TangentHost h;
    const ArtId a = h.AddCircle({100, 100}, 40), b = h.AddCircle({220, 100}, 40);
    RunAll(h, c.steps);
    const Art& circle = Created(h, 2);
    ExpectCircle(circle, c.centre, c.radius, 0.05);
    ExpectTouches(circle, h.doc().art(a));
    ExpectTouches(circle, h.doc().art(b));
    EXPECT_NE(h.CursorName().find(c.idleCursor), std::string::npos) << "back to idle: " << h.CursorName();
    EXPECT_EQ(h->UndoDepth(), 1u) << "one undoable step for the gesture";
  }
}

// The label shows the dragged radius: the rounded one while Shift is held.
TEST(TangentCircle, TheRadiusDragShowsItsRadius) {
  TangentHost h;
  h.AddCircle({100, 100}, 40);
  h.AddCircle({220, 100}, 40);
  RunAll(h, Then(Click({100, 140}), {{Ev::Move, {220, 140}}, {Ev::Down, {220, 140}}, {Ev::Drag, {220, 198}}}));
  const auto label = [&] {
    for (const DrawCall& d : h.Drawn())
      if (d.kind == Kind::Text) return d.text;
    return std::string("(none)");
  };
  EXPECT_EQ(label(), "58 pt");
  EXPECT_NE(h.CursorName().find("16003"), std::string::npos) << h.CursorName();
  ASSERT_EQ(Send(*h, {Ev::Drag, {220, 198}, kShift}), kNoErr);
  EXPECT_EQ(label(), "60 pt");
}

// What the tool shows and which cursor it sets at each step of a click-click
// gesture, down to the blocked press on the first pick's own segment.
TEST(TangentCircle, FeedbackAndCursorsFollowTheGesture) {
  TangentHost h;
  h.AddCircle({100, 100}, 40);
  h.AddCircle({220, 100}, 40);
  constexpr Point p1{100, 140}, p2{220, 140}, nowhere{400, 400};

  std::vector<DrawCall> drawn = h.StepAndDraw({Ev::Move, nowhere}, "16001");
  EXPECT_TRUE(drawn.empty());
  drawn = h.StepAndDraw({Ev::Move, p1}, "16002");
  EXPECT_EQ(Count(drawn, Kind::Line), 2) << "the marker's strokes along and across the path";
  EXPECT_EQ(Count(drawn, Kind::Ellipse), 2) << "the marker's two dots";
  h.StepAndDraw({Ev::Down, p1}, "16001");
  h.StepAndDraw({Ev::Up, p1}, "16001");
  drawn = h.StepAndDraw({Ev::Move, nowhere}, "16001");
  EXPECT_EQ(Count(drawn, Kind::Line), 3) << "the first marker and the line to the cursor";
  drawn = h.StepAndDraw({Ev::Move, p2}, "16002");
  EXPECT_EQ(Count(drawn, Kind::Line), 4 + 1 + 2) << "two markers, the line to the cursor, the centre cross";
  EXPECT_EQ(Count(drawn, Kind::Ellipse), 4 + 1) << "the markers' dots and the circle";

  // The first pick's own segment is no second pick: pressing there is blocked,
  // and releasing goes back to looking for the second path.
  h.StepAndDraw({Ev::Move, p1}, "16001");
  h.StepAndDraw({Ev::Down, p1}, "16500");
  h.StepAndDraw({Ev::Up, p1}, "16001");
  EXPECT_EQ(h.PathCount(), 2u);
  RunAll(h, Then({{Ev::Move, p2}}, Click(p2)));
  EXPECT_EQ(h.PathCount(), 3u);
  // Pressing over nothing is blocked too.
  h.StepAndDraw({Ev::Down, nowhere}, "16500");
  h.StepAndDraw({Ev::Up, nowhere}, "16001");
}

// Two segments of one path: the inside corner of an L gets the circle
// touching both legs.
TEST(TangentCircle, TwoSegmentsOfOnePathAreTwoPicks) {
  TangentHost h(30);
  const ArtId ell = h.AddPolyline({{100, 100}, {300, 100}, {300, 300}});
  RunAll(h, ClickClick({200, 100}, {300, 200}));
  const Art& circle = Created(h, 1);
  ExpectCircle(circle, {270, 130}, 30, 1e-3);
  ExpectTouches(circle, h.doc().art(ell));
}

TEST(TangentCircle, TheSelectionBeforeStaysSelectedWithTheNewCircle) {
  TangentHost h;
  const ArtId a = h.AddCircle({100, 100}, 40);
  h.AddCircle({220, 100}, 40);
  const ArtId other = h.AddPolyline({{400, 400}, {450, 450}});
  host::model::SetSelected(h.doc(), other, true);
  RunAll(h, ClickClick({100, 140}, {220, 140}));
  const ArtId circle = h.Paths().back();
  std::vector<ArtId> selected = host::model::SelectedArt(h.doc());
  std::sort(selected.begin(), selected.end());
  EXPECT_EQ(selected, (std::vector<ArtId>{other, circle}));
  EXPECT_FALSE(host::model::IsFullySelected(h.doc(), a));
}

// With Ask on a click-click completion opens the dialog; Ctrl inverts the
// stored choice for that completion.  A radius drag never asks.
TEST(TangentCircle, CtrlInvertsWhetherTheDialogOpens) {
  const struct {
    const char* name;
    bool ask;
    uint16_t modifiers;
    bool radiusDrag;
    bool opens;
  } cases[] = {
      {"Ask on", true, 0, false, true},
      {"Ask on, Ctrl", true, kCtrl, false, false},
      {"Ask off", false, 0, false, false},
      {"Ask off, Ctrl", false, kCtrl, false, true},
      {"Ask on, radius drag", true, 0, true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TangentHost h(50, c.ask);
    h.AddCircle({100, 100}, 40);
    h.AddCircle({220, 100}, 40);
    std::string opened;
    DialogDriver dialogs(*h, {[&] {
                           opened = host::ActiveDialog(*h)->name;
                           host::Press(*h, kOK);
                         }});
    RunAll(h, c.radiusDrag ? Then(Click({100, 140}), DragTo({220, 140}, {220, 200}))
                           : ClickClick({100, 140}, {220, 140}, c.modifiers));
    EXPECT_EQ(opened, c.opens ? "TTRFilletOptions" : "");
    EXPECT_EQ(h.PathCount(), 3u) << "the circle is created either way";
  }
}

class TangentDialogTest : public ::testing::Test {
 protected:
  // Two circles; the first clicked, the second clicked with Ask on.
  void CompleteWith(std::vector<std::function<void()>> steps) {
    DialogDriver dialogs(*h, std::move(steps));
    RunAll(h, ClickClick({100, 140}, {220, 140}));
    EXPECT_TRUE(dialogs.AllRun());
  }
  // Paths other than the two circles.
  std::size_t Extra() { return h.PathCount() - 2; }

  TangentHost h{50, true};
  ArtId a = h.AddCircle({100, 100}, 40);
  ArtId b = h.AddCircle({220, 100}, 40);
};

TEST_F(TangentDialogTest, OKWithARadiusTypedInMillimetresCreatesThatRadius) {
  h.doc().SetRulerUnits(kMillimetersUnits);
  CompleteWith({[&] {
                  const std::optional<host::WindowInfo> dialog = host::ActiveDialog(*h);
                  ASSERT_TRUE(dialog);
                  EXPECT_EQ(dialog->title, "\xe5\x9c\x86\xe5\xbd\xa2\xe9\x80\x89\xe9\xa1\xb9") << "圆形选项, decoded for the window";
                  EXPECT_EQ(dialog->Control(kRadiusField)->text, "17.6389 mm") << "50 pt in mm, 4 decimals";
                  EXPECT_EQ(Extra(), 1u) << "the preview circle";
                },
                [&] { host::TypeText(*h, kRadiusField, "25 mm"); },
                [&] {
                  ASSERT_EQ(Extra(), 1u);
                  const Art& preview = h.doc().art(h.Paths().back());
                  EXPECT_NEAR(Dist(preview.segments[0].p, CentreOf(preview)), 25 * 72 / 25.4, 1e-3);
                },
                [&] { host::Press(*h, kOK); }});
  const float typed = static_cast<float>(25 * 72 / 25.4);
  EXPECT_EQ(h.StoredRadius(), typed);
  ASSERT_EQ(Extra(), 1u) << "the circle, and no preview left";
  const Art& circle = h.doc().art(h.Paths().back());
  EXPECT_NEAR(Dist(circle.segments[0].p, CentreOf(circle)), typed, 1e-3);
  ExpectTouches(circle, h.doc().art(a));
  ExpectTouches(circle, h.doc().art(b));
}

TEST_F(TangentDialogTest, CancelCreatesNothingStoresNothingAndRemovesThePreview) {
  CompleteWith({[&] { host::TypeText(*h, kRadiusField, "70"); },
                [&] { host::Toggle(*h, kAskBox); },
                [&] { EXPECT_EQ(Extra(), 1u); },
                [&] { host::Press(*h, kCancel); }});
  EXPECT_EQ(Extra(), 0u);
  EXPECT_EQ(h.StoredRadius(), 50);
  EXPECT_TRUE(h.StoredAsk());
  EXPECT_EQ(h->LiveHitRefs(), 0);
}

TEST_F(TangentDialogTest, ThePreviewBoxRemovesAndRestoresThePreviewCircle) {
  CompleteWith({[&] { EXPECT_EQ(Extra(), 1u); },
                [&] { host::Toggle(*h, kPreviewBox); },
                [&] { EXPECT_EQ(Extra(), 0u) << "preview off"; },
                [&] { host::TypeText(*h, kRadiusField, "60"); },
                [&] { EXPECT_EQ(Extra(), 0u) << "no preview while off"; },
                [&] { host::Toggle(*h, kPreviewBox); },
                [&] { EXPECT_EQ(Extra(), 1u) << "preview on again"; },
                [&] { host::Press(*h, kOK); }});
  EXPECT_EQ(Extra(), 1u);
  EXPECT_EQ(h.StoredRadius(), 60);
}

TEST_F(TangentDialogTest, UntickingAskStopsLaterCompletionsFromOpeningIt) {
  CompleteWith({[&] { host::Toggle(*h, kAskBox); }, [&] { host::Press(*h, kOK); }});
  EXPECT_FALSE(h.StoredAsk());
  EXPECT_EQ(Extra(), 1u);
  int opened = 0;
  host::SetModalDriver(*h, [&] {
    ++opened;
    host::Press(*h, kOK);
  });
  RunAll(h, ClickClick({100, 140}, {220, 140}));
  EXPECT_EQ(opened, 0);
  EXPECT_EQ(Extra(), 2u);
  RunAll(h, ClickClick({100, 140}, {220, 140}, kCtrl));
  EXPECT_EQ(opened, 1) << "Ctrl still asks";
  host::SetModalDriver(*h, nullptr);
}

// A radius of zero would leave the tool finding no circle ever after: OK
// refuses it, keeps the dialog open and says why.
TEST_F(TangentDialogTest, OKRefusesARadiusThatIsNotAboveZero) {
  CompleteWith({[&] { host::TypeText(*h, kRadiusField, "0"); },
                [&] {
                  EXPECT_FALSE(host::ActiveDialog(*h)->Control(kProblem)->visible);
                  host::Press(*h, kOK);
                },
                [&] {
                  const std::optional<host::WindowInfo> dialog = host::ActiveDialog(*h);
                  ASSERT_TRUE(dialog) << "the dialog stays open";
                  EXPECT_TRUE(dialog->Control(kProblem)->visible);
                  EXPECT_EQ(dialog->Control(kRadiusField)->text, "50 pt") << "the stored radius again";
                  EXPECT_EQ(Extra(), 1u) << "previewed with the stored radius";
                },
                [&] { host::Press(*h, kOK); }});
  EXPECT_EQ(h.StoredRadius(), 50);
  EXPECT_EQ(Extra(), 1u);
}

// OK stores the dialog's values and the circle is made with the stored
// radius: a store the host refuses is that error, not a circle of the radius
// stored before.
TEST_F(TangentDialogTest, ARefusedStoreOnOKReportsTheCodeAndMakesNothing) {
  constexpr AIErr kInjected = SP_FOURCC('P', 'U', 'T', '!');
  const host::model::Document before = h.doc();
  DialogDriver dialogs(*h, {[&] { host::TypeText(*h, kRadiusField, "70"); },
                            [&] {
                              h->faults().Fail(kAIPreferenceSuite, "PutRealPreference", kInjected, 1);
                              host::Press(*h, kOK);
                            }});
  RunAll(h, Then(Click({100, 140}), {{Ev::Move, {220, 140}}, {Ev::Down, {220, 140}}}));
  EXPECT_EQ(h->MouseUp({220, 140}), kInjected);
  EXPECT_TRUE(dialogs.AllRun());
  EXPECT_FALSE(host::ActiveDialog(*h)) << "the dialog is closed";
  EXPECT_TRUE(h.doc() == before) << "no circle of the old radius, no preview";
  EXPECT_EQ(h.StoredRadius(), 50);
  EXPECT_EQ(h->LiveHitRefs(), 0);
}

// Opened from the palette the dialog has nothing to preview; OK stores.
TEST(TangentCircle, TheDialogFromThePaletteStoresWithoutPreviewing) {
  TangentHost h;
  h.AddCircle({100, 100}, 40);
  h.AddCircle({220, 100}, 40);
  RunAll(h, Then(Click({100, 140}), {{Ev::Move, {220, 140}}}));
  DialogDriver dialogs(*h, {[&] { host::TypeText(*h, kRadiusField, "30"); },
                            [&] {
                              EXPECT_EQ(h.PathCount(), 2u) << "nothing previewed";
                              host::Toggle(*h, kAskBox);
                            },
                            [&] { host::Press(*h, kOK); }});
  EXPECT_EQ(h->EditToolOptions(kTitle), kNoErr);
  EXPECT_TRUE(dialogs.AllRun());
  EXPECT_EQ(h.StoredRadius(), 30);
  EXPECT_TRUE(h.StoredAsk());
  EXPECT_EQ(h.PathCount(), 2u);
}

// The picks survive a change of tool; a pick whose path is gone by then
// starts the gesture again.
TEST(TangentCircle, PicksSurviveATripToAnotherToolUnlessTheirPathIsGone) {
  for (const bool deleteFirst : {false, true}) {
    SCOPED_TRACE(deleteFirst ? "first path deleted meanwhile" : "paths kept");
    TangentHost h;
    const ArtId a = h.AddCircle({100, 100}, 40);
    h.AddCircle({220, 100}, 40);
    h.AddCircle({340, 100}, 40);
    RunAll(h, Click({100, 140}));
    ASSERT_EQ(h->SelectTool("QM Circle by 2 or 3 points"), kNoErr);
    if (deleteFirst) h.doc().Dispose(a);
    ASSERT_EQ(h->SelectTool(kTitle), kNoErr);
    RunAll(h, Then({{Ev::Move, {220, 140}}}, Click({220, 140})));
    if (!deleteFirst) {
      EXPECT_EQ(h.PathCount(), 4u) << "the kept first pick and this click";
      continue;
    }
    EXPECT_EQ(h.PathCount(), 2u) << "this click is a first pick";
    RunAll(h, Then({{Ev::Move, {340, 140}}}, Click({340, 140})));
    EXPECT_EQ(h.PathCount(), 3u);
  }
}

// A creation the host refuses part-way returns the host's code and leaves
// neither a half-made circle nor the dialog's preview, and no hit reference.
TEST(TangentCircle, ARefusedCreationLeavesNothingAndReportsTheCode) {
  constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');
  for (const bool viaDialog : {false, true}) {
    SCOPED_TRACE(viaDialog ? "confirmed in the dialog" : "created at once");
    TangentHost h(50, viaDialog);
    h.AddCircle({100, 100}, 40);
    h.AddCircle({220, 100}, 40);
    const host::model::Document before = h.doc();
    DialogDriver dialogs(*h, {[&] {
                           EXPECT_EQ(h.PathCount(), 3u) << "previewed";
                           h->faults().Fail(kAIPathSuite, "SetPathSegments", kInjected, 1);
                           host::Press(*h, kOK);
                         }});
    if (!viaDialog) h->faults().Fail(kAIPathSuite, "SetPathSegments", kInjected, 1);
    RunAll(h, Then(Click({100, 140}), {{Ev::Move, {220, 140}}, {Ev::Down, {220, 140}}}));
    EXPECT_EQ(h->MouseUp({220, 140}), kInjected);
    EXPECT_EQ(h->faults().FailuresInjected(), 1);
    EXPECT_TRUE(h.doc() == before);
    EXPECT_EQ(h->LiveHitRefs(), 0);
    h->faults().Clear();
    // The next gesture starts afresh and works.
    h->preferences().PutBoolean(kSection, "CircleTTRAsk", false);
    RunAll(h, ClickClick({100, 140}, {220, 140}));
    EXPECT_EQ(h.PathCount(), 3u);
  }
}

// Every host call the completing click makes (the press and the release on
// the second path, through the dialog or not), failed in turn: an error comes
// back or the circle is complete; the document holds the circle or nothing of
// it, with no preview left; nothing borrowed is kept; and the next gesture
// makes its circle from scratch.
TEST(TangentCircle, EveryHostCallOfACompletionFailsCleanly) {
  constexpr AIErr kInjected = SP_FOURCC('F', 'L', 'T', '!');
  constexpr Point p1{100, 140}, p2{220, 140};
  for (const bool viaDialog : {false, true}) {
    SCOPED_TRACE(viaDialog ? "confirmed in the dialog" : "created at once");
    const auto setUp = [&](TangentHost& h) {
      h.AddCircle({100, 100}, 40);
      h.AddCircle({220, 100}, 40);
      RunAll(h, Then(Click(p1), {{Ev::Move, p2}}));
    };
    const auto complete = [&](TangentHost& h) {
      DialogDriver dialogs(*h, {[&] { host::Press(*h, kOK); }});
      const AIErr down = h->MouseDown({p2.h, p2.v});
      const AIErr up = h->MouseUp({p2.h, p2.v});
      return down != kNoErr ? down : up;
    };
    std::vector<host::FaultInjector::Call> calls;
    host::model::Document created;
    {
      TangentHost h(50, viaDialog);
      setUp(h);
      h->faults().RecordCalls(true);
      ASSERT_EQ(complete(h), kNoErr);
      calls = h->faults().RecordedCalls();
      h->faults().RecordCalls(false);
      created = h.doc();
    }
    ASSERT_FALSE(calls.empty());
    // Until the circle is being made, a refused call means no circle was
    // found: the click then silently creates nothing, as on a place where no
    // circle fits.  (Through the dialog, the circle is searched again after it
    // closes, after the preview was made.)
    const auto creation = std::find_if(calls.rbegin(), calls.rend(),
                                       [](const auto& c) { return c.function == "GetInsertionPoint"; });
    ASSERT_NE(creation, calls.rend());
    for (std::size_t k = 0; k < calls.size(); ++k) {
      const host::FaultInjector::Call& call = calls[k];
      const int nth = static_cast<int>(std::count(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(k) + 1, call));
      SCOPED_TRACE(call.suite + " " + call.function + " #" + std::to_string(nth));
      TangentHost h(50, viaDialog);
      setUp(h);
      const std::size_t before = h.PathCount();
      const host::model::Document untouched = h.doc();
      h->faults().Fail(call.suite, call.function, kInjected, nth);
      const AIErr code = complete(h);
      h->faults().Clear();
      EXPECT_EQ(host::ModalDepth(*h), 0);
      // A preview the host refused to remove goes with the next event.
      EXPECT_EQ(h->TrackCursor({400, 400}), kNoErr);
      const bool complete = h.PathCount() == before + 1;
      const bool searching = k < static_cast<std::size_t>(calls.rend() - creation - 1);
      EXPECT_TRUE(code != kNoErr || complete || searching) << "success reported for an incomplete result";
      EXPECT_TRUE(h.PathCount() == before || complete) << "a preview or half-made circle was left";
      if (complete) ExpectCircle(h.doc().art(h.Paths().back()), {160, 100 + std::sqrt(90.0 * 90 - 60 * 60)}, 50, 0.05);
      if (!complete) {
        EXPECT_TRUE(h.doc() == untouched);
      }
      // A reference whose release the host itself refused is still the host's.
      const bool releaseRefused = call.suite == kAIHitTestSuite && call.function == "Release";
      EXPECT_EQ(h->LiveHitRefs(), releaseRefused ? 1 : 0);
      const std::size_t now = h.PathCount();
      h->preferences().PutBoolean(kSection, "CircleTTRAsk", false);
      RunAll(h, ClickClick(p1, p2));
      EXPECT_EQ(h.PathCount(), now + 1) << "the next gesture";
      if (::testing::Test::HasFailure()) return;
    }
  }
}

}  // namespace
}  // namespace plugin_test
