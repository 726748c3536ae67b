// Selected art marked over the document the way an illustration host marks
// it: a thin outline in the colour of the art's layer, and each anchor of a
// selected path as a small square, filled when the anchor itself is selected
// and hollow (white inside) otherwise.  Hidden art and art of hidden layers
// are not marked.
#pragma once

#include "host/model/Document.h"
#include "host/model/View.h"
#include "host/render/Cairo.h"

namespace host::render {

void PaintSelection(const Canvas& canvas, const model::Document& doc, const model::View& view);

}  // namespace host::render
