// What the Orient tool does to art through the host: finding the selection,
// the accumulated rotation each object carries, transforming objects (and,
// for groups and compound paths, their members), and putting everything back
// when the host fails in the middle of an edit.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hostcall/SuiteSet.h"
#include "tools/edit/OrientGeometry.h"

namespace Tools::orient {

// The art dictionary's string entry holding an object's accumulated rotation
// in radians ("%f").
inline constexpr const char* kAccumRotationKey = "BBAccumRotation";

// Host transform options: objects with their fill and stroke patterns for an
// edit, objects alone for a preview.  Neither reaches into groups.
inline constexpr int32_t kEditTransform = kTransformObjects | kTransformFillPatterns | kTransformStrokePatterns;
inline constexpr int32_t kPreviewTransform = kTransformObjects;

// Rotations smaller than this (radians) count as none.
inline constexpr double kNoRotation = 1e-6;

// The selected objects in paint order: layer by layer, each layer's art front
// to back.  A fully selected group or compound path is one object; a partly
// selected one (and a sublayer) is looked into.
std::vector<AIArtHandle> CollectSelection(ai::SuiteSet& suites);

bool IsContainer(ai::SuiteSet& suites, AIArtHandle art);
// The leaves below a group or compound path, in sibling order; the art itself
// when it is neither.
std::vector<AIArtHandle> Leaves(ai::SuiteSet& suites, AIArtHandle art);

// The rotation an object has been given, in [0, 2*pi]: from the matrix of
// placed and raster art, from its dictionary entry otherwise (0 without one).
double AccumulatedRotation(ai::SuiteSet& suites, AIArtHandle art);

// The host's bounds of the art; nothing when the host cannot report them.
std::optional<AIRealRect> BoundsOf(ai::SuiteSet& suites, AIArtHandle art);

// Transforms the art by m and adds m's rotation to its accumulated rotation.
void TransformOne(ai::SuiteSet& suites, AIArtHandle art, const AIRealMatrix& m, int32_t options);
// A leaf gets TransformOne; a group or compound path has its leaves transformed.
void TransformLeaves(ai::SuiteSet& suites, AIArtHandle art, const AIRealMatrix& m, int32_t options);
// A selected object: the object itself, and for a group or compound path its
// leaves as well (the host transform does not reach them).
void TransformSelected(ai::SuiteSet& suites, AIArtHandle art, const AIRealMatrix& m, int32_t options);

// Gives the object, and every leaf below it, the selected attribute.
void SelectWithLeaves(ai::SuiteSet& suites, AIArtHandle art);

// Duplicates of art made during one edit, disposed of together when the edit
// fails.  Keeps a copy scope open from Open until Close.
class Duplicates {
 public:
  explicit Duplicates(ai::SuiteSet& suites) : suites_(suites) {}
  ~Duplicates();
  Duplicates(const Duplicates&) = delete;
  Duplicates& operator=(const Duplicates&) = delete;

  void OpenScope();
  void CloseScope();
  // A copy of art directly above it.
  AIArtHandle Above(AIArtHandle art);
  // Disposes of every duplicate made (those the host still knows).
  void DisposeAll();
  // The duplicates stay: the caller now owns them.
  std::vector<AIArtHandle> Release();

 private:
  ai::SuiteSet& suites_;
  AICopyScopeHandle scope_ = nullptr;
  std::vector<AIArtHandle> made_;
};

// Disposes of the art the host still knows, removing each from the list as it
// goes, so that a failure leaves the rest for another attempt.
void DisposeArt(ai::SuiteSet& suites, std::vector<AIArtHandle>& art);

// The state of objects before an edit, taken for every object and every
// member below it: anchors and handles of paths, matrices of placed and
// raster art, the accumulated rotation entry, and the selection of every
// anchor.  Restore writes it all back, so that an edit the host fails in the
// middle leaves the document as it was.
class ArtMemo {
 public:
  ArtMemo(ai::SuiteSet& suites, const std::vector<AIArtHandle>& objects);
  // Best effort: the host failed once already; whatever it refuses now stays.
  void Restore() noexcept;

 private:
  struct Entry {
    AIArtHandle art = nullptr;
    int16_t type = kUnknownArt;
    std::vector<AIPathSegment> segments;
    std::vector<int16_t> selection;
    AIRealMatrix matrix{};
    bool selected = false;
    bool hasRotation = false;
    std::string rotation;
  };
  void Take(AIArtHandle art);
  void Put(const Entry& e);

  ai::SuiteSet& suites_;
  std::vector<Entry> entries_;
};

}  // namespace Tools::orient
