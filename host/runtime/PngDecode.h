// PNG images decoded to straight (not premultiplied) 8-bit RGBA, rows top to
// bottom: the layout of the platform suite's PlatformImage.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace host::runtime {

struct RgbaImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;  // width * height * 4
};

// Throws HostError(kBadParameterErr) when the bytes are not a PNG the decoder
// can read.
RgbaImage DecodePng(std::span<const uint8_t> png);

}  // namespace host::runtime
