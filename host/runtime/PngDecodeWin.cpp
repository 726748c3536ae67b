// PNG decoding with GDI+, the platform's own image decoder.
#include <windows.h>
// windows.h first: GDI+ builds on its types.
#include <gdiplus.h>
#include <shlwapi.h>

#include <cstring>
#include <memory>

#include "host/core/HostError.h"
#include "host/runtime/PngDecode.h"

namespace host::runtime {
namespace {

constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// GDI+ starts on the first decode and stays up until the process ends: images
// are decoded whenever a plug-in asks, and nothing else needs it stopped.
void StartGdiplus() {
  static const bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  if (!started) throw HostError(kBadParameterErr, "cannot decode the PNG image: GDI+ did not start");
}

struct StreamRelease {
  void operator()(IStream* s) const { s->Release(); }
};

[[noreturn]] void Fail(const char* problem) { throw HostError(kBadParameterErr, std::string("cannot decode the PNG image: ") + problem); }

}  // namespace

RgbaImage DecodePng(std::span<const uint8_t> png) {
  // GDI+ reads other formats too; the host takes only PNG, as elsewhere.
  if (png.size() < sizeof kPngSignature || std::memcmp(png.data(), kPngSignature, sizeof kPngSignature) != 0)
    Fail("not a PNG file");
  StartGdiplus();
  std::unique_ptr<IStream, StreamRelease> stream(SHCreateMemStream(png.data(), static_cast<UINT>(png.size())));
  if (!stream) Fail("out of memory");
  Gdiplus::Bitmap bitmap(stream.get(), FALSE);
  if (bitmap.GetLastStatus() != Gdiplus::Ok) Fail("GDI+ cannot read it");
  RgbaImage image;
  image.width = static_cast<int32_t>(bitmap.GetWidth());
  image.height = static_cast<int32_t>(bitmap.GetHeight());
  Gdiplus::Rect all(0, 0, image.width, image.height);
  Gdiplus::BitmapData data{};
  // Straight (not premultiplied) ARGB, one little-endian word per pixel.
  if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
    Fail("GDI+ cannot read its pixels");
  image.rgba.resize(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4);
  for (int32_t y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) +
                                                        static_cast<std::ptrdiff_t>(y) * data.Stride);
    for (int32_t x = 0; x < image.width; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      uint8_t* out = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
      // A fully transparent pixel has no colour, as the premultiplied decoders report it.
      out[0] = a ? static_cast<uint8_t>((p >> 16) & 0xff) : 0;
      out[1] = a ? static_cast<uint8_t>((p >> 8) & 0xff) : 0;
      out[2] = a ? static_cast<uint8_t>(p & 0xff) : 0;
      out[3] = static_cast<uint8_t>(a);
    }
  }
  bitmap.UnlockBits(&data);
  return image;
}

}  // namespace host::runtime
