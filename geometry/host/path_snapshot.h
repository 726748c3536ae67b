// A document path as it was before an edit (its segments, its closed flag and
// each anchor's selection), so that an edit that fails half-way can put the
// path back.
//
// Tools rewrite paths in several host calls (a new segment count, the
// segments, the closed flag, the selection, an inserted anchor, another path
// disposed of).  Should any of them fail, the paths go back to what was read
// here before the first change, so a gesture either completes or leaves
// nothing behind.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <vector>

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

class PathSnapshot {
 public:
  // Reads every segment, the closed flag and each anchor's selection. Raises ai::Error with
  // the host's code when a read fails (nothing has been changed then) and PARM unless art is
  // a path.
  static PathSnapshot Take(ai::SuiteSet& suites, AIArtHandle art);

  // Writes the path back as it was taken: segment count, segments, closed flag, anchor
  // selection. Used on a way out that already carries an error, so every step is tried
  // whatever the others return and nothing is raised: the first error is the one reported.
  // Copied coordinates go back unchanged.
  void RestoreQuietly(ai::SuiteSet& suites) const noexcept;

  AIArtHandle art() const noexcept { return art_; }
  const SegmentList& segments() const noexcept { return segments_; }
  bool closed() const noexcept { return closed_; }

 private:
  PathSnapshot(AIArtHandle art, SegmentList segments, bool closed, std::vector<int16_t> selection)
      : art_(art), segments_(std::move(segments)), closed_(closed), selection_(std::move(selection)) {}

  AIArtHandle art_;
  SegmentList segments_;
  bool closed_;
  std::vector<int16_t> selection_;
};

// Runs edit; when it raises anything, restores the snapshots (the last one first) and raises
// it again.
template <class Edit>
void EditOrRestore(ai::SuiteSet& suites, std::initializer_list<const PathSnapshot*> paths, Edit&& edit) {
  try {
    edit();
  } catch (...) {
    for (auto p = std::rbegin(paths); p != std::rend(paths); ++p) (*p)->RestoreQuietly(suites);
    throw;
  }
}

}  // namespace geom::hostpath
