// The host's document: layers, the art tree, the document dictionary, the
// artboard and the ruler units.  A value type: copying it copies everything,
// and == compares everything, ids included, so that a copy taken before a
// change compares unequal afterwards.
//
// Every change goes through the document's non-const functions, which note it
// before it happens: in the Changes being recorded (undo), and for the index
// of path boxes (hit tests and snapping).  A reference to art obtained for
// writing is therefore good for changes until the next message or index use,
// not longer.
//
// Paint order: layers run front to back (layers()[0] is the frontmost) and so
// do the children of every container.  Each layer owns one layer group, a
// group art without parent that holds the layer's top-level art.
//
// Misuse (an unknown id, a layer group where it cannot go, a non-path into a
// compound path) throws HostError with the sdk code the suites return.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/model/Art.h"
#include "host/model/ArtIndex.h"
#include "host/model/Changes.h"
#include "host/model/Dictionary.h"
#include "host/model/Ids.h"
#include "host/model/Primitives.h"

namespace host::model {

// Where new art goes: relative to prep, in one of the sdk's kPlace... orders.
//   kPlaceAbove / kPlaceBelow          directly in front of / behind prep, same parent
//   kPlaceInsideOnTop / OnBottom       frontmost / backmost member of the container prep
//   kPlaceAboveAll / kPlaceBelowAll    frontmost in the front layer / backmost in the
//                                      back layer (prep is not used)
struct Placement {
  int16_t order = kPlaceInsideOnTop;
  ArtId prep = kNoId;
};

// A new document is US Letter, the host's own default page.
inline constexpr double kDefaultArtboardWidthPt = 612;
inline constexpr double kDefaultArtboardHeightPt = 792;

// A member that belongs to one document object rather than to its value:
// copies and assignments start it afresh, and == ignores it.
template <class T>
class NotCopied {
 public:
  NotCopied() = default;
  NotCopied(const NotCopied&) {}
  NotCopied& operator=(const NotCopied&) {
    value = T{};
    return *this;
  }
  friend bool operator==(const NotCopied&, const NotCopied&) { return true; }
  T value{};
};

class Document {
 public:
  // No layers, a Letter artboard with its bottom-left corner at the origin,
  // ruler units in points.
  Document();

  // --- layers
  const std::vector<Layer>& layers() const { return layers_; }
  // kBadHandleErr for an unknown layer.
  const Layer& layer(LayerId id) const;
  Layer& layer(LayerId id);
  const Layer* FindLayer(LayerId id) const;
  // Index in front-to-back order, or -1.
  int LayerIndex(LayerId id) const;
  // Adds a layer with its empty layer group at index (front to back; an index
  // past the end puts it at the back).  The first layer added becomes current.
  LayerId AddLayer(std::string title, std::size_t index = SIZE_MAX);
  // Removes the layer and its art.  The current layer moves to the front
  // layer when it was the one removed.
  void RemoveLayer(LayerId id);
  // kNoId while there is no layer.
  LayerId currentLayer() const { return current_; }
  void SetCurrentLayer(LayerId id);

  // --- art
  // kBadHandleErr for an unknown id.
  const Art& art(ArtId id) const;
  Art& art(ArtId id);
  const Art* FindArt(ArtId id) const;
  Art* FindArt(ArtId id);
  bool Contains(ArtId id) const { return arts_.count(id) != 0; }
  // The layer the art lives in.
  LayerId LayerOf(ArtId id) const;
  // The art itself and its ancestors up to its layer group, innermost first.
  std::vector<ArtId> Lineage(ArtId id) const;
  // Creates empty art (default paint, no segments) at the placement.
  ArtId NewArt(ArtType type, Placement where);
  // A deep copy of the art and its members with fresh ids, at the placement.
  ArtId Duplicate(ArtId source, Placement where);
  // Removes the art and all its members.  A layer group goes only with its
  // layer (kBadParameterErr here).
  void Dispose(ArtId id);
  // Every art, in id order.
  const std::map<ArtId, Art>& arts() const { return arts_; }
  // The container and index a placement puts new art at (without inserting).
  // Throws as NewArt would for a placement that names no valid place.
  struct Slot {
    ArtId parent = kNoId;
    std::size_t index = 0;
  };
  Slot Resolve(Placement where, ArtType incoming) const;

  // --- document data
  Dictionary& dictionary();
  const Dictionary& dictionary() const { return dictionary_; }
  const Rect& artboard() const { return artboard_; }
  void SetArtboard(const Rect& r);
  // One of the sdk's k...Units values.
  int16_t rulerUnits() const { return rulerUnits_; }
  void SetRulerUnits(int16_t units);
  // Elements of a file kept as they were at the top level, among the layers
  // (positions count layers back to front), and the namespace declarations
  // (xmlns:prefix, uri) their XML needs.  Set by the SVG reader.
  const std::vector<KeptElement>& keptAtTop() const { return keptAtTop_; }
  const std::vector<std::pair<std::string, std::string>>& namespaces() const { return namespaces_; }
  void SetKeptAtTop(std::vector<KeptElement> kept, std::vector<std::pair<std::string, std::string>> namespaces);

  // --- recording changes
  // From now on every change is noted in `changes` (nullptr stops); the
  // record must outlive the recording.  Copies of the document do not record.
  void RecordChanges(Changes* changes) { tracking_.value.changes = changes; }
  // Drops from the record what the document holds again as it was before (an
  // art changed and changed back, art made and disposed again, members put
  // back where they were); empty() afterwards means the document is as it was.
  void Prune(Changes& changes) const;
  // Puts the document back as it was before the changes and returns the
  // changes that take it forward again.  Not while recording.
  Changes Revert(Changes changes);

  // --- the index of paths by their reach: the box of a path's anchors and
  // handles (for a member of a compound path, of all the compound's members),
  // outside of which no hit test or snap can find anything of it.
  const ArtIndex& index() const;
  // The reach of a path; nullopt for other art and paths without segments.
  std::optional<Rect> Reach(ArtId id) const;

  friend bool operator==(const Document&, const Document&) = default;

 private:
  struct Tracking {
    Changes* changes = nullptr;
    bool indexed = false;  // the index holds every path's reach but those in stale
    std::vector<ArtId> stale;
    ArtIndex index;
  };

  // A copy of the art and its members with fresh ids, in no container yet.
  ArtId CopySubtree(ArtId source);
  void Insert(ArtId id, Slot slot);
  void Unlink(ArtId id);
  void Erase(ArtId id);
  // Notes before a change: an art's content, art that is new, one edit of a
  // member list, the layers, the document's own data.
  void Touch(ArtId id);
  void NoteNew(ArtId id);
  void NoteLink(bool inserted, ArtId parent, std::size_t index, ArtId child);
  void TouchLayers();
  void Stale(ArtId id) const;
  void BuildIndex() const;

  std::vector<Layer> layers_;
  LayerId current_ = kNoId;
  std::map<ArtId, Art> arts_;
  Dictionary dictionary_;
  Rect artboard_{0, kDefaultArtboardHeightPt, kDefaultArtboardWidthPt, 0};
  int16_t rulerUnits_ = kPointsUnits;
  std::vector<KeptElement> keptAtTop_;
  std::vector<std::pair<std::string, std::string>> namespaces_;
  mutable NotCopied<Tracking> tracking_;
};

// Calls f(artId) for the art and every member below it, each container before
// its members, members front to back.
template <class F>
void ForEachInSubtree(const Document& doc, ArtId root, F&& f) {
  f(root);
  for (ArtId child : doc.art(root).children()) ForEachInSubtree(doc, child, f);
}

// Calls f(artId) for every art of every layer (layer groups included), front
// to back: the paint order seen from the viewer.
template <class F>
void ForEachArtFrontToBack(const Document& doc, F&& f) {
  for (const Layer& layer : doc.layers()) ForEachInSubtree(doc, layer.group, f);
}

// Sorts art of the document into paint order, front to back, the order
// ForEachArtFrontToBack visits it in.
void SortFrontToBack(const Document& doc, std::vector<ArtId>& ids);

}  // namespace host::model
