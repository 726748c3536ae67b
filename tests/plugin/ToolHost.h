// A started host with one of the plug-in's tools chosen by its title, and
// what the tools' tests ask of the document, the overlay and the cursor;
// gestures as tables of pointer steps.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "host/model/Document.h"
#include "host/model/Selection.h"
#include "tests/plugin/PluginHost.h"

namespace plugin_test {

// Modifier keys of a step's event.
constexpr uint16_t kShift = aiEventModifiers_shiftKey;
constexpr uint16_t kAlt = aiEventModifiers_optionKey;
constexpr uint16_t kCtrl = aiEventModifiers_cmdKey;

// What the pointer does in one step of a gesture, where, with which keys.
enum class Ev { Move, Down, Drag, Up };

struct Step {
  Ev ev;
  host::model::Point p;
  uint16_t modifiers = 0;
};

inline AIErr Send(host::Host& h, const Step& s) {
  const AIRealPoint p{s.p.h, s.p.v};
  switch (s.ev) {
    case Ev::Move: return h.TrackCursor(p, s.modifiers);
    case Ev::Down: return h.MouseDown(p, s.modifiers);
    case Ev::Drag: return h.MouseDrag(p, s.modifiers);
    case Ev::Up: return h.MouseUp(p, s.modifiers);
  }
  return kBadParameterErr;
}

// Every step, each of which the plug-in must take without an error.
inline void RunAll(host::Host& h, const std::vector<Step>& steps) {
  for (const Step& s : steps) ASSERT_EQ(Send(h, s), kNoErr);
}

// A click as a pointer makes it: over the place, press, release.
inline std::vector<Step> Click(host::model::Point p, uint16_t modifiers = 0) {
  return {{Ev::Move, p, modifiers}, {Ev::Down, p, modifiers}, {Ev::Up, p, modifiers}};
}

class ToolHost : public StartedHost {
 public:
  explicit ToolHost(std::string_view title) { EXPECT_EQ((*this)->SelectTool(title), kNoErr); }

  host::model::Document& doc() { return (*this)->document(); }

  // Paths in id order (creation order).
  std::vector<host::model::ArtId> Paths() {
    std::vector<host::model::ArtId> ids;
    for (const auto& [id, art] : doc().arts())
      if (art.type() == host::model::ArtType::Path) ids.push_back(id);
    return ids;
  }

  // A path with the given segments (unselected), on top of the current layer
  // or, when given, inside parent.
  host::model::ArtId AddPath(const std::vector<host::model::Segment>& segments, bool closed = false,
                             host::model::ArtId parent = host::model::kNoId) {
    host::model::Document& d = doc();
    const host::model::ArtId into = parent != host::model::kNoId ? parent : d.layer(d.currentLayer()).group;
    const host::model::ArtId id = d.NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, into});
    d.art(id).segments = segments;
    d.art(id).closed = closed;
    return id;
  }

  void Run(const std::vector<Step>& steps) { RunAll(**this, steps); }

  // An open straight path through the points, in the current layer.
  host::model::ArtId AddPolyline(std::initializer_list<host::model::Point> points) {
    host::model::Document& d = doc();
    const host::model::ArtId layerGroup = d.layer(d.currentLayer()).group;
    const host::model::ArtId id = d.NewArt(host::model::ArtType::Path, {kPlaceInsideOnTop, layerGroup});
    for (const host::model::Point& p : points) d.art(id).segments.push_back({p, p, p, true});
    return id;
  }

  // Draws the annotations and returns the drawing calls that draw something.
  std::vector<host::DrawCall> Drawn() {
    EXPECT_EQ((*this)->DrawAnnotations(), kNoErr);
    std::vector<host::DrawCall> drawn;
    for (const host::DrawCall& call : (*this)->Drawing())
      if (IsDrawing(call.kind)) drawn.push_back(call);
    return drawn;
  }

  std::string CursorName() { return (*this)->Cursor().name; }

  // Sends the step, checks that the cursor then set is the one named (its id
  // appears in the cursor's name), and returns what the overlay then draws.
  std::vector<host::DrawCall> StepAndDraw(const Step& step, std::string_view cursor) {
    EXPECT_EQ(Send(**this, step), kNoErr);
    EXPECT_NE(CursorName().find(cursor), std::string::npos) << CursorName();
    return Drawn();
  }

  static bool IsDrawing(host::DrawCall::Kind kind) {
    using K = host::DrawCall::Kind;
    return kind != K::SetColor && kind != K::SetLineWidth && kind != K::SetDrawingMode;
  }
};

inline int Count(const std::vector<host::DrawCall>& calls, host::DrawCall::Kind kind) {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const auto& c) { return c.kind == kind; }));
}

// Every view pixel a drawing call touches by its coordinates: line ends,
// ellipse corners, polygon points, text anchors.
inline std::vector<AIPoint> TouchedPoints(const std::vector<host::DrawCall>& calls) {
  std::vector<AIPoint> points;
  for (const host::DrawCall& c : calls) {
    points.insert(points.end(), c.points.begin(), c.points.end());
    if (c.kind == host::DrawCall::Kind::Ellipse) {
      points.push_back({c.rect.left, c.rect.top});
      points.push_back({c.rect.right, c.rect.bottom});
    }
  }
  return points;
}

inline bool Inside(AIPoint p, const AIRect& r) {
  return p.h >= r.left && p.h <= r.right && p.v >= r.top && p.v <= r.bottom;
}

// A closed path whose anchors and piece midpoints all lie on the circle
// within tol, with smooth anchors only.
inline void ExpectCircle(const host::model::Art& art, host::model::Point centre, double radius, double tol) {
  EXPECT_TRUE(art.closed);
  ASSERT_GE(art.segments.size(), 4u);
  const auto off = [&](host::model::Point p) { return std::hypot(p.h - centre.h, p.v - centre.v) - radius; };
  for (std::size_t i = 0; i < art.segments.size(); ++i) {
    const host::model::Segment& a = art.segments[i];
    const host::model::Segment& b = art.segments[(i + 1) % art.segments.size()];
    EXPECT_FALSE(a.corner) << "anchor " << i;
    EXPECT_NEAR(off(a.p), 0, tol) << "anchor " << i;
    // The cubic's point at t = 1/2.
    const host::model::Point mid{(a.p.h + 3 * a.out.h + 3 * b.in.h + b.p.h) / 8,
                                 (a.p.v + 3 * a.out.v + 3 * b.in.v + b.p.v) / 8};
    EXPECT_NEAR(off(mid), 0, tol + radius * 1e-3) << "piece " << i;
  }
}

inline bool HasAnchorAt(const host::model::Art& art, host::model::Point p) {
  return std::any_of(art.segments.begin(), art.segments.end(), [&](const auto& s) { return s.p == p; });
}

}  // namespace plugin_test
