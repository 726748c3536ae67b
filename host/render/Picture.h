// A rendered picture of the view: 32-bit pixels, rows top to bottom.
//
// Pixels are kept the way cairo keeps its ARGB32 images: one uint32_t each,
// 0xAARRGGBB with the colour premultiplied by alpha, so a picture can be
// handed to cairo (and written as PNG) without conversion.  At() gives the
// straight (not premultiplied) colour, which is what a test or a caller
// comparing colours wants.
#pragma once

#include <cstdint>
#include <vector>

namespace host::render {

struct Rgba {
  uint8_t r = 0;
  uint8_t g = 0;
  uint8_t b = 0;
  uint8_t a = 0;
  friend constexpr bool operator==(Rgba, Rgba) = default;
};

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // width * height, row-major, premultiplied

  // The straight colour of pixel (x, y); (0, 0) is the top-left pixel.
  // kBadParameterErr (HostError) for a pixel outside the picture, or when
  // argb does not hold width * height pixels.
  Rgba At(int x, int y) const;
};

}  // namespace host::render
