#include "host/model/Snapping.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>

#include "host/model/Cubic.h"

namespace host::model {

namespace {

// The nearest candidate offered so far within the tolerance.
class NearestCandidate {
 public:
  NearestCandidate(Point target, double tolerance) : target_(target), tolerance_(tolerance) {}
  void Offer(Point q) {
    const double d = Distance(q, target_);
    if (d <= tolerance_ && (!best_ || d < bestDistance_)) {
      best_ = q;
      bestDistance_ = d;
    }
  }
  const std::optional<Point>& best() const { return best_; }

 private:
  Point target_;
  double tolerance_;
  std::optional<Point> best_;
  double bestDistance_ = 0;
};

Point FootOnLine(Point through, float angleDegrees, Point p) {
  const double a = double(angleDegrees) * std::numbers::pi / 180;
  const Point dir{std::cos(a), std::sin(a)};
  return through + dir * Dot(p - through, dir);
}

bool Visible(const Document& doc, ArtId id) {
  for (ArtId at : doc.Lineage(id))
    if (doc.art(at).hidden) return false;
  return doc.layer(doc.LayerOf(id)).visible;
}

// Whether a piece can offer anything within tolerance of p: its midpoint and
// every point of it lie inside the box of its control points, so a box that
// is farther away than the tolerance rules the piece out without measuring.
bool Reaches(const Cubic& c, Point p, double tolerance) {
  const double left = std::min({c.p0.h, c.p1.h, c.p2.h, c.p3.h}), right = std::max({c.p0.h, c.p1.h, c.p2.h, c.p3.h});
  const double bottom = std::min({c.p0.v, c.p1.v, c.p2.v, c.p3.v}), top = std::max({c.p0.v, c.p1.v, c.p2.v, c.p3.v});
  return p.h >= left - tolerance && p.h <= right + tolerance && p.v >= bottom - tolerance && p.v <= top + tolerance;
}

void OfferPath(const Art& path, Point p, std::string_view control, double tolerance, NearestCandidate& points,
               NearestCandidate& lines) {
  auto has = [&](char letter) { return control.find(letter) != std::string_view::npos; };
  for (const Segment& s : path.segments) {
    if (has('A')) points.Offer(s.p);
    if (has('T')) {
      if (s.in != s.p) points.Offer(s.in);
      if (s.out != s.p) points.Offer(s.out);
    }
  }
  const int pieces = PieceCount(path.segments, path.closed);
  for (int i = 0; i < pieces; ++i) {
    const Cubic c = PieceOf(path.segments, i);
    if (!Reaches(c, p, tolerance)) continue;
    if (has('M')) points.Offer(Evaluate(c, 0.5));
    if (has('F')) lines.Offer(Nearest(c, p).point);
  }
}

}  // namespace

Point Snap(const Document& doc, Point p, std::string_view control, const std::vector<AICursorConstraint>& custom,
           const SnapSettings& settings) {
  NearestCandidate points(p, settings.tolerance), lines(p, settings.tolerance);
  if (control.find('v') != std::string_view::npos) {
    for (const AICursorConstraint& c : custom) {
      if (c.kind == kPointConstraint) points.Offer(FromSdk(c.point));
      if (c.kind == kLinearConstraintAbs) lines.Offer(FootOnLine(FromSdk(c.point), c.angle, p));
    }
  }
  if (settings.smartGuides) {
    // Every candidate of a path lies within its reach, so only paths whose
    // reach comes within the tolerance are measured, in paint order as ties
    // go to the first offered.
    std::vector<ArtId> near;
    doc.index().Near(p, settings.tolerance, near);
    SortFrontToBack(doc, near);
    for (ArtId id : near) {
      const Art& a = doc.art(id);
      if (a.type() == ArtType::Path && Visible(doc, id)) OfferPath(a, p, control, settings.tolerance, points, lines);
    }
  }
  if (points.best()) return *points.best();
  if (lines.best()) return *lines.best();
  return p;
}

}  // namespace host::model
