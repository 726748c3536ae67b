#include "host/render/Picture.h"

#include <string>

#include "host/core/HostError.h"

namespace host::render {

namespace {

uint8_t Unpremultiply(uint32_t channel, uint32_t alpha) {
  if (alpha == 0) return 0;
  return static_cast<uint8_t>((channel * 255 + alpha / 2) / alpha);
}

}  // namespace

Rgba Picture::At(int x, int y) const {
  if (argb.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
    throw HostError(kBadParameterErr, "the picture's pixels do not match its size");
  if (x < 0 || y < 0 || x >= width || y >= height)
    throw HostError(kBadParameterErr, "pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                          ") is outside the " + std::to_string(width) + " x " +
                                          std::to_string(height) + " picture");
  const uint32_t p = argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)];
  const uint32_t a = p >> 24;
  return {Unpremultiply((p >> 16) & 0xff, a), Unpremultiply((p >> 8) & 0xff, a), Unpremultiply(p & 0xff, a),
          static_cast<uint8_t>(a)};
}

}  // namespace host::render
