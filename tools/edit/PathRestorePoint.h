// What an edit of an existing path keeps so that a failed host call can put
// the path back: its segments, its closed flag and each anchor's selection.
//
// The edit tools rewrite paths in several host calls (a new segment count,
// the segments, the closed flag, the selection, disposing of another path).
// Should any of them fail, the paths go back to what was read here before
// the first change, so a gesture either completes or leaves nothing behind.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <vector>

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace Tools {

class PathRestorePoint {
 public:
  // Reads the path now; raises ai::Error when a read fails (nothing has
  // changed then).
  PathRestorePoint(ai::SuiteSet& suites, AIArtHandle path);

  // Writes back the segment count, the segments, the closed flag and the
  // anchor selection as they were read.  Best effort: every step is tried
  // whatever the others return, and nothing is raised, because it runs while
  // another failure is on its way out.
  void Restore(ai::SuiteSet& suites) const noexcept;

  const geom::SegmentList& segments() const noexcept { return segments_; }
  bool closed() const noexcept { return closed_; }

 private:
  AIArtHandle art_;
  geom::SegmentList segments_;
  bool closed_ = false;
  std::vector<int16_t> selection_;
};

// Runs edit; when it raises anything, restores the paths (the last one
// first) and raises it again.
template <class Edit>
void EditOrRestore(ai::SuiteSet& suites, std::initializer_list<const PathRestorePoint*> paths, Edit&& edit) {
  try {
    edit();
  } catch (...) {
    for (auto p = std::rbegin(paths); p != std::rend(paths); ++p) (*p)->Restore(suites);
    throw;
  }
}

}  // namespace Tools
