#include "tools/edit/JoinEnds.h"

#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace Tools::ToolJoinExtra {

namespace {

using geom::hostpath::PathPick;

// pt.  An inner handle closer than this to its anchor gives no direction.
constexpr double kRetractedInnerHandle = 1e-5;

bool IsOpenPathEnd(ai::SuiteSet& suites, AIArtHandle art, int16_t segment) {
  int16_t type = kUnknownArt;
  ai::Check(suites.Art().GetArtType(art, &type));
  if (type != kPathArt || geom::hostpath::PathClosed(suites, art)) return false;
  const int16_t count = geom::hostpath::SegmentCount(suites, art);
  return count >= 2 && (segment == 0 || segment == count - 1);
}

}  // namespace

PathPick HitTestEnd(ai::SuiteSet& suites, geom::Point point, const PathPick* other) {
  PathPick pick = geom::hostpath::HitTestArt(suites, point, kAllHitRequest);
  if (!pick.valid || pick.partType == kFillPart || pick.partType == kBoundsPart) return PathPick{};
  pick.valid = IsOpenPathEnd(suites, pick.art, pick.segment);
  if (other && other->valid && other->art == pick.art && other->segment == pick.segment) pick.valid = false;
  return pick;
}

EndTangent ReadEndTangent(ai::SuiteSet& suites, const PathPick& end) {
  using geom::hostpath::ReadSegment;
  const int16_t s = end.segment;
  const geom::Segment anchor = ReadSegment(suites, end.art, s);
  geom::Point d = s != 0 ? anchor.p - anchor.in : anchor.p - anchor.out;
  if (geom::Length(d) < kRetractedInnerHandle) {
    const geom::Segment next = ReadSegment(suites, end.art, static_cast<int16_t>(s != 0 ? s - 1 : 1));
    d = anchor.p - (s != 0 ? next.out : next.in);
  }
  return {anchor.p, geom::Unit(d)};
}

}  // namespace Tools::ToolJoinExtra
