#include "tools/edit/PathRestorePoint.h"

#include "geometry/host/path_access.h"
#include "hostcall/Error.h"

namespace Tools {

PathRestorePoint::PathRestorePoint(ai::SuiteSet& suites, AIArtHandle path)
    : art_(path), segments_(geom::hostpath::ReadSegments(suites, path)),
      closed_(geom::hostpath::PathClosed(suites, path)) {
  const AIPathSuite& paths = suites.Path();
  selection_.resize(segments_.size(), kSegmentNotSelected);
  for (std::size_t i = 0; i < selection_.size(); ++i)
    ai::Check(paths.GetPathSegmentSelected(art_, static_cast<int16_t>(i), &selection_[i]));
}

void PathRestorePoint::Restore(ai::SuiteSet& suites) const noexcept {
  try {
    const AIPathSuite& paths = suites.Path();
    const auto count = static_cast<int16_t>(segments_.size());
    paths.SetPathSegmentCount(art_, count);
    std::vector<AIPathSegment> raw;
    raw.reserve(segments_.size());
    for (const geom::Segment& s : segments_) raw.push_back(geom::hostpath::ToHost(s));
    if (count > 0) paths.SetPathSegments(art_, 0, count, raw.data());
    paths.SetPathClosed(art_, closed_);
    for (int16_t i = 0; i < count; ++i) paths.SetPathSegmentSelected(art_, i, selection_[static_cast<std::size_t>(i)]);
  } catch (...) {
    // The suite could not be had or memory ran out: the path stays as the
    // failed edit left it, and the edit's own error is the one reported.
  }
}

}  // namespace Tools
