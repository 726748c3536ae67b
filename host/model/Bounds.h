// The artwork bounds of art: the exact extent of path outlines (stroke width
// not included), the union over a container's members, and the transformed
// image rectangle of placed and raster art.
#pragma once

#include <optional>

#include "host/model/Document.h"

namespace host::model {

// nullopt for art with nothing to bound: a path without segments, a container
// without bounded members.
std::optional<Rect> ArtBounds(const Document& doc, ArtId id);

}  // namespace host::model
