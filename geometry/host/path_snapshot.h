// A document path's segments and closed flag as they were before an edit, so
// that an edit that fails half-way can put the path back.
#pragma once

#include <utility>

#include "geometry/segment_list.h"
#include "hostcall/SuiteSet.h"

namespace geom::hostpath {

class PathSnapshot {
 public:
  // Reads every segment and the closed flag. Raises ai::Error with the host's code when a
  // read fails (nothing has been changed then) and PARM unless art is a path.
  static PathSnapshot Take(ai::SuiteSet& suites, AIArtHandle art);

  // Writes the path back as it was taken: segment count, segments, closed flag. Used on a way
  // out that already carries an error, so a refusal here is ignored: the first error is the
  // one reported.
  void RestoreQuietly(ai::SuiteSet& suites) const noexcept;

 private:
  PathSnapshot(AIArtHandle art, SegmentList segments, bool closed)
      : art_(art), segments_(std::move(segments)), closed_(closed) {}

  AIArtHandle art_;
  SegmentList segments_;
  bool closed_;
};

}  // namespace geom::hostpath
