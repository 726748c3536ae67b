// Owning handles for the cairo objects the renderer makes, and the colour
// conversions it shares.
#pragma once

#include <cairo.h>

#include <memory>

#include "host/model/Primitives.h"
#include "host/render/Picture.h"
#include "sdk/Corvane.h"

namespace host::render {

struct SurfaceRelease {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct ContextRelease {
  void operator()(cairo_t* c) const { cairo_destroy(c); }
};
using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using ContextPtr = std::unique_ptr<cairo_t, ContextRelease>;

// A context drawing on an image surface of width x height pixels, its matrix
// left at the identity: everything is given in device pixels.
struct Canvas {
  cairo_t* cr = nullptr;
  int width = 0;
  int height = 0;
};

// Sets the source to the 16-bit colour with the given opacity.
void SetSource(cairo_t* cr, model::Rgb color, double alpha = 1);
inline void SetSource(cairo_t* cr, const AIRGBColor& color, double alpha = 1) {
  SetSource(cr, model::FromSdk(color), alpha);
}

// The pixels of an ARGB32 image surface (flushed first) as a picture.
Picture PictureOf(cairo_surface_t* surface);

}  // namespace host::render
