#include "tools/edit/JoinPaths.h"

#include <algorithm>
#include <utility>

#include "geometry/host/path_access.h"
#include "geometry/host/path_snapshot.h"
#include "hostcall/Error.h"

namespace Tools::ToolJoinExtra {

namespace {

// The path turned so that its picked anchor is the last one.
geom::SegmentList EndingAt(const geom::SegmentList& path, int pickedIndex) {
  geom::SegmentList list = path;
  if (pickedIndex == 0) ReversePath(list);
  return list;
}

void AppendConnection(geom::SegmentList& list, std::span<const geom::Bezier> pieces) {
  for (const geom::Bezier& piece : pieces) geom::AppendPiece(list, piece, false);
}

void SelectWhole(ai::SuiteSet& suites, AIArtHandle art) {
  ai::Check(suites.Art().SetArtUserAttr(art, kArtSelected, kArtSelected));
}

}  // namespace

void ReversePath(geom::SegmentList& path) {
  std::reverse(path.begin(), path.end());
  for (geom::Segment& s : path) std::swap(s.in, s.out);
}

geom::SegmentList JoinedSegments(const geom::SegmentList& a, int firstIndex, std::span<const geom::Bezier> pieces,
                                 const geom::SegmentList& b, int secondIndex) {
  geom::SegmentList list = EndingAt(a, firstIndex);
  AppendConnection(list, pieces);
  if (b.empty()) return list;
  geom::SegmentList rest = b;
  if (secondIndex != 0) ReversePath(rest);
  // rest now starts at the joint: its first anchor is the connection's end.
  list.back().corner = false;
  list.back().out = rest.front().out;
  list.insert(list.end(), rest.begin() + 1, rest.end());
  return list;
}

geom::SegmentList ClosedSegments(const geom::SegmentList& a, int firstIndex, std::span<const geom::Bezier> pieces) {
  geom::SegmentList list = EndingAt(a, firstIndex);
  AppendConnection(list, pieces);
  if (list.empty()) return list;
  list.front().corner = false;
  list.front().in = list.back().in;
  list.pop_back();
  return list;
}

void JoinTwoPaths(ai::SuiteSet& suites, const geom::hostpath::PathPick& first,
                  const geom::hostpath::PathPick& second, std::span<const geom::Bezier> pieces) {
  const geom::hostpath::PathSnapshot before = geom::hostpath::PathSnapshot::Take(suites, first.art);
  const geom::SegmentList b = geom::hostpath::ReadSegments(suites, second.art);
  const geom::SegmentList joined = JoinedSegments(before.segments(), first.segment, pieces, b, second.segment);
  geom::hostpath::EditOrRestore(suites, {&before}, [&] {
    geom::hostpath::WriteSegments(suites, first.art, joined);
    SelectWhole(suites, first.art);
    ai::Check(suites.Art().DisposeArt(second.art));
  });
}

void CloseOnePath(ai::SuiteSet& suites, const geom::hostpath::PathPick& first, std::span<const geom::Bezier> pieces) {
  const geom::hostpath::PathSnapshot before = geom::hostpath::PathSnapshot::Take(suites, first.art);
  const geom::SegmentList closed = ClosedSegments(before.segments(), first.segment, pieces);
  geom::hostpath::EditOrRestore(suites, {&before}, [&] {
    geom::hostpath::WriteSegments(suites, first.art, closed);
    ai::Check(suites.Path().SetPathClosed(first.art, true));
    SelectWhole(suites, first.art);
  });
}

}  // namespace Tools::ToolJoinExtra
