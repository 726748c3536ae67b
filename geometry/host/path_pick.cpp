#include "geometry/host/path_pick.h"

#include "geometry/errors.h"
#include "geometry/host/host_point.h"
#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

namespace {

// Owns one host hit reference and gives it back however the scope is left. A failing
// release cannot be reported from here; the reference is the host's to reclaim then.
class HitRef {
 public:
  explicit HitRef(const AIHitTestSuite& suite) : suite_(suite) {}
  ~HitRef() {
    if (ref_) suite_.Release(ref_);
  }
  HitRef(const HitRef&) = delete;
  HitRef& operator=(const HitRef&) = delete;

  AIHitRef* out() { return &ref_; }
  AIHitRef get() const { return ref_; }

 private:
  const AIHitTestSuite& suite_;
  AIHitRef ref_ = nullptr;
};

bool IsPathPart(int16_t part) { return part == kSegmentPart || part == kCurvePart; }

}  // namespace

PathPick HitTestArt(ai::SuiteSet& suites, Point point, int32_t request) {
  PathPick pick;
  const AIHitTestSuite& hits = suites.HitTest();
  const AIRealPoint at = ToHost(point);
  HitRef ref(hits);
  ai::Check(hits.HitTest(nullptr, &at, request, ref.out()));
  AIBoolean isHit = false;
  ai::Check(hits.IsHit(ref.get(), &isHit));
  if (!isHit) return pick;
  AIHitData data{};
  ai::Check(hits.GetHitData(ref.get(), &data));
  pick.partType = data.type;
  pick.segment = data.segment;
  pick.art = data.object;
  pick.hitPoint = FromHost(data.point);
  pick.t = data.t;
  pick.valid = data.hit && data.object;
  return pick;
}

PathPick HitTestPaths(ai::SuiteSet& suites, Point point) {
  PathPick pick = HitTestArt(suites, point, kSegmentOrCurveHitRequest);
  pick.valid = pick.valid && IsPathPart(pick.partType);
  return pick;
}

PathPick HitTestPaths(ai::SuiteSet& suites, Point point, const PathPick& earlier) {
  PathPick pick = HitTestPaths(suites, point);
  if (pick.valid && earlier.valid && pick.art == earlier.art && pick.segment == earlier.segment) pick.valid = false;
  return pick;
}

PieceRef PickToPieceRef(ai::SuiteSet& suites, const PathPick& pick) {
  if (!pick.valid || !IsPathPart(pick.partType)) ai::ThrowBadParameter();
  const int count = PathSegmentCount(suites, pick.art);
  const int pieces = geom::CountPieces(count, PathClosed(suites, pick.art));
  const int s = pick.segment;
  if (s < 0 || s >= count) ai::ThrowBadParameter();
  PieceRef at;
  if (pick.partType == kSegmentPart) {
    // The last anchor ends the piece before it. A closed path of one anchor has no piece
    // before its anchor but the closing one, which also ends there.
    at = s == count - 1 ? PieceRef{count >= 2 ? count - 2 : pieces - 1, 1} : PieceRef{s, 0};
  } else {
    at = {s == 0 ? pieces - 1 : s - 1, pick.t};
  }
  if (at.piece < 0 || at.piece >= pieces) ai::ThrowBadParameter();
  return at;
}

std::optional<PathFrame> PickFrameOrRaise(ai::SuiteSet& suites, const PathPick& pick) {
  if (!pick.valid || !IsPathPart(pick.partType)) return std::nullopt;
  const PieceRef at = PickToPieceRef(suites, pick);
  try {
    const Bezier piece = GetPiece(suites, pick.art, at.piece);
    const Point tangent = Unit(piece.Derivative(at.t));
    if (tangent == Point{}) return std::nullopt;
    return PathFrame{piece.At(at.t), tangent, TurnLeft(tangent)};
  } catch (const ParameterError&) {
    return std::nullopt;
  }
}

std::optional<PathFrame> PickFrame(ai::SuiteSet& suites, const PathPick& pick) {
  try {
    return PickFrameOrRaise(suites, pick);
  } catch (const ai::Error&) {
    return std::nullopt;
  }
}

}  // namespace geom::hostpath
