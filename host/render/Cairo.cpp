#include "host/render/Cairo.h"

#include <cstring>

namespace host::render {

void SetSource(cairo_t* cr, model::Rgb color, double alpha) {
  constexpr double kChannelMax = 0xffff;
  cairo_set_source_rgba(cr, color.red / kChannelMax, color.green / kChannelMax, color.blue / kChannelMax, alpha);
}

Picture PictureOf(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  Picture picture;
  picture.width = cairo_image_surface_get_width(surface);
  picture.height = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const auto rowPixels = static_cast<std::size_t>(picture.width);
  picture.argb.resize(rowPixels * static_cast<std::size_t>(picture.height));
  // Rows may be padded past the last pixel, so they are copied one by one.
  for (int y = 0; y < picture.height; ++y)
    std::memcpy(&picture.argb[static_cast<std::size_t>(y) * rowPixels], data + static_cast<std::ptrdiff_t>(y) * stride,
                rowPixels * sizeof(uint32_t));
  return picture;
}

}  // namespace host::render
