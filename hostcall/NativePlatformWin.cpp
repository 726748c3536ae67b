#include <windows.h>
// windows.h first: GDI+ and the shell build on its types.
#include <gdiplus.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hostcall/NativePlatform.h"
#include "hostcall/WideTextWin.h"

namespace ai {
namespace {

namespace gp = Gdiplus::DllExports;

// Cursors are small; anything larger is a corrupt argument.
constexpr int32_t kMaxCursorSidePx = 512;
constexpr unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// The pixels DecodeImage handed out and FreeImage has not taken back.
std::set<uint8_t*>& Decoded() {
  static std::set<uint8_t*> decoded;
  return decoded;
}

std::wstring Wide(const char* utf8) { return WideFrom(utf8, CP_UTF8, MB_ERR_INVALID_CHARS).value_or(L""); }
std::string Utf8(const std::wstring& wide) { return NarrowFrom(wide, CP_UTF8).value_or(""); }

// GDI+ for the length of one decode: images are decoded rarely (at start-up
// and for new cursors), and nothing of GDI+ outlives the call.
class GdiplusSession {
 public:
  GdiplusSession() {
    Gdiplus::GdiplusStartupInput input;
    ok_ = Gdiplus::GdiplusStartup(&token_, &input, nullptr) == Gdiplus::Ok;
  }
  ~GdiplusSession() {
    if (ok_) Gdiplus::GdiplusShutdown(token_);
  }
  GdiplusSession(const GdiplusSession&) = delete;
  GdiplusSession& operator=(const GdiplusSession&) = delete;
  bool ok() const { return ok_; }

 private:
  ULONG_PTR token_ = 0;
  bool ok_ = false;
};

struct StreamRelease {
  void operator()(IStream* s) const { s->Release(); }
};

struct ImageDispose {
  void operator()(Gdiplus::GpBitmap* b) const { gp::GdipDisposeImage(b); }
};

// Straight (not premultiplied) RGBA rows, as the hosts decode.
std::vector<uint8_t> ReadPixels(Gdiplus::GpBitmap* bitmap, UINT width, UINT height) {
  Gdiplus::Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
  Gdiplus::BitmapData data{};
  if (gp::GdipBitmapLockBits(bitmap, &all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok)
    return {};
  std::vector<uint8_t> rgba(static_cast<std::size_t>(width) * height * 4);
  for (UINT y = 0; y < height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(data.Scan0) +
                                                        static_cast<std::ptrdiff_t>(y) * data.Stride);
    for (UINT x = 0; x < width; ++x) {
      const uint32_t p = row[x], a = p >> 24;
      uint8_t* out = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
      // A fully transparent pixel has no colour.
      out[0] = a ? static_cast<uint8_t>(p >> 16) : 0;
      out[1] = a ? static_cast<uint8_t>(p >> 8) : 0;
      out[2] = a ? static_cast<uint8_t>(p) : 0;
      out[3] = static_cast<uint8_t>(a);
    }
  }
  gp::GdipBitmapUnlockBits(bitmap, &data);
  return rgba;
}

AIErr AIAPI DecodeImage(const void* data, size_t size, PlatformImage* image) {
  if (!image) return kBadParameterErr;
  *image = PlatformImage{0, 0, nullptr};
  // GDI+ reads other formats too; the module's images are PNG only.
  if (!data || size < sizeof kPngSignature || size > UINT_MAX ||
      std::memcmp(data, kPngSignature, sizeof kPngSignature) != 0)
    return kBadParameterErr;
  GdiplusSession gdiplus;
  if (!gdiplus.ok()) return kBadParameterErr;
  std::unique_ptr<IStream, StreamRelease> stream(
      SHCreateMemStream(static_cast<const BYTE*>(data), static_cast<UINT>(size)));
  if (!stream) return kOutOfMemoryErr;
  Gdiplus::GpBitmap* raw = nullptr;
  if (gp::GdipCreateBitmapFromStream(stream.get(), &raw) != Gdiplus::Ok) return kBadParameterErr;
  std::unique_ptr<Gdiplus::GpBitmap, ImageDispose> bitmap(raw);
  UINT width = 0, height = 0;
  gp::GdipGetImageWidth(bitmap.get(), &width);
  gp::GdipGetImageHeight(bitmap.get(), &height);
  std::vector<uint8_t> rgba = ReadPixels(bitmap.get(), width, height);
  if (rgba.empty()) return kBadParameterErr;
  auto pixels = std::make_unique<uint8_t[]>(rgba.size());
  std::copy(rgba.begin(), rgba.end(), pixels.get());
  Decoded().insert(pixels.get());
  *image = PlatformImage{static_cast<int32_t>(width), static_cast<int32_t>(height), pixels.release()};
  return kNoErr;
}

AIErr AIAPI FreeImage(PlatformImage* image) {
  if (!image) return kBadParameterErr;
  if (!image->rgba) return kNoErr;
  if (!Decoded().erase(image->rgba)) return kBadParameterErr;
  delete[] image->rgba;
  *image = PlatformImage{0, 0, nullptr};
  return kNoErr;
}

// A colour bitmap with straight alpha (B, G, R, A) and an empty mask: the
// system blends the cursor by its alpha.  Cursors live until the process
// ends, as the suite promises.
AIErr AIAPI MakeCursor(const uint8_t* rgba, int32_t width, int32_t height, int32_t hotX, int32_t hotY,
                         const char*, PlatformCursorRef* cursor) {
  if (!cursor) return kBadParameterErr;
  *cursor = nullptr;
  if (!rgba || width <= 0 || height <= 0 || width > kMaxCursorSidePx || height > kMaxCursorSidePx || hotX < 0 ||
      hotY < 0 || hotX >= width || hotY >= height)
    return kBadParameterErr;
  BITMAPV5HEADER header{};
  header.bV5Size = sizeof header;
  header.bV5Width = width;
  header.bV5Height = -height;
  header.bV5Planes = 1;
  header.bV5BitCount = 32;
  header.bV5Compression = BI_BITFIELDS;
  header.bV5RedMask = 0x00FF0000;
  header.bV5GreenMask = 0x0000FF00;
  header.bV5BlueMask = 0x000000FF;
  header.bV5AlphaMask = 0xFF000000;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HBITMAP color = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  ReleaseDC(nullptr, screen);
  if (!color) return kOutOfMemoryErr;
  auto* out = static_cast<uint8_t*>(bits);
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  for (std::size_t i = 0; i < pixels; ++i) {
    out[i * 4 + 0] = rgba[i * 4 + 2];
    out[i * 4 + 1] = rgba[i * 4 + 1];
    out[i * 4 + 2] = rgba[i * 4 + 0];
    out[i * 4 + 3] = rgba[i * 4 + 3];
  }
  HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
  ICONINFO info{FALSE, static_cast<DWORD>(hotX), static_cast<DWORD>(hotY), mask, color};
  HICON made = mask ? CreateIconIndirect(&info) : nullptr;
  DeleteObject(color);
  if (mask) DeleteObject(mask);
  if (!made) return kOutOfMemoryErr;
  *cursor = reinterpret_cast<PlatformCursorRef>(made);
  return kNoErr;
}

AIErr AIAPI UseCursor(PlatformCursorRef cursor) {
  if (!cursor) return kBadParameterErr;
  ::SetCursor(reinterpret_cast<HCURSOR>(cursor));
  return kNoErr;
}

AIErr AIAPI UseSystemCursor(int32_t id) {
  LPCSTR system = nullptr;
  switch (id) {
    case kPlatformCursorTextBeam: system = IDC_IBEAM; break;
    case kPlatformCursorCrosshair: system = IDC_CROSS; break;
    case kPlatformCursorWait: system = IDC_WAIT; break;
    case kPlatformCursorArrow:
    case kPlatformCursorArrow2: system = IDC_ARROW; break;
    case kPlatformCursorNo: system = IDC_NO; break;
    case kPlatformCursorHand:
    case kPlatformCursorHand2: system = IDC_HAND; break;
    default: return kBadParameterErr;
  }
  ::SetCursor(LoadCursorA(nullptr, system));
  return kNoErr;
}

AIErr AIAPI ShellOpen(const char* verb, const char* target) {
  if (!verb || std::strcmp(verb, "open") != 0 || !target || !*target) return kBadParameterErr;
  const std::wstring wide = Wide(target);
  if (wide.empty()) return kBadParameterErr;
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", wide.c_str(), nullptr, nullptr,
                                                              SW_SHOWNORMAL));
  // Above 32 is success; the rest are the shell's reasons.
  return result > 32 ? kNoErr : kBadParameterErr;
}

AIErr AIAPI GetDisplayResolution(int32_t* dpiX, int32_t* dpiY) {
  if (!dpiX || !dpiY) return kBadParameterErr;
  HDC screen = GetDC(nullptr);
  *dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  *dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return kNoErr;
}

// The module handle a host gives for a plug-in is its instance handle.
AIErr AIAPI ModuleFileName(SPModuleHandle module, char* buffer, int32_t capacity) {
  if (!module || !buffer || capacity <= 0) return kBadParameterErr;
  buffer[0] = '\0';
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(reinterpret_cast<HMODULE>(module), path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return kBadHandleErr;
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::string utf8 = Utf8(path);
  if (utf8.empty() || utf8.size() + 1 > static_cast<std::size_t>(capacity)) return kBadParameterErr;
  std::memcpy(buffer, utf8.c_str(), utf8.size() + 1);
  return kNoErr;
}

const CorvanePlatformSuite kNative = {DecodeImage,     FreeImage, MakeCursor,           UseCursor,
                                      UseSystemCursor, ShellOpen, GetDisplayResolution, ModuleFileName};

}  // namespace

const CorvanePlatformSuite& NativePlatformSuite() noexcept { return kNative; }

}  // namespace ai
