#include "host/svg/SegmentsFromOutline.h"

#include <cmath>
#include <optional>

#include "host/svg/Transform.h"

namespace host::svg {
namespace {

double Cross(model::Point a, model::Point b) { return a.h * b.v - a.v * b.h; }

}  // namespace

bool HandlesAreSmooth(const model::Segment& s) {
  const model::Point in = s.in - s.p, out = s.out - s.p;
  if (in == model::Point{} || out == model::Point{}) return false;
  const double scale = std::hypot(in.h, in.v) * std::hypot(out.h, out.v);
  return model::Dot(in, out) < 0 && std::abs(Cross(in, out)) <= kSmoothTolerance * scale;
}

PathGeometry SegmentsFromOutline(const Subpath& outline, const model::Matrix& ctm) {
  const bool identity = IsIdentity(ctm);
  const auto map = [&](SvgPoint p) { return MapToArtwork(p, ctm, identity); };

  std::vector<CubicPiece> pieces = outline.pieces;
  PathGeometry path;
  path.closed = outline.closed;
  std::optional<CubicPiece> closing;
  if (outline.closed && !pieces.empty() && pieces.back().end == outline.start) {
    closing = pieces.back();
    pieces.pop_back();
  }

  const model::Point first = map(outline.start);
  path.segments.push_back({first, first, first, true});
  for (const CubicPiece& piece : pieces) {
    path.segments.back().out = map(piece.c1);
    const model::Point end = map(piece.end);
    path.segments.push_back({end, map(piece.c2), end, true});
  }
  if (closing) {
    path.segments.back().out = map(closing->c1);
    path.segments.front().in = map(closing->c2);
  }
  for (model::Segment& s : path.segments) s.corner = !HandlesAreSmooth(s);
  return path;
}

}  // namespace host::svg
