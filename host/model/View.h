// The document view: which artwork the window shows and at what zoom.
//
// Artwork y points up and view y points down.  The scroll origin is the
// artwork point shown at the view's top-left pixel, so
//   view.h = (art.h - origin.h) * zoom,   view.v = (origin.v - art.v) * zoom.
#pragma once

#include "host/model/Primitives.h"
#include "sdk/Corvane.h"

namespace host::model {

// The zoom range the host accepts: 1/32 (3.125 %) to 640 (64 000 %), the
// range of the application being stood in for.  Asking for more or less clamps.
inline constexpr double kMinZoom = 1.0 / 32;
inline constexpr double kMaxZoom = 640;

struct View {
  double zoom = 1;
  Point origin;
  int width = 0;   // pixels
  int height = 0;  // pixels

  // Rounded to the nearest pixel (halves away from the top-left).
  AIPoint ToView(Point art) const;
  Point ToArtwork(AIPoint view) const;
  // The artwork rectangle the view shows.
  Rect Bounds() const;
  // Shows the centre of r at the centre of the view, zoom unchanged.
  void CenterOn(const Rect& r);
};

// A zoom brought into [kMinZoom, kMaxZoom]; kBadParameterErr (HostError) when
// it is not a finite positive number.
double ValidZoom(double zoom);

}  // namespace host::model
