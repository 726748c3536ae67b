#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace corvane::art {

Canvas::Canvas(int logical_width, int logical_height, int dpi)
    : logical_width_(logical_width),
      logical_height_(logical_height),
      dpi_(dpi),
      width_px_(ScalePixels(logical_width, dpi)),
      height_px_(ScalePixels(logical_height, dpi)),
      scale_(static_cast<double>(width_px_) / logical_width),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width_px_, height_px_)),
      cr_(cairo_create(surface_)) {
  if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
    throw std::runtime_error("cannot create a drawing surface");
  }
  cairo_scale(cr_, scale_, static_cast<double>(height_px_) / logical_height);
  cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

double Canvas::Hairline(double logical_width) const {
  // Halves round down: a 1-pixel line is one pixel wide at 1.5x too, which
  // reads crisper than a blurred 1.5-pixel one.
  const double device = std::max(1.0, std::ceil(logical_width * scale_ - 0.5));
  return device / scale_;
}

double Canvas::Snap(double logical, double logical_width) const {
  const double device_width = std::lround(logical_width * scale_);
  const double start = std::floor(logical * scale_ - device_width / 2 + 0.5);
  return (start + device_width / 2) / scale_;
}

void Canvas::WritePng(const std::filesystem::path& file) const {
  cairo_surface_flush(surface_);
  if (cairo_surface_write_to_png(surface_, file.string().c_str()) != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error("cannot write " + file.string());
  }
}

}  // namespace corvane::art
