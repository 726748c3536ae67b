// The document side of the host: the open document, its view, the cursor
// snapping state and the live references the document suites hand out.
//
// The Host owns one Workspace; the document suites (art, path, matching art,
// hit test, layer, document, dictionary, transform art, raster, placed, shape
// construction, document view, cursor snap) work on it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sdk/Corvane.h"

namespace host {

class SuiteRegistry;

namespace model {
class Document;  // host/model/Document.h: a value type (copyable, ==)
struct View;
struct Hit;
struct DictionaryTarget;
template <class T>
class RefTable;
}  // namespace model

class Workspace {
 public:
  Workspace(int viewWidthPx, int viewHeightPx);
  ~Workspace();

  Workspace(const Workspace&) = delete;
  Workspace& operator=(const Workspace&) = delete;

  // --- the document
  bool HasDocument() const;
  // kNoDocumentErr (HostError) when none is open.
  model::Document& document();
  const model::Document& document() const;
  // One layer "Layer 1", an artboard of the size with its bottom-left corner
  // at the origin, centred in the view.  kBadParameterErr for a size that is
  // not finite and positive.
  void NewDocument(double widthPt, double heightPt);
  // Throws HostError naming the file and the problem; nothing changes then.
  // Returns the reader's notes (host/svg/Svg.h).
  std::vector<std::string> Open(const std::filesystem::path& svg);
  void Save(const std::filesystem::path& svg) const;

  // --- the whole document as a value (tests compare states with it; undo
  // records changes instead, host/model/Changes.h)
  // Snapshot: kNoDocumentErr when none is open.  Restore makes the document
  // the open one (also when none was open).
  model::Document Snapshot() const;
  void Restore(model::Document document);

  // --- the view (index 0): zoom, scroll origin (artwork point at the top-left
  // pixel), size; artwork y up, view y down.
  double Zoom() const;
  // Clamped to the host's zoom range; kBadParameterErr unless finite and > 0.
  void SetZoom(double zoom);
  AIRealPoint ScrollOrigin() const;
  void SetScrollOrigin(AIRealPoint origin);
  AIPoint ArtworkToView(AIRealPoint p) const;  // rounded to the nearest pixel
  AIRealPoint ViewToArtwork(AIPoint p) const;
  int ViewWidth() const;
  int ViewHeight() const;
  // Off until switched on.
  bool SmartGuides() const;
  void SetSmartGuides(bool on);
  // Pixels the host's hit test and snapping accept around a point.
  double HitTolerancePx() const;
  // Pixels within which cursor snapping pulls the cursor.
  double SnapTolerancePx() const;

  // --- observation
  int LiveHitRefs() const;
  int LiveDictionaryRefs() const;
  int RedrawRequests() const;
  const std::vector<AICursorConstraint>& CustomConstraints() const;  // labels owned by the workspace
  int LiveCopyScopes() const;

  // Adds the document suites to the registry; their functions work on this
  // workspace until another one registers (or this one is destroyed).
  void RegisterSuites(SuiteRegistry& registry);
  // The workspace the document suites work on; nullptr before any registered.
  static Workspace* Active();

  // --- state kept for the document suites (host/model/suites)
  model::View& view();
  const model::View& view() const;
  model::RefTable<model::Hit>& hitRefs();
  model::RefTable<model::DictionaryTarget>& dictionaryRefs();
  model::RefTable<int16_t>& copyScopes();
  void CountRedraw();
  // Copies the constraints and their labels (a null label becomes "").
  void SetCustomConstraints(const AICursorConstraint* constraints, int count);
  void ClearCustomConstraints();
  // The title of a layer as a C string that stays valid until the layer is
  // renamed or removed (or the workspace goes).
  const char* LayerTitle(uint64_t layer);

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace host
