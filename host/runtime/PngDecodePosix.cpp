#include "host/runtime/PngDecode.h"

#include <cairo.h>

#include <cstring>
#include <memory>

#include "host/core/HostError.h"

namespace host::runtime {
namespace {

struct MemoryStream {
  std::span<const uint8_t> data;
  std::size_t pos = 0;
};

// Never reads past the end: a short PNG makes cairo report an error.
cairo_status_t ReadChunk(void* closure, unsigned char* out, unsigned int length) {
  auto* s = static_cast<MemoryStream*>(closure);
  if (length > s->data.size() - s->pos) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, s->data.data() + s->pos, length);
  s->pos += length;
  return CAIRO_STATUS_SUCCESS;
}

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};

// Undoes premultiplication, rounding to the nearest value.
uint8_t Straight(uint32_t premultiplied, uint32_t alpha) {
  if (alpha == 0) return 0;
  const uint32_t v = (premultiplied * 255 + alpha / 2) / alpha;
  return static_cast<uint8_t>(v > 255 ? 255 : v);
}

}  // namespace

RgbaImage DecodePng(std::span<const uint8_t> png) {
  MemoryStream stream{png};
  std::unique_ptr<cairo_surface_t, SurfaceDeleter> surface(cairo_image_surface_create_from_png_stream(ReadChunk, &stream));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw HostError(kBadParameterErr,
                    std::string("cannot decode the PNG image: ") + cairo_status_to_string(cairo_surface_status(surface.get())));
  cairo_surface_flush(surface.get());
  const cairo_format_t format = cairo_image_surface_get_format(surface.get());
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24)
    throw HostError(kBadParameterErr, "the PNG image decodes to an unsupported pixel format");
  RgbaImage image;
  image.width = cairo_image_surface_get_width(surface.get());
  image.height = cairo_image_surface_get_height(surface.get());
  const int stride = cairo_image_surface_get_stride(surface.get());
  const unsigned char* data = cairo_image_surface_get_data(surface.get());
  image.rgba.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4);
  for (int32_t y = 0; y < image.height; ++y) {
    // cairo keeps each pixel as one native-endian 32-bit ARGB word.
    const auto* row = reinterpret_cast<const uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
    for (int32_t x = 0; x < image.width; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = format == CAIRO_FORMAT_ARGB32 ? p >> 24 : 255;
      uint8_t* out = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
      out[0] = Straight((p >> 16) & 0xff, a);
      out[1] = Straight((p >> 8) & 0xff, a);
      out[2] = Straight(p & 0xff, a);
      out[3] = static_cast<uint8_t>(a);
    }
  }
  return image;
}

}  // namespace host::runtime
