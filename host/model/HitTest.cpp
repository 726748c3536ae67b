#include "host/model/HitTest.h"

#include <limits>
#include <optional>
#include <vector>

#include "host/core/HostError.h"
#include "host/model/Cubic.h"

namespace host::model {

namespace {

bool Hittable(const Document& doc, ArtId id) {
  for (ArtId at : doc.Lineage(id)) {
    const Art& a = doc.art(at);
    if (a.hidden || a.locked) return false;
  }
  return doc.layer(doc.LayerOf(id)).editable();
}

int16_t NearestAnchor(const std::vector<Segment>& segments, Point p) {
  std::size_t best = 0;
  for (std::size_t i = 1; i < segments.size(); ++i)
    if (Distance(segments[i].p, p) < Distance(segments[best].p, p)) best = i;
  return static_cast<int16_t>(best);
}

std::optional<Hit> AnchorHit(const Art& path, Point p, double tol) {
  if (path.segments.empty()) return std::nullopt;
  const int16_t i = NearestAnchor(path.segments, p);
  const Point anchor = path.segments[static_cast<std::size_t>(i)].p;
  if (Distance(anchor, p) > tol) return std::nullopt;
  return Hit{true, path.id(), kSegmentPart, i, 0, anchor};
}

std::optional<Hit> HandleHit(const Art& path, Point p, double tol) {
  std::optional<Hit> best;
  double bestDistance = std::numeric_limits<double>::infinity();
  auto consider = [&](Point end, Point anchor, int16_t part) {
    const double d = Distance(end, p);
    if (end == anchor || d > tol || d >= bestDistance) return;
    bestDistance = d;
    best = Hit{true, path.id(), part, NearestAnchor(path.segments, end), 0, end};
  };
  for (const Segment& s : path.segments) {
    consider(s.in, s.p, kInHandlePart);
    consider(s.out, s.p, kOutHandlePart);
  }
  return best;
}

std::optional<Hit> CurveHit(const Art& path, Point p, double tol, int32_t request) {
  std::optional<Hit> best;
  double bestDistance = std::numeric_limits<double>::infinity();
  const int pieces = PieceCount(path.segments, path.closed);
  const int n = static_cast<int>(path.segments.size());
  for (int i = 0; i < pieces; ++i) {
    const NearestPoint near = Nearest(PieceOf(path.segments, i), p);
    if (near.distance > tol || near.distance >= bestDistance) continue;
    bestDistance = near.distance;
    const int16_t segment = request == kSegmentOrCurveHitRequest ? static_cast<int16_t>((i + 1) % n)
                                                                 : NearestAnchor(path.segments, near.point);
    best = Hit{true, path.id(), kCurvePart, segment, near.t, near.point};
  }
  return best;
}

std::optional<Hit> FillHit(const Document& doc, const Art& path, Point p) {
  if (!path.closed || !path.paint.fill || path.segments.empty()) return std::nullopt;
  std::vector<const std::vector<Segment>*> outlines;
  const Art& parent = doc.art(path.parent());
  if (parent.type() == ArtType::CompoundPath) {
    for (ArtId member : parent.children()) outlines.push_back(&doc.art(member).segments);
  } else {
    outlines.push_back(&path.segments);
  }
  if (WindingNumber(outlines, p) == 0) return std::nullopt;
  return Hit{true, path.id(), kFillPart, NearestAnchor(path.segments, p), 0, p};
}

std::optional<Hit> PathHit(const Document& doc, const Art& path, Point p, int32_t request, double tol) {
  if (auto h = AnchorHit(path, p, tol)) return h;
  if (request == kAllHitRequest)
    if (auto h = HandleHit(path, p, tol)) return h;
  if (auto h = CurveHit(path, p, tol, request)) return h;
  if (request == kAllHitRequest) return FillHit(doc, path, p);
  return std::nullopt;
}

}  // namespace

Hit HitTest(const Document& doc, ArtId scope, Point p, int32_t request, double tolerance) {
  if (request != kAllHitRequest && request != kSegmentOrCurveHitRequest)
    throw HostError(kBadParameterErr, "unknown hit request " + std::to_string(request));
  std::optional<Hit> found;
  auto visit = [&](ArtId id) {
    const Art& a = doc.art(id);
    if (found || a.type() != ArtType::Path || !Hittable(doc, id)) return;
    found = PathHit(doc, a, p, request, tolerance);
  };
  if (scope == kNoId) {
    // Only paths whose reach comes within the tolerance can be hit.
    std::vector<ArtId> near;
    doc.index().Near(p, tolerance, near);
    SortFrontToBack(doc, near);
    for (ArtId id : near) visit(id);
  } else {
    ForEachInSubtree(doc, scope, visit);
  }
  return found.value_or(Hit{});
}

}  // namespace host::model
