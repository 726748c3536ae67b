// A cairo image surface sized for one density of one picture, and the pixel
// densities the plug-in looks for.
#pragma once

#include <cairo.h>

#include <array>
#include <filesystem>
#include <string_view>

namespace corvane::art {

// The plug-in picks among these variants by display density; each variant
// is a separate resource whose name is the base name plus the suffix.
struct Density {
  std::string_view suffix;
  int dpi;
};

inline constexpr std::array<Density, 3> kDensities{{
    {"", 96},
    {"_at_3to2x", 144},
    {"_at_2x", 192},
}};

// The plug-in scales hot spots with exactly this rounding, so picture sizes
// and crosshair centres use it too and stay in step with it.
constexpr int ScalePixels(int logical, int dpi) {
  return static_cast<int>(logical * dpi / 96.0 + 0.5);
}

// Owns a transparent ARGB surface of the scaled size and a context whose user
// space is the picture's 1x pixel grid, so drawing code is written once and
// rendered as vectors at every density.
class Canvas {
 public:
  Canvas(int logical_width, int logical_height, int dpi);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int dpi() const { return dpi_; }
  // Device pixels per 1x pixel along x (sizes like 29 at 1.5x round, so the
  // two axes can differ by a hair; x is the one drawing code relies on).
  double scale() const { return scale_; }
  int width_px() const { return width_px_; }
  int height_px() const { return height_px_; }
  int logical_width() const { return logical_width_; }
  int logical_height() const { return logical_height_; }

  // Line width in 1x units that covers a whole number of device pixels, so
  // thin strokes stay sharp at 1.5x instead of smearing over two pixels.
  double Hairline(double logical_width) const;
  // Moves a 1x coordinate so that a line of the given Hairline width centred
  // on it covers whole device pixels.
  double Snap(double logical, double logical_width) const;

  void WritePng(const std::filesystem::path& file) const;

 private:
  int logical_width_;
  int logical_height_;
  int dpi_;
  int width_px_;
  int height_px_;
  double scale_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

}  // namespace corvane::art
