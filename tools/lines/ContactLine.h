// What the lines to paths share: the new two-anchor line, and the undoing of a gesture's edits
// when one of its host calls fails midway.
#pragma once

#include <vector>

#include "geometry/host/path_snapshot.h"
#include "hostcall/SuiteSet.h"

namespace Tools {

// Everything one gesture has changed in the document so far: the art it created and the paths
// it is about to rewrite (with their segments as they were). Unless Commit is called, leaving
// the scope puts the document back: rewritten paths get their old segments, created art is
// disposed of, latest first. A gesture that fails midway thus leaves no half-made line and no
// stray anchor behind. A host call that fails while putting things back cannot be reported
// (the original error is on its way); the rest are still put back.
class GestureEdits {
 public:
  explicit GestureEdits(ai::SuiteSet& suites) : suites_(suites) {}
  ~GestureEdits();
  GestureEdits(const GestureEdits&) = delete;
  GestureEdits& operator=(const GestureEdits&) = delete;

  void Created(AIArtHandle art) { created_.push_back(art); }
  // Takes a snapshot of the path, once per path. Raises what the reads raise.
  void WillRewrite(AIArtHandle path);
  void Commit() noexcept { committed_ = true; }

 private:
  ai::SuiteSet& suites_;
  std::vector<AIArtHandle> created_;
  std::vector<geom::hostpath::PathSnapshot> before_;
  bool committed_ = false;
};

// Creates an open path of two corner anchors with retracted handles, from a to b (both already
// rounded to single precision), placed by paintOrder relative to prep, and records it in edits.
// Raises ai::Error with the host's code when a host call fails.
AIArtHandle NewTwoAnchorLine(ai::SuiteSet& suites, int16_t paintOrder, AIArtHandle prep, geom::Point a, geom::Point b,
                             GestureEdits& edits);

// Deselects everything and selects art. Raises when a host call fails.
void SelectOnly(ai::SuiteSet& suites, AIArtHandle art);

}  // namespace Tools
