// "QM Curvature circle" through the loaded module: the circle it shows and
// makes where the cursor is on a path, the label, the cursor, and what a
// refused creation leaves.
#include <algorithm>
#include <cmath>
#include <string>

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

constexpr const char* kTitle = "QM Curvature circle";

class CurvatureHost : public ToolHost {
 public:
  CurvatureHost() : ToolHost(kTitle) {}
  // One cubic piece.
  ArtId AddCubic(Point p0, Point p1, Point p2, Point p3) { return AddPath({{p0, p0, p1, true}, {p3, p2, p3, true}}); }
  std::size_t PathCount() { return Paths().size(); }
  std::string Label() {
    for (const DrawCall& d : Drawn())
      if (d.kind == Kind::Text) return d.text;
    return "";
  }
  int Circles() { return Count(Drawn(), Kind::Ellipse); }
};

// The created ellipse's centre and radius, from its four anchors (left, right, top, bottom).
struct Made {
  Point centre;
  double radius;
};
Made Measure(const Art& oval) {
  double left = INFINITY, right = -INFINITY, low = INFINITY, high = -INFINITY;
  for (const Segment& s : oval.segments) {
    left = std::min(left, s.p.h), right = std::max(right, s.p.h);
    low = std::min(low, s.p.v), high = std::max(high, s.p.v);
  }
  // The corners are single precision: good to about 1e-5 pt here.
  EXPECT_NEAR(right - left, high - low, 4e-5) << "a circle, not an ellipse";
  return {{(left + right) / 2, (low + high) / 2}, (right - left) / 2};
}

// t on the piece nearest p, by Newton steps on (B(t) - p).B'(t) from a scan.
double NearestT(const Segment& a, const Segment& b, Point p) {
  double best = 0, bestD = INFINITY;
  for (int k = 0; k <= 400; ++k)
    if (const double d = Dist(PieceAt(a, b, k / 400.0), p); d < bestD) bestD = d, best = k / 400.0;
  for (int i = 0; i < 40; ++i) {
    const double h = 1e-7;
    const auto f = [&](double t) { return DotP(Minus(PieceAt(a, b, t), p), Derivative(a, b, t)); };
    best -= f(best) / ((f(best + h) - f(best - h)) / (2 * h));
  }
  return best;
}

TEST(CurvatureCircle, OnACirclePathTheCircleIsThePathsOwn) {
  CurvatureHost h;
  h.AddPath(CircleSegments({200, 200}, 50), true);
  for (const double degrees : {10.0, 45.0, 200.0}) {
    SCOPED_TRACE(degrees);
    const std::size_t before = h.PathCount();
    h.Run(Click(OnCircle({200, 200}, 50, degrees)));
    ASSERT_EQ(h.PathCount(), before + 1);
    const Made made = Measure(h.doc().art(h.Paths().back()));
    EXPECT_NEAR(made.centre.h, 200, 1e-4);
    EXPECT_NEAR(made.centre.v, 200, 1e-4);
    // The mean of the piece's end and middle distances: within the Bezier circle's deviation.
    EXPECT_NEAR(made.radius, 50, 50 * 3e-4);
  }
}

// Turning either way, the circle created has radius 1/|k| at the click and its
// centre on the normal, on the side the path turns to.
TEST(CurvatureCircle, OnACubicTheOsculatingCircle) {
  const struct {
    const char* name;
    Point p0, p1, p2, p3;
  } cases[] = {
      {"turning clockwise", {100, 100}, {130, 160}, {190, 170}, {220, 110}},
      {"turning counter-clockwise", {100, 300}, {130, 240}, {190, 230}, {220, 290}},
  };
  for (const auto& c : cases) {
    for (const double t : {0.2, 0.5, 0.7}) {
      SCOPED_TRACE(std::string(c.name) + " at " + std::to_string(t));
      CurvatureHost h;
      const ArtId cubic = h.AddCubic(c.p0, c.p1, c.p2, c.p3);
      const Segment a = h.doc().art(cubic).segments[0], b = h.doc().art(cubic).segments[1];
      const Point click = PieceAt(a, b, t);
      h.Run(Click(click));
      ASSERT_EQ(h.PathCount(), 2u);
      const Made made = Measure(h.doc().art(h.Paths().back()));
      const double u = NearestT(a, b, click);
      const Point d1 = Derivative(a, b, u);
      const double e = 1e-5;
      const Point d2 = Minus(Derivative(a, b, u + e), Derivative(a, b, u - e));
      const double k = Cross(d1, {d2.h / (2 * e), d2.v / (2 * e)}) / std::pow(Len(d1), 3);
      EXPECT_NEAR(made.radius, 1 / std::abs(k), 1e-6 / std::abs(k));
      const Point towards = Minus(made.centre, PieceAt(a, b, u));
      EXPECT_NEAR(Len(towards), 1 / std::abs(k), 1e-6 / std::abs(k));
      EXPECT_LT(std::abs(DotP(towards, UnitOf(d1))), 1e-6 / std::abs(k)) << "on the normal";
      EXPECT_GT(Cross(d1, towards) * k, 0) << "on the side the path turns to";
    }
  }
}

TEST(CurvatureCircle, FeedbackLabelAndCursor) {
  CurvatureHost h;
  h.AddPath(CircleSegments({200, 200}, 50), true);
  h.StepAndDraw({Ev::Move, {400, 400}}, "16001");
  EXPECT_EQ(h.Circles(), 0);
  EXPECT_EQ(h.Label(), "");
  h.StepAndDraw({Ev::Move, {250, 200}}, "16002");
  EXPECT_EQ(h.Circles(), 1);
  // "半径: " and the radius in points with three decimals.
  const std::string label = h.Label();
  EXPECT_EQ(label.rfind("\xe5\x8d\x8a\xe5\xbe\x84: ", 0), 0u) << label;
  EXPECT_NE(label.find(" pt"), std::string::npos) << label;
}

TEST(CurvatureCircle, PlacesWithNoCircleCreateNothing) {
  const struct {
    const char* name;
    std::vector<Step> steps;
    bool label;  // a label but no circle
  } cases[] = {
      {"a straight piece", Click({150, 100}), false},
      {"pressed on a path, released off it", DragTo({250, 200}, {400, 420}), false},
      {"a radius above 8191 pt", Click({597.622651, 500.14994}), true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CurvatureHost h;
    h.AddPolyline({{100, 100}, {300, 100}});
    h.AddPath(CircleSegments({200, 200}, 50), true);
    // A flat S: near its inflection point (t = 0.49: radius about 12,000 pt) the circle is too
    // large to draw.
    h.AddCubic({500, 500}, {566, 510}, {633, 490}, {700, 500});
    const std::size_t before = h.PathCount();
    h.Run(c.steps);
    EXPECT_EQ(h.PathCount(), before);
    h.Run({{Ev::Move, c.steps.back().p}});
    EXPECT_EQ(h.Circles(), 0);
    EXPECT_EQ(!h.Label().empty(), c.label) << h.Label();
  }
}

TEST(CurvatureCircle, ARefusedCreationReportsTheCodeAndLeavesNothing) {
  constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');
  CurvatureHost h;
  h.AddPath(CircleSegments({200, 200}, 50), true);
  const host::model::Document before = h.doc();
  h->faults().Fail(kAIShapeConstructionSuite, "NewPointPointOval", kInjected, 1);
  EXPECT_EQ(h->TrackCursor({250, 200}), kNoErr);
  EXPECT_EQ(h->MouseDown({250, 200}), kNoErr);
  EXPECT_EQ(h->MouseUp({250, 200}), kInjected);
  EXPECT_TRUE(h.doc() == before);
  EXPECT_EQ(h->LiveHitRefs(), 0);
  h.Run(Click({250, 200}));
  EXPECT_EQ(h.PathCount(), 2u) << "the next click works";
}

}  // namespace
}  // namespace plugin_test
