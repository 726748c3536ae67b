// The host's view as a picture: what a person would see in the document
// window after the last redraw.
//
// Painted in this order, each over the one before:
//   1. the pasteboard, a neutral grey filling the whole view;
//   2. the artboard, white with a thin dark border;
//   3. every visible art, back to front (the model keeps layers and members
//      front to back, so both are walked in reverse): paths and compound
//      paths with their fill (non-zero winding, open paths filled as if
//      closed) and stroke (width scaled by the zoom); placed and raster art
//      as a light placeholder box over their image rectangle.  Hidden art
//      hides its members, a hidden layer all of its art;
//   4. selected art (RenderOptions::showSelection) in its layer's colour: a
//      thin outline of each selected path with its anchors as small squares,
//      filled where the anchor itself is selected; placed and raster art
//      outlined as a box;
//   5. the annotation overlay: the recorded drawer calls replayed in view
//      pixels with the colour, line width and drawing mode each call carries
//      (antialiasing on or off as the mode says; calls made without the
//      overlay mode are drawn at half opacity, since they were not asked to
//      cover the artwork fully); texts in a plain sans font at 11 px with the
//      baseline starting at the call's point;
//   6. the plug-in's open windows (dialogs) in screen pixels, the screen
//      being the view (PaintDialogs.h);
//   7. the cursor, if a position is given: the image cursor with its hot spot
//      pixel on that position, or the system cursor drawn as a simple shape
//      (arrow, crosshair, text beam, "no" sign, hourglass; the hands as the
//      arrow).  A cursor the plug-in never set shows as the arrow.
//
// Coordinates: the picture is exactly the view, width x height pixels, pixel
// (0, 0) at the top-left.  An integer view point (x, y) - what the host's
// artwork-to-view conversion returns and what the drawer calls carry - is
// the pixel (x, y), and artwork is placed on the same grid, so an anchor and a
// mark the plug-in draws at its view point land on the same pixel.  Geometry
// reaching beyond what cairo's fixed-point coordinates hold (about 8 million
// pixels; far off-screen points saturate at 2^31 in the view conversion) is
// clipped in floating point first, so the part inside the view still shows.
//
// For the command-line host ("snapshot FILE.png"):
//     render::WritePng(render::RenderView(render::SnapshotOf(host, cursorAt)), file);
// where cursorAt is the view pixel of the last mouse position
// (host.ArtworkToView(p)), or std::nullopt to leave the cursor out.
#pragma once

#include <optional>
#include <span>

#include "host/Dialogs.h"
#include "host/Host.h"
#include "host/model/Document.h"
#include "host/model/View.h"
#include "host/render/Picture.h"

// cairo's context, declared as cairo.h does, so that users of the renderer
// need not see cairo's headers.
typedef struct _cairo cairo_t;

namespace host::render {

// What to draw.  Borrows everything it points to for the length of the call.
struct Snapshot {
  const model::Document* document = nullptr;  // nullptr: no document open, only the pasteboard
  model::View view;                           // zoom, scroll origin and size in pixels
  std::span<const DrawCall> overlay;
  const CursorState* cursor = nullptr;  // nullptr: no cursor drawn
  std::optional<AIPoint> cursorAt;      // view pixel of the hot spot; nullopt: no cursor drawn
  // Open windows of the plug-in, drawn over the overlay and under the cursor
  // (PaintDialogs.h).
  std::vector<WindowInfo> dialogs;
};

struct RenderOptions {
  bool showSelection = true;
};

// The picture of the snapshot's view.  kBadParameterErr (HostError) for a view
// without pixels or with a zoom that is not a finite positive number, and
// for a cursor image whose pixels do not match its size; kOutOfMemoryErr when
// the picture cannot be allocated or drawn.
Picture RenderView(const Snapshot& snapshot, const RenderOptions& options = {});

// Paints the same picture on any cairo context whose user space is the view's
// pixels (a window's drawing area): what RenderView draws, without the
// checks on the result.  kBadParameterErr (HostError) as RenderView.
void PaintView(cairo_t* cr, const Snapshot& snapshot, const RenderOptions& options = {});

// The host's current state: its document (if one is open), view, last
// annotation drawing and cursor.  The snapshot points into the host and is
// valid until the host next changes.
Snapshot SnapshotOf(Host& host, std::optional<AIPoint> cursorAt = std::nullopt);

}  // namespace host::render
