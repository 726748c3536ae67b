// "QM Orient" through the loaded module: the axis it keeps in the document,
// what dragging an end does to the selection, Transform Again, the
// double-click gestures, and edits the host fails in the middle of.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <numbers>
#include <optional>
#include <string>

#include "host/runtime/Preferences.h"
#include "tests/plugin/ToolHost.h"

namespace plugin_test {
namespace {

using host::model::Art;
using host::model::ArtId;
using host::model::ArtType;
using host::model::Document;
using host::model::Point;

constexpr const char* kOrientTitle = "QM Orient";
constexpr uint16_t kDoubleClick = aiEventModifiers_doubleClick;
constexpr double kPi = std::numbers::pi;

// Anchors written through single-precision matrices a few hundred points from
// the origin are good to a few 1e-5 pt.
constexpr double kTol = 1e-3;

constexpr const char* kAxisKeys[4] = {"Tessory_Orient_Axis_Start_X", "Tessory_Orient_Axis_Start_Y",
                                      "Tessory_Orient_Axis_End_X", "Tessory_Orient_Axis_End_Y"};

struct Axis {
  Point start, end;
};

double AngleOf(Point from, Point to) { return std::atan2(to.v - from.v, to.h - from.h); }
double Dist(Point a, Point b) { return std::hypot(a.h - b.h, a.v - b.v); }
Point At(Point a, double length, double degrees) {
  return {a.h + length * std::cos(degrees * kPi / 180), a.v + length * std::sin(degrees * kPi / 180)};
}
// p turned by angle about c and scaled by s from c.
Point Turned(Point p, Point c, double angle, double s = 1) {
  const double dx = p.h - c.h, dy = p.v - c.v;
  return {c.h + s * (dx * std::cos(angle) - dy * std::sin(angle)), c.v + s * (dx * std::sin(angle) + dy * std::cos(angle))};
}
double Wrapped(double a) { return std::remainder(a, 2 * kPi); }

void SetAxis(Document& doc, Axis a) {
  const double values[4] = {a.start.h, a.start.v, a.end.h, a.end.v};
  for (int i = 0; i < 4; ++i) doc.dictionary()[kAxisKeys[i]] = static_cast<float>(values[i]);
}

std::optional<Axis> StoredAxis(const Document& doc) {
  float v[4];
  for (int i = 0; i < 4; ++i) {
    const auto it = doc.dictionary().find(kAxisKeys[i]);
    if (it == doc.dictionary().end()) return std::nullopt;
    v[i] = std::get<float>(it->second);
  }
  return Axis{{v[0], v[1]}, {v[2], v[3]}};
}

double StoredRotation(const Art& art) {
  const auto it = art.dictionary.find("BBAccumRotation");
  if (it == art.dictionary.end()) return 0;
  float r = 0;
  std::sscanf(std::get<std::string>(it->second).c_str(), "%f", &r);
  return r;
}

std::vector<Point> Anchors(const Art& art) {
  std::vector<Point> points;
  for (const auto& s : art.segments) points.push_back(s.p);
  return points;
}

void ExpectAnchorsAt(const Art& art, const std::vector<Point>& expected, double tol = kTol) {
  ASSERT_EQ(art.segments.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_NEAR(art.segments[i].p.h, expected[i].h, tol) << "anchor " << i;
    EXPECT_NEAR(art.segments[i].p.v, expected[i].v, tol) << "anchor " << i;
  }
}

std::vector<Point> Mapped(const std::vector<Point>& points, Point c, double angle, double s = 1) {
  std::vector<Point> out;
  for (const Point& p : points) out.push_back(Turned(p, c, angle, s));
  return out;
}

class OrientHost : public ToolHost {
 public:
  OrientHost() : ToolHost(kOrientTitle) {}

  // A closed square of half-size r about c, as four corner anchors.
  ArtId Square(Point c, double r) {
    const ArtId id = AddPolyline({{c.h - r, c.v - r}, {c.h + r, c.v - r}, {c.h + r, c.v + r}, {c.h - r, c.v + r}});
    doc().art(id).closed = true;
    return id;
  }
  void SelectOnly(std::initializer_list<ArtId> ids) {
    host::model::DeselectAll(doc());
    for (ArtId id : ids) host::model::SetSelected(doc(), id, true);
  }
  // A press, drags in `steps` even steps, a release.
  AIErr DragFromTo(Point from, Point to, uint16_t modifiers = 0, int steps = 6) {
    if (AIErr e = (*this)->MouseDown({from.h, from.v}, modifiers)) return e;
    for (int i = 1; i <= steps; ++i) {
      const double t = static_cast<double>(i) / steps;
      if (AIErr e = (*this)->MouseDrag({from.h + t * (to.h - from.h), from.v + t * (to.v - from.v)}, modifiers))
        return e;
    }
    return (*this)->MouseUp({to.h, to.v}, modifiers);
  }
  AIErr Click(Point p, uint16_t modifiers = 0) {
    if (AIErr e = (*this)->MouseDown({p.h, p.v}, modifiers)) return e;
    return (*this)->MouseUp({p.h, p.v}, modifiers);
  }
  AIErr DoubleClick(Point p, uint16_t modifiers = 0) {
    if (AIErr e = Click(p, modifiers)) return e;
    return Click(p, static_cast<uint16_t>(modifiers | kDoubleClick));
  }
};

constexpr Axis kAxis{{100, 100}, {200, 100}};

// Dragging an axis end: the selection turns by exactly the angle the axis
// turned through, about the end that stayed, and scales with Ctrl by the
// ratio of the axis lengths; with Alt the original stays and a transformed
// copy is selected instead.
TEST(OrientTool, DraggingAnAxisEndTurnsTheSelectionWithTheAxis) {
  const struct {
    const char* name;
    Point press, to;
    uint16_t modifiers;
  } cases[] = {
      {"end through 90 degrees", kAxis.end, {100, 180}, 0},
      {"end through -30 degrees, length kept", kAxis.end, At(kAxis.start, 70, -30), 0},
      {"start grabbed: turns about the end", {101, 102}, At(kAxis.end, 100, 135), 0},
      {"Ctrl: the end follows the cursor and the selection scales", kAxis.end, {190, 220}, kCtrl},
      {"Ctrl: shrinking", kAxis.end, At(kAxis.start, 40, 200), kCtrl},
      {"Alt: a turned copy, the original kept", kAxis.end, At(kAxis.start, 100, 60), kAlt},
      {"Ctrl and Alt", kAxis.end, At(kAxis.start, 130, 150), kCtrl | kAlt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    const ArtId square = h.Square({260, 160}, 20);
    h.SelectOnly({square});
    const std::vector<Point> before = Anchors(h.doc().art(square));
    ASSERT_EQ(h.DragFromTo(c.press, c.to, c.modifiers), kNoErr);

    const bool grabbedStart = Dist(c.press, kAxis.start) < Dist(c.press, kAxis.end);
    const Point fixed = grabbedStart ? kAxis.end : kAxis.start;
    const Point oldMoving = grabbedStart ? kAxis.start : kAxis.end;
    const std::optional<Axis> axis = StoredAxis(h.doc());
    ASSERT_TRUE(axis);
    const Point stayed = grabbedStart ? axis->end : axis->start;
    const Point moved = grabbedStart ? axis->start : axis->end;
    EXPECT_EQ(stayed.h, fixed.h);
    EXPECT_EQ(stayed.v, fixed.v);
    // The moving end lies towards the cursor, at the cursor with Ctrl and at
    // the old distance without.
    EXPECT_NEAR(Wrapped(AngleOf(fixed, moved) - AngleOf(fixed, c.to)), 0, 1e-6);
    const bool ctrl = c.modifiers & kCtrl;
    EXPECT_NEAR(Dist(fixed, moved), ctrl ? Dist(fixed, c.to) : Dist(fixed, oldMoving), 1e-4);

    const double turn = AngleOf(fixed, moved) - AngleOf(fixed, oldMoving);
    const double scale = ctrl ? Dist(fixed, moved) / Dist(fixed, oldMoving) : 1;
    const std::vector<Point> expected = Mapped(before, fixed, turn, scale);
    const std::vector<ArtId> paths = h.Paths();
    const std::vector<ArtId> selected = host::model::SelectedArt(h.doc());
    ASSERT_EQ(selected.size(), 1u);
    if (c.modifiers & kAlt) {
      ASSERT_EQ(paths.size(), 2u);
      EXPECT_EQ(Anchors(h.doc().art(square)), before) << "the original is untouched";
      EXPECT_FALSE(host::model::IsSelected(h.doc(), square));
      EXPECT_NE(selected[0], square);
      ExpectAnchorsAt(h.doc().art(selected[0]), expected);
    } else {
      ASSERT_EQ(paths.size(), 1u) << "no preview copy is left";
      EXPECT_EQ(selected[0], square);
      ExpectAnchorsAt(h.doc().art(square), expected);
    }
    EXPECT_NEAR(Wrapped(StoredRotation(h.doc().art(selected[0])) - turn), 0, 1e-5);
  }
}

// While dragging, transformed copies show where the selection will go; the
// selection itself stays until the release.
TEST(OrientTool, DraggingShowsOnePreviewCopyPerSelectedObject) {
  OrientHost h;
  SetAxis(h.doc(), kAxis);
  const ArtId a = h.Square({260, 160}, 20), b = h.Square({300, 60}, 10);
  h.SelectOnly({a, b});
  const std::vector<Point> before = Anchors(h.doc().art(a));
  ASSERT_EQ(h->MouseDown({200, 100}), kNoErr);
  for (double deg : {10.0, 30.0, 50.0}) {
    const Point q = At(kAxis.start, 100, deg);
    ASSERT_EQ(h->MouseDrag({q.h, q.v}), kNoErr);
    const std::vector<ArtId> paths = h.Paths();
    ASSERT_EQ(paths.size(), 4u) << "one set of copies at " << deg;
    EXPECT_EQ(Anchors(h.doc().art(a)), before);
    // The copy of a lies directly above it and is turned to the axis.
    const std::vector<ArtId>& layer = h.doc().art(h.doc().art(a).parent()).children();
    const auto at = std::find(layer.begin(), layer.end(), a);
    ASSERT_NE(at, layer.begin());
    ExpectAnchorsAt(h.doc().art(*(at - 1)), Mapped(before, kAxis.start, deg * kPi / 180));
  }
  ASSERT_EQ(h->SelectTool("QM Connect"), kNoErr);
  EXPECT_EQ(h.Paths().size(), 2u) << "choosing another tool mid-drag takes the copies away";
}

// However many preview copies came and went, the gesture is one undo step,
// and undoing it brings back the document exactly, axis included.
TEST(OrientTool, AGestureIsOneUndoStep) {
  for (const uint16_t modifiers : {uint16_t{0}, kAlt}) {
    SCOPED_TRACE(modifiers);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    const ArtId a = h.Square({260, 160}, 20);
    h.SelectOnly({a});
    const Document before = h.doc();
    ASSERT_EQ(h.DragFromTo(kAxis.end, At(kAxis.start, 100, 80), modifiers, 8), kNoErr);
    const Document after = h.doc();
    EXPECT_EQ(h->UndoDepth(), 1u);
    ASSERT_TRUE(h->Undo());
    EXPECT_TRUE(h.doc() == before);
    ASSERT_TRUE(h->Redo());
    EXPECT_TRUE(h.doc() == after);
  }
}

// Shift keeps the moving end on the host's constraint angle plus multiples of
// 45 degrees, seen from the fixed end.
TEST(OrientTool, ShiftKeepsTheAxisOnConstraintAngleSteps) {
  const struct {
    double constrainDegrees, dragDegrees, expectedDegrees;
  } cases[] = {{0, 50, 45}, {10, 50, 55}, {10, 80, 100}, {30, -20, -15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.constrainDegrees) + " / " + std::to_string(c.dragDegrees));
    OrientHost h;
    h->preferences().PutReal(host::Preferences::kHostSection, "constrain/angle", c.constrainDegrees);
    SetAxis(h.doc(), kAxis);
    ASSERT_EQ(h.DragFromTo(kAxis.end, At(kAxis.start, 100, c.dragDegrees), kShift), kNoErr);
    const std::optional<Axis> axis = StoredAxis(h.doc());
    ASSERT_TRUE(axis);
    EXPECT_NEAR(Wrapped(AngleOf(axis->start, axis->end) - c.expectedDegrees * kPi / 180), 0, 1e-6);
    EXPECT_NEAR(Dist(axis->start, axis->end), 100, 1e-4);
  }
}

// Transform Again repeats the last orient on whatever is selected now, as a
// copy when the orient made a copy.
TEST(OrientTool, TransformAgainRepeatsTheTransformOnTheCurrentSelection) {
  for (const uint16_t modifiers : {uint16_t{0}, kCtrl, kAlt}) {
    SCOPED_TRACE(modifiers);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    const ArtId first = h.Square({260, 160}, 20), second = h.Square({40, 300}, 15);
    h.SelectOnly({first});
    const Point to = At(kAxis.start, 150, 40);
    ASSERT_EQ(h.DragFromTo(kAxis.end, to, modifiers), kNoErr);
    const std::optional<Axis> axis = StoredAxis(h.doc());
    ASSERT_TRUE(axis);
    const double turn = AngleOf(axis->start, axis->end);
    const double scale = Dist(axis->start, axis->end) / 100;

    h.SelectOnly({second});
    const std::vector<Point> before = Anchors(h.doc().art(second));
    const std::size_t paths = h.Paths().size();
    ASSERT_EQ(h->TransformAgain(), kNoErr);
    const std::vector<ArtId> selected = host::model::SelectedArt(h.doc());
    ASSERT_EQ(selected.size(), 1u);
    const std::vector<Point> expected = Mapped(before, kAxis.start, turn, scale);
    if (modifiers & kAlt) {
      EXPECT_EQ(h.Paths().size(), paths + 1);
      EXPECT_EQ(Anchors(h.doc().art(second)), before);
      ExpectAnchorsAt(h.doc().art(selected[0]), expected);
    } else {
      EXPECT_EQ(h.Paths().size(), paths);
      EXPECT_EQ(selected[0], second);
      ExpectAnchorsAt(h.doc().art(second), expected);
    }
  }
}

// Click, move, click: a new axis from the first click to where the cursor
// was before the second press; it is saved with the document and shown again
// when the document is reopened.
TEST(OrientTool, TheAxisIsKeptInTheDocumentAndSurvivesSavingAndReopening) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "corvane-orient-axis.svg";
  const Point first{123.456789, 234.5678}, last{345.678, 98.7654};
  Axis stored{};
  {
    OrientHost h;
    const ArtId square = h.Square({300, 300}, 10);
    h.SelectOnly({square});
    const std::vector<Point> before = Anchors(h.doc().art(square));
    ASSERT_EQ(h.Click(first), kNoErr);
    ASSERT_EQ(h->TrackCursor({200, 200}), kNoErr);
    ASSERT_EQ(h->TrackCursor({last.h, last.v}), kNoErr);
    ASSERT_EQ(h.Click({last.h + 40, last.v + 40}), kNoErr);
    const std::optional<Axis> axis = StoredAxis(h.doc());
    ASSERT_TRUE(axis);
    stored = *axis;
    // Single precision, nearest to the points given.
    EXPECT_EQ(stored.start.h, static_cast<float>(first.h));
    EXPECT_EQ(stored.start.v, static_cast<float>(first.v));
    EXPECT_EQ(stored.end.h, static_cast<float>(last.h));
    EXPECT_EQ(stored.end.v, static_cast<float>(last.v));
    EXPECT_EQ(Anchors(h.doc().art(square)), before) << "drawing an axis changes no art";
    h->SaveDocument(file);
  }
  OrientHost h;
  h->OpenDocument(file);
  std::filesystem::remove(file);
  const std::optional<Axis> reopened = StoredAxis(h.doc());
  ASSERT_TRUE(reopened);
  EXPECT_EQ(reopened->start, stored.start);
  EXPECT_EQ(reopened->end, stored.end);
  ASSERT_EQ(h->TrackCursor({10, 10}), kNoErr);
  const std::vector<host::DrawCall> drawn = h.Drawn();
  ASSERT_EQ(Count(drawn, host::DrawCall::Kind::Line), 1);
  EXPECT_EQ(Count(drawn, host::DrawCall::Kind::Ellipse), 2);
  const host::DrawCall& line = *std::find_if(drawn.begin(), drawn.end(),
                                             [](const auto& d) { return d.kind == host::DrawCall::Kind::Line; });
  const AIPoint a = h->ArtworkToView({stored.start.h, stored.start.v}), b = h->ArtworkToView({stored.end.h, stored.end.v});
  EXPECT_EQ(line.points[0].h, a.h);
  EXPECT_EQ(line.points[0].v, a.v);
  EXPECT_EQ(line.points[1].h, b.h);
  EXPECT_EQ(line.points[1].v, b.v);
  EXPECT_EQ(line.color.red, 0xffff);
  EXPECT_EQ(line.color.green, 0);
}

// An axis of no length has no direction: a click that ends where it began, or
// a drag back onto the fixed end, stores none and turns nothing.
TEST(OrientTool, NoAxisOfZeroLengthIsStored) {
  OrientHost h;
  SetAxis(h.doc(), kAxis);
  const ArtId square = h.Square({260, 160}, 20);
  h.SelectOnly({square});
  const std::vector<Point> before = Anchors(h.doc().art(square));
  ASSERT_EQ(h.DragFromTo(kAxis.end, kAxis.start, kCtrl), kNoErr);
  std::optional<Axis> axis = StoredAxis(h.doc());
  ASSERT_TRUE(axis);
  EXPECT_GT(Dist(axis->start, axis->end), 1);
  EXPECT_EQ(Anchors(h.doc().art(square)), before);
  ASSERT_EQ(h.Click({400, 400}), kNoErr);
  ASSERT_EQ(h.Click({400, 400}), kNoErr);
  axis = StoredAxis(h.doc());
  ASSERT_TRUE(axis);
  EXPECT_GT(Dist(axis->start, axis->end), 1);
}

TEST(OrientTool, DoubleClickRemovesTheAxis) {
  OrientHost h;
  SetAxis(h.doc(), kAxis);
  ASSERT_EQ(h->TrackCursor({300, 300}), kNoErr);
  ASSERT_EQ(Count(h.Drawn(), host::DrawCall::Kind::Line), 1);
  ASSERT_EQ(h.DoubleClick({300, 300}), kNoErr);
  EXPECT_FALSE(StoredAxis(h.doc()));
  for (const char* key : kAxisKeys) EXPECT_EQ(h.doc().dictionary().count(key), 0u) << key;
  EXPECT_TRUE(h.Drawn().empty());
  // With no axis, an Alt-drag only draws a new one: there is nothing to copy from.
  const ArtId square = h.Square({260, 160}, 20);
  h.SelectOnly({square});
  ASSERT_EQ(h.DragFromTo({50, 50}, {90, 90}, kAlt), kNoErr);
  EXPECT_EQ(h.Paths().size(), 1u);
  EXPECT_TRUE(StoredAxis(h.doc()));
}

// Alt+double-click turns the selection back by the rotation it has
// accumulated: objects turned alike turn back together about the centre of
// their joint bounds, objects turned differently each about its own centre.
// The axis stays as it was.
TEST(OrientTool, AltDoubleClickTurnsObjectsBackToTheirOriginalAngle) {
  const struct {
    const char* name;
    double firstDegrees, secondDegrees;
    bool together;
  } cases[] = {
      {"one object turned by 30 degrees", 30, 0, false},
      {"two objects turned together by 30 degrees", 30, 30, true},
      {"two objects turned by 30 and 45 degrees", 30, 45, false},
      {"turned twice, by 120 and 170 degrees", 120, 170, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    const ArtId a = h.Square({260, 160}, 20), b = h.Square({320, 60}, 10);
    const double angleA = AngleOf(h.doc().art(a).segments[0].p, h.doc().art(a).segments[1].p);
    if (c.together) {
      h.SelectOnly({a, b});
      ASSERT_EQ(h.DragFromTo(kAxis.end, At(kAxis.start, 100, c.firstDegrees)), kNoErr);
      if (c.secondDegrees != c.firstDegrees) {
        ASSERT_EQ(h.DragFromTo(At(kAxis.start, 100, c.firstDegrees), At(kAxis.start, 100, c.secondDegrees)), kNoErr);
      }
    } else {
      h.SelectOnly({a});
      ASSERT_EQ(h.DragFromTo(kAxis.end, At(kAxis.start, 100, c.firstDegrees)), kNoErr);
      if (c.secondDegrees != 0) {
        SetAxis(h.doc(), kAxis);
        h.SelectOnly({b});
        ASSERT_EQ(h.DragFromTo(kAxis.end, At(kAxis.start, 100, c.secondDegrees)), kNoErr);
      }
    }
    h.SelectOnly({a, b});
    const std::optional<Axis> axisBefore = StoredAxis(h.doc());
    const std::vector<Point> turnedA = Anchors(h.doc().art(a)), turnedB = Anchors(h.doc().art(b));
    ASSERT_EQ(h.DoubleClick({400, 400}, kAlt), kNoErr);

    const Art& backA = h.doc().art(a);
    EXPECT_NEAR(Wrapped(AngleOf(backA.segments[0].p, backA.segments[1].p) - angleA), 0, 1e-5);
    const Art& backB = h.doc().art(b);
    EXPECT_NEAR(Wrapped(AngleOf(backB.segments[0].p, backB.segments[1].p)), 0, 1e-5);
    EXPECT_NEAR(StoredRotation(backA), 0, 1e-5);
    // Turned about the joint centre, or each about its own: compare with
    // the turn computed here.
    const auto centreOf = [](const std::vector<Point>& pts) {
      double l = pts[0].h, r = l, t = pts[0].v, btm = t;
      for (const Point& p : pts) l = std::min(l, p.h), r = std::max(r, p.h), btm = std::min(btm, p.v), t = std::max(t, p.v);
      return Point{(l + r) / 2, (t + btm) / 2};
    };
    std::vector<Point> all = turnedA;
    all.insert(all.end(), turnedB.begin(), turnedB.end());
    const double backTurnA = -(c.together ? c.secondDegrees : c.firstDegrees) * kPi / 180;
    const Point centreA = c.together ? centreOf(all) : centreOf(turnedA);
    ExpectAnchorsAt(backA, Mapped(turnedA, centreA, backTurnA));
    const std::optional<Axis> axisAfter = StoredAxis(h.doc());
    ASSERT_TRUE(axisBefore && axisAfter);
    EXPECT_EQ(axisAfter->start, axisBefore->start);
    EXPECT_EQ(axisAfter->end, axisBefore->end);
  }
}

// A host failure anywhere in an edit comes back as the event's code, and the
// document is exactly as it was before the gesture: no half-turned
// selection, no stray copy, the axis where it was.
TEST(OrientTool, AFailedEditLeavesTheDocumentAsItWas) {
  const struct {
    const char* name;
    const char* suite;
    const char* function;
    int nth;
    uint16_t modifiers;
  } cases[] = {
      {"second transform", "AI Transform Art Suite", "TransformArt", 2, 0},
      {"last transform", "AI Transform Art Suite", "TransformArt", 5, 0},
      {"a rotation entry", "AI Dictionary Suite", "SetStringEntry", 3, 0},
      {"selecting the result", "AI Art Suite", "SetArtUserAttr", 2, 0},
      {"deselecting", "AI Matching Art Suite", "DeselectAll", 1, 0},
      {"second copy", "AI Art Suite", "DuplicateArt", 2, kAlt},
      {"a copy's transform", "AI Transform Art Suite", "TransformArt", 4, kAlt},
      {"closing the copy scope", "AI Art Suite", "DestroyCopyScope", 1, kAlt},
      {"registering for Transform Again", "AI Transform Again Suite", "SetTransformAgain", 1, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    // A square, and a group of two paths with one of them partly selected.
    const ArtId square = h.Square({260, 160}, 20);
    Document& d = h.doc();
    const ArtId group = d.NewArt(ArtType::Group, {kPlaceInsideOnTop, d.layer(d.currentLayer()).group});
    for (double x : {300.0, 340.0}) {
      const ArtId p = d.NewArt(ArtType::Path, {kPlaceInsideOnTop, group});
      for (Point q : {Point{x, 20}, Point{x + 20, 30}, Point{x + 5, 60}}) d.art(p).segments.push_back({q, q, q, true});
    }
    h.SelectOnly({square, group});
    const ArtId partly = h.AddPolyline({{20, 20}, {60, 20}, {60, 60}});
    d.art(partly).segments[1].selection = kSegmentPointSelected;
    const Document before = h.doc();

    const Point to = At(kAxis.start, 100, 70);
    ASSERT_EQ(h->MouseDown({kAxis.end.h, kAxis.end.v}, c.modifiers), kNoErr);
    ASSERT_EQ(h->MouseDrag({150, 150}, c.modifiers), kNoErr);
    ASSERT_EQ(h->MouseDrag({to.h, to.v}, c.modifiers), kNoErr);
    h->faults().Fail(c.suite, c.function, kLockedErr, c.nth);
    EXPECT_EQ(h->MouseUp({to.h, to.v}, c.modifiers), kLockedErr);
    EXPECT_EQ(h->faults().FailuresInjected(), 1);
    EXPECT_TRUE(h.doc() == before);
    EXPECT_EQ(h->LiveDictionaryRefs(), 0);
  }
}

// The same for Transform Again and for turning objects back.
TEST(OrientTool, AFailedRepeatOrTurnBackLeavesTheDocumentAsItWas) {
  const struct {
    const char* name;
    bool turnBack;
    const char* function;
    int nth;
  } cases[] = {
      {"Transform Again, second transform", false, "TransformArt", 2},
      {"turning back, second transform", true, "TransformArt", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    const ArtId a = h.Square({260, 160}, 20), b = h.Square({320, 60}, 10);
    h.SelectOnly({a, b});
    ASSERT_EQ(h.DragFromTo(kAxis.end, At(kAxis.start, 100, 25)), kNoErr);
    const Document before = h.doc();
    h->faults().Fail("AI Transform Art Suite", c.function, kLockedErr, c.nth);
    const AIErr result = c.turnBack ? h.DoubleClick({400, 400}, kAlt) : h->TransformAgain();
    EXPECT_EQ(result, kLockedErr);
    Document after = h.doc();
    if (c.turnBack) after.dictionary() = before.dictionary();  // the double-click's own axis work
    EXPECT_TRUE(after == before);
  }
}

// A host failure in any event of a drag, before the release applies the
// transform, abandons the drag: the axis goes back where the drag found it
// (the selection never turned with it) and no preview copy stays.
TEST(OrientTool, AFailedEventInADragPutsTheAxisBack) {
  const struct {
    const char* name;
    Point press;  // an axis end, or elsewhere (with Alt: copies onto a new axis)
    uint16_t modifiers;
    const char* suite;
    const char* function;
    bool onRelease;
  } cases[] = {
      {"a preview copy on a drag", kAxis.end, 0, "AI Art Suite", "DuplicateArt", false},
      {"reading the axis on a drag", kAxis.end, 0, "AI Dictionary Suite", "GetRealEntry", false},
      {"snapping the release", kAxis.end, 0, "AI Cursor Snap Suite", "Track", true},
      {"a preview copy, dragging a new axis with Alt", {60, 260}, kAlt, "AI Art Suite", "DuplicateArt", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    h.SelectOnly({h.Square({260, 160}, 20)});
    const Document before = h.doc();
    const Point to = At(c.press, 100, 50);
    ASSERT_EQ(h->MouseDown({c.press.h, c.press.v}, c.modifiers), kNoErr);
    ASSERT_EQ(h->MouseDrag({c.press.h + 20, c.press.v + 30}, c.modifiers), kNoErr);
    ASSERT_NE(StoredAxis(h.doc())->end.h, kAxis.end.h) << "the drag moves the axis";
    h->faults().Fail(c.suite, c.function, kLockedErr, 1);
    const AIErr code = c.onRelease ? h->MouseUp({to.h, to.v}, c.modifiers) : h->MouseDrag({to.h, to.v}, c.modifiers);
    h->faults().Clear();
    EXPECT_EQ(code, kLockedErr);
    EXPECT_TRUE(h.doc() == before);
  }
}

// A dictionary reference is taken before the dictionary suite is at hand:
// when the host then refuses the suite, the reference still goes back, and
// the event reports an error.
TEST(OrientTool, ARefusedDictionarySuiteLeavesNoDictionaryReferenceHeld) {
  const struct {
    const char* name;
    std::function<AIErr(OrientHost&)> act;
  } cases[] = {
      {"the document's, reading the axis on a cursor move", [](OrientHost& h) { return h->TrackCursor({300, 300}); }},
      {"an object's, keeping its rotation in Transform Again", [](OrientHost& h) { return h->TransformAgain(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    OrientHost h;
    SetAxis(h.doc(), kAxis);
    h.SelectOnly({h.Square({260, 160}, 20)});
    ASSERT_EQ(h.DragFromTo(kAxis.end, At(kAxis.start, 100, 30)), kNoErr);
    const Document before = h.doc();
    h->faults().Fail("AI Dictionary Suite", "AcquireSuite", kLockedErr, 1);
    EXPECT_NE(c.act(h), kNoErr);
    EXPECT_EQ(h->faults().FailuresInjected(), 1);
    EXPECT_EQ(h->LiveDictionaryRefs(), 0);
    EXPECT_TRUE(h.doc() == before);
  }
}

TEST(OrientTool, CursorsShowWhatAPressWouldDo) {
  OrientHost h;
  SetAxis(h.doc(), kAxis);
  const struct {
    const char* name;
    Point at;
    uint16_t modifiers;
    const char* cursor;
  } cases[] = {
      {"away from the axis", {300, 300}, 0, "16001"},
      {"away, Alt", {300, 300}, kAlt, "16005"},
      {"near the end", {203, 102}, 0, "16030"},
      {"near the start, Alt", {98, 97}, kAlt, "16031"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(h->TrackCursor({c.at.h, c.at.v}, c.modifiers), kNoErr);
    EXPECT_NE(h.CursorName().find(c.cursor), std::string::npos) << h.CursorName();
  }
  ASSERT_EQ(h->MouseDown({200, 100}), kNoErr);
  ASSERT_EQ(h->MouseDrag({150, 150}), kNoErr);
  EXPECT_NE(h.CursorName().find("16030"), std::string::npos);
  ASSERT_EQ(h->MouseUp({150, 150}), kNoErr);
}

}  // namespace
}  // namespace plugin_test
