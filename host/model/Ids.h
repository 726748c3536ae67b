// Identities of art and layers, and how they travel as sdk handles.
//
// Ids come from one process-wide counter and are never reused, so a handle to
// disposed art (or art of a closed document) can never name a newer object:
// it fails with kBadHandleErr.  Handles carry the id in the pointer value and
// never point into the tree, because undo disposes art and brings it back.
#pragma once

#include <cstdint>

#include "sdk/Corvane.h"

namespace host::model {

using ArtId = uint64_t;
using LayerId = uint64_t;
inline constexpr uint64_t kNoId = 0;

// A fresh id, never handed out before in this process.
uint64_t NewId();

inline AIArtHandle ArtHandle(ArtId id) { return reinterpret_cast<AIArtHandle>(static_cast<uintptr_t>(id)); }
inline ArtId ArtIdOf(AIArtHandle art) { return static_cast<ArtId>(reinterpret_cast<uintptr_t>(art)); }
inline AILayerHandle LayerHandle(LayerId id) {
  return reinterpret_cast<AILayerHandle>(static_cast<uintptr_t>(id));
}
inline LayerId LayerIdOf(AILayerHandle layer) { return static_cast<LayerId>(reinterpret_cast<uintptr_t>(layer)); }

}  // namespace host::model
