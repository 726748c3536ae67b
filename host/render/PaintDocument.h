// The document part of the picture: pasteboard, artboard and visible art,
// back to front (see RenderView.h for what each looks like).
#pragma once

#include "host/model/Document.h"
#include "host/model/View.h"
#include "host/render/Cairo.h"

namespace host::render {

// Fills the whole canvas with the pasteboard; then, with a document, paints
// its artboard and its visible art.
void PaintDocument(const Canvas& canvas, const model::Document* doc, const model::View& view);

}  // namespace host::render
