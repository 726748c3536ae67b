#include "host/render/RenderView.h"

#include <cmath>
#include <string>

#include "host/model/Workspace.h"
#include "host/render/Cairo.h"
#include "host/render/PaintCursor.h"
#include "host/render/PaintDialogs.h"
#include "host/render/PaintDocument.h"
#include "host/render/PaintOverlay.h"
#include "host/render/PaintSelection.h"

namespace host::render {

namespace {

void CheckView(const model::View& view) {
  if (view.width <= 0 || view.height <= 0)
    throw HostError(kBadParameterErr, "cannot render a view of " + std::to_string(view.width) + " x " +
                                          std::to_string(view.height) + " pixels");
  if (!std::isfinite(view.zoom) || view.zoom <= 0 || !model::IsFinite(view.origin))
    throw HostError(kBadParameterErr, "cannot render a view whose zoom or scroll origin is not finite");
}

// cairo records a failure in the context or surface and ignores every later
// call, so one check at the end tells whether the picture is whole.
void CheckCairo(cairo_status_t status, const char* what) {
  if (status != CAIRO_STATUS_SUCCESS)
    throw HostError(kOutOfMemoryErr, std::string("cannot ") + what + ": " + cairo_status_to_string(status));
}

}  // namespace

Picture RenderView(const Snapshot& snapshot, const RenderOptions& options) {
  CheckView(snapshot.view);
  SurfacePtr surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, snapshot.view.width, snapshot.view.height));
  CheckCairo(cairo_surface_status(surface.get()), "allocate the picture");
  ContextPtr context(cairo_create(surface.get()));
  PaintView(context.get(), snapshot, options);
  CheckCairo(cairo_status(context.get()), "draw the picture");
  return PictureOf(surface.get());
}

void PaintView(cairo_t* cr, const Snapshot& snapshot, const RenderOptions& options) {
  CheckView(snapshot.view);
  const Canvas canvas{cr, snapshot.view.width, snapshot.view.height};
  PaintDocument(canvas, snapshot.document, snapshot.view);
  if (snapshot.document && options.showSelection) PaintSelection(canvas, *snapshot.document, snapshot.view);
  PaintOverlay(canvas, snapshot.overlay);
  PaintDialogs(canvas, snapshot.dialogs);
  if (snapshot.cursor && snapshot.cursorAt) PaintCursor(canvas, *snapshot.cursor, *snapshot.cursorAt);
}

Snapshot SnapshotOf(Host& host, std::optional<AIPoint> cursorAt) {
  Workspace& workspace = host.workspace();
  Snapshot s;
  s.document = workspace.HasDocument() ? &workspace.document() : nullptr;
  s.view = workspace.view();
  s.overlay = host.Drawing();
  s.cursor = &host.Cursor();
  s.cursorAt = cursorAt;
  s.dialogs = Windows(host);
  return s;
}

}  // namespace host::render
