// Seeded random documents and edits for the differential tests of undo
// records and of the indexed hit test and snapping: paths with curved and
// straight pieces, groups, filled compound paths, hidden and locked art, a
// second layer.
#pragma once

#include <random>
#include <vector>

#include "host/model/Document.h"

namespace host::test {

class RandomDocument {
 public:
  RandomDocument(model::Document& doc, unsigned seed) : doc_(doc), rng_(seed) {}
  // Adds about `paths` paths over a square of `size` points.
  void Populate(int paths, double size);
  // One random edit: new art, disposal, a duplicate, new segments, paint,
  // flags, a layer added or removed, document data.
  void Edit();
  // A point in the square, often right at an anchor or a handle end.
  model::Point Probe();
  std::mt19937& rng() { return rng_; }

 private:
  double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng_); }
  int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  std::vector<model::Segment> Segments();
  // Any art but layer groups (kNoId when there is none).
  model::ArtId AnyArt(bool containersOnly = false);
  model::Placement SomewhereFor(model::ArtType type);
  void NewPath();

  model::Document& doc_;
  std::mt19937 rng_;
  double size_ = 1000;
};

}  // namespace host::test
