#include "geometry/host/path_split.h"

#include <limits>
#include <optional>

#include "geometry/anchor_insertion.h"
#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

namespace {

void WriteSegment(const AIPathSuite& path, AIArtHandle art, int index, const Segment& s) {
  const AIPathSegment raw = ToHost(s);
  ai::Check(path.SetPathSegments(art, static_cast<int16_t>(index), 1, &raw));
}

}  // namespace

bool InsertAnchorAt(ai::SuiteSet& suites, AIArtHandle art, int k, double t, Point p) {
  const int16_t count = PathSegmentCount(suites, art);
  const bool closed = PathClosed(suites, art);
  if (k < 0 || k >= geom::CountPieces(count, closed) || count == std::numeric_limits<int16_t>::max())
    ai::ThrowBadParameter();
  if (t < tol::kAnchorSnapLow || t > tol::kAnchorSnapHigh) return false;
  const int next = closed && k == count - 1 ? 0 : k + 1;
  const std::optional<AnchorInsertion> edit =
      PlanAnchorInsertion(ReadSegment(suites, art, static_cast<int16_t>(k)),
                          ReadSegment(suites, art, static_cast<int16_t>(next)), k, count, closed, t, p);
  if (!edit) return false;
  const AIPathSuite& path = suites.Path();
  WriteSegment(path, art, edit->startIndex, edit->start);
  WriteSegment(path, art, edit->endIndex, edit->end);
  const AIPathSegment anchor = ToHost(edit->anchor);
  ai::Check(path.InsertPathSegments(art, static_cast<int16_t>(edit->insertIndex), 1, &anchor));
  return true;
}

ContactSplits InsertAnchorsAtContacts(ai::SuiteSet& suites, const PathContact& first, const PathContact& second) {
  ContactSplits done;
  PieceRef secondAt = second.at;
  if (first.art == second.art) {
    // The count and closed flag before the first split decide where the second lies after it.
    const int count = PathSegmentCount(suites, first.art);
    const bool closed = PathClosed(suites, first.art);
    done.first = InsertAnchorAt(suites, first.art, first.at.piece, first.at.t, first.point);
    if (done.first) secondAt = ReaddressAfterInsertion(first.at, count, closed, second.at);
  } else {
    done.first = InsertAnchorAt(suites, first.art, first.at.piece, first.at.t, first.point);
  }
  done.second = InsertAnchorAt(suites, second.art, secondAt.piece, secondAt.t, second.point);
  return done;
}

}  // namespace geom::hostpath
