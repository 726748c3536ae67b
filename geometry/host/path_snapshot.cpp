#include "geometry/host/path_snapshot.h"

#include <utility>

#include "geometry/host/path_access.h"

namespace geom::hostpath {

PathSnapshot PathSnapshot::Take(ai::SuiteSet& suites, AIArtHandle art) {
  RequirePath(suites, art);
  SegmentList segments = ReadSegments(suites, art);
  const bool closed = PathClosed(suites, art);
  return PathSnapshot(art, std::move(segments), closed);
}

void PathSnapshot::RestoreQuietly(ai::SuiteSet& suites) const noexcept {
  try {
    // Copied coordinates go back unchanged.
    if (!segments_.empty()) WriteSegments(suites, art_, segments_);
    suites.Path().SetPathClosed(art_, closed_);
  } catch (...) {
    // Already on an error's way out.
  }
}

}  // namespace geom::hostpath
