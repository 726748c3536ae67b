// What a run of changes did to a document, kept so that it can be taken back:
// each object as it was before its first change, and the edits of the tree in
// the order they happened.  Document::Revert puts the document back and
// returns the Changes that take it forward again, so undo and redo are the
// same operation.  A record costs what was changed, not the document's size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "host/model/Art.h"
#include "host/model/Dictionary.h"
#include "host/model/Ids.h"
#include "host/model/Primitives.h"

namespace host::model {

struct Changes {
  // An art's content and the identity it is made again with.
  struct SavedArt {
    ArtType type = ArtType::Group;
    LayerId layerOfGroup = kNoId;
    ArtContent content;
  };
  // One edit of a container's member list: `child` went in at (or came out
  // of) `index` of `parent`'s members.
  struct Link {
    bool inserted = false;
    ArtId parent = kNoId;
    std::size_t index = 0;
    ArtId child = kNoId;
  };
  struct LayerState {
    std::vector<Layer> layers;
    LayerId current = kNoId;
  };

  // Each changed art before its first change; nullopt for art that did not
  // exist then.
  std::map<ArtId, std::optional<SavedArt>> arts;
  std::vector<Link> links;
  std::optional<LayerState> layers;
  std::optional<Dictionary> dictionary;
  std::optional<Rect> artboard;
  std::optional<int16_t> rulerUnits;

  bool empty() const {
    return arts.empty() && links.empty() && !layers && !dictionary && !artboard && !rulerUnits;
  }
  // About what the record occupies in memory, for bounding the undo history.
  std::size_t Bytes() const;
};

}  // namespace host::model
