#include "geometry/host/path_snapshot.h"

#include <utility>

#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace geom::hostpath {

PathSnapshot PathSnapshot::Take(ai::SuiteSet& suites, AIArtHandle art) {
  RequirePath(suites, art);
  SegmentList segments = ReadSegments(suites, art);
  const bool closed = PathClosed(suites, art);
  const AIPathSuite& paths = suites.Path();
  std::vector<int16_t> selection(segments.size(), kSegmentNotSelected);
  for (std::size_t i = 0; i < selection.size(); ++i)
    ai::Check(paths.GetPathSegmentSelected(art, static_cast<int16_t>(i), &selection[i]));
  return PathSnapshot(art, std::move(segments), closed, std::move(selection));
}

void PathSnapshot::RestoreQuietly(ai::SuiteSet& suites) const noexcept {
  try {
    const AIPathSuite& paths = suites.Path();
    const auto count = static_cast<int16_t>(segments_.size());
    paths.SetPathSegmentCount(art_, count);
    std::vector<AIPathSegment> raw;
    raw.reserve(segments_.size());
    for (const Segment& s : segments_) raw.push_back(ToHost(s));
    if (count > 0) paths.SetPathSegments(art_, 0, count, raw.data());
    paths.SetPathClosed(art_, closed_);
    for (int16_t i = 0; i < count; ++i) paths.SetPathSegmentSelected(art_, i, selection_[static_cast<std::size_t>(i)]);
  } catch (...) {
    // The suite could not be had or memory ran out: the path stays as the
    // failed edit left it, and the edit's own error is the one reported.
  }
}

}  // namespace geom::hostpath
