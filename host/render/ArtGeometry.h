// Where artwork and view points fall in the picture.
//
// An integer view point (x, y) names pixel (x, y), whose centre is the device
// point (x + 0.5, y + 0.5).  Artwork goes through the view's mapping onto
// the same grid, unrounded: the host's conversion rounds an artwork point to
// the pixel whose centre is nearest, which is the pixel the point falls in.
#pragma once

#include <array>

#include "host/model/Art.h"
#include "host/model/View.h"
#include "host/render/DevicePath.h"

namespace host::render {

inline DevicePoint PixelCentre(AIPoint p) { return {p.h + 0.5, p.v + 0.5}; }

inline DevicePoint ToDevice(const model::View& view, model::Point art) {
  return {(art.h - view.origin.h) * view.zoom + 0.5, (view.origin.v - art.v) * view.zoom + 0.5};
}

// Adds the path's outline as one subpath: its pieces in order, closed for a
// closed path.  A path without segments adds nothing.
void AddPathOutline(DevicePath& out, const model::Art& path, const model::View& view);

// The corners of the image rectangle of placed or raster art, mapped by the
// art's matrix and the view, in order around the rectangle.
std::array<DevicePoint, 4> ImageCorners(const model::Art& art, const model::View& view);

}  // namespace host::render
