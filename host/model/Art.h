// One object of the art tree, and one layer.
//
// The tree links (id, type, parent, children, owning layer) are kept by
// Document, which is the only one that may change them; everything else is
// content (ArtContent).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/model/Dictionary.h"
#include "host/model/Ids.h"
#include "host/model/Primitives.h"

namespace host::model {

// The sdk's art type numbers.
enum class ArtType : int16_t {
  Group = kGroupArt,
  Path = kPathArt,
  CompoundPath = kCompoundPathArt,
  Placed = kPlacedArt,
  Raster = kRasterArt
};

// The image of placed or raster art: a rectangle (0, 0)..(width, height) in
// the image's own space, mapped into artwork by the art's matrix.
struct Image {
  std::string href;  // file name (placed) or data (raster), as the file had it
  double width = 0;   // points
  double height = 0;  // points
  friend bool operator==(const Image&, const Image&) = default;
};

// An element of an SVG file that the model cannot hold (text, a foreign
// image, a mask, a filter, definitions...), kept as its XML text so that
// saving writes it back where it stood.  position counts the members of its
// container (back to front, as a file lists them) that came before it; past
// the members that are left, it goes last.
struct KeptElement {
  std::string xml;
  std::size_t position = 0;
  friend bool operator==(const KeptElement&, const KeptElement&) = default;
};

// What an art holds besides its place in the tree: plain content that callers
// (the suites, the SVG reader) set directly.  Undo keeps and compares this
// part alone; the tree links are recorded as the edits that change them.
struct ArtContent {
  // --- paths
  std::vector<Segment> segments;
  bool closed = false;
  // --- every art
  Paint paint = DefaultPaint();
  Dictionary dictionary;
  bool locked = false;
  bool hidden = false;
  // The selected attribute of placed and raster art.  Paths derive theirs from
  // their segments and containers from their members (host/model/Selection.h).
  bool selected = false;
  bool centerPointVisible = false;
  std::string name;  // the id it had in a file; empty when none
  // --- placed and raster art
  Matrix matrix;
  Image image;
  // --- groups: elements of a file kept as they were, among the members, in
  // file order (their positions never decrease)
  std::vector<KeptElement> kept;

  friend bool operator==(const ArtContent&, const ArtContent&) = default;
};

class Art : public ArtContent {
 public:
  ArtId id() const { return id_; }
  ArtType type() const { return type_; }
  // kNoId for a layer group.
  ArtId parent() const { return parent_; }
  // Front to back: children()[0] is the frontmost member.
  const std::vector<ArtId>& children() const { return children_; }
  // The layer this art is the layer group of; kNoId for every other art.
  LayerId layerOfGroup() const { return layerOfGroup_; }
  bool isLayerGroup() const { return layerOfGroup_ != kNoId; }
  bool isContainer() const { return type_ == ArtType::Group || type_ == ArtType::CompoundPath; }
  const ArtContent& content() const { return *this; }

  friend bool operator==(const Art&, const Art&) = default;

 private:
  friend class Document;
  Art(ArtId id, ArtType type) : id_(id), type_(type) {}

  ArtId id_ = kNoId;
  ArtType type_ = ArtType::Group;
  ArtId parent_ = kNoId;
  std::vector<ArtId> children_;
  LayerId layerOfGroup_ = kNoId;
};

// The colour new layers get; the host shows selections in it.
inline constexpr Rgb kDefaultLayerColor{0x4f4f, 0x8080, 0xffff};

struct Layer {
  LayerId id = kNoId;
  std::string title;
  Rgb color = kDefaultLayerColor;
  bool locked = false;
  bool visible = true;
  ArtId group = kNoId;  // its layer group, made with the layer
  // New art may go into the layer.
  bool editable() const { return visible && !locked; }
  friend bool operator==(const Layer&, const Layer&) = default;
};

}  // namespace host::model
