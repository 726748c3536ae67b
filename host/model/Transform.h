// Transforming art by an affine matrix, with the sdk's kTransform... options.
//
//   kTransformObjects   paths move their anchors and handles; placed and raster
//                       art compose the matrix after their own matrix
//   kScaleLines         the stroke width is multiplied by lineScale
//   kTransformChildren  a group or compound path passes the transform (with the
//                       same options) on to its members
// Without kTransformChildren a group or compound path is left as it is: it has
// no geometry of its own, and callers that keep per-object bookkeeping (such
// as an accumulated rotation in the dictionary) transform members themselves.
// Fill and stroke patterns are not modelled, so their bits change nothing.
#pragma once

#include <cstdint>

#include "host/model/Document.h"

namespace host::model {

// The matrix and lineScale must be finite (kBadParameterErr otherwise; nothing
// changes then).
void TransformArt(Document& doc, ArtId id, const Matrix& m, double lineScale, int32_t flags);

}  // namespace host::model
