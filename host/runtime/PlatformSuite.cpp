// "Corvane Platform Suite": the operating-system calls a plug-in would make
// itself, answered by the host so that they can be observed.  Nothing is
// launched and no cursor is shown; the host records what was asked.
#include <algorithm>
#include <cstring>
#include <memory>

#include "host/core/SuiteCall.h"
#include "host/runtime/AppState.h"
#include "host/runtime/PngDecode.h"
#include "host/runtime/Suites.h"

namespace host::runtime {
namespace {

// Cursors are small; anything larger is a corrupt argument.
constexpr int32_t kMaxCursorSidePx = 512;
constexpr const char* kOpenVerb = "open";
constexpr int32_t kSystemCursors[] = {kPlatformCursorTextBeam, kPlatformCursorCrosshair, kPlatformCursorWait,
                                      kPlatformCursorArrow,    kPlatformCursorNo,        kPlatformCursorHand,
                                      kPlatformCursorHand2,    kPlatformCursorArrow2};

AIErr DecodeImage(const void* data, size_t size, PlatformImage* image) {
  return SuiteCall(kCorvanePlatformSuite, "DecodeImage", [&] {
    *Required(image, "image") = PlatformImage{0, 0, nullptr};
    if (size > 0) Required(data, "data");
    RgbaImage decoded = DecodePng({static_cast<const uint8_t*>(data), size});
    auto pixels = std::make_unique<uint8_t[]>(decoded.rgba.size());
    std::memcpy(pixels.get(), decoded.rgba.data(), decoded.rgba.size());
    App().images[pixels.get()] = decoded.rgba.size();
    *image = PlatformImage{decoded.width, decoded.height, pixels.release()};
    return kNoErr;
  });
}

AIErr FreeImage(PlatformImage* image) {
  return SuiteCall(kCorvanePlatformSuite, "FreeImage", [&] {
    Required(image, "image");
    if (!image->rgba) return kNoErr;
    auto& images = App().images;
    auto it = images.find(image->rgba);
    if (it == images.end()) throw HostError(kBadParameterErr, "not an image the host decoded");
    delete[] it->first;
    images.erase(it);
    *image = PlatformImage{0, 0, nullptr};
    return kNoErr;
  });
}

AIErr CreateCursor(const uint8_t* rgba, int32_t width, int32_t height, int32_t hotX, int32_t hotY, const char* name,
                   PlatformCursorRef* cursor) {
  return SuiteCall(kCorvanePlatformSuite, "CreateCursor", [&] {
    *Required(cursor, "cursor") = nullptr;
    Required(rgba, "rgba");
    if (width <= 0 || height <= 0 || width > kMaxCursorSidePx || height > kMaxCursorSidePx)
      throw HostError(kBadParameterErr, "cursor size " + std::to_string(width) + " x " + std::to_string(height));
    if (hotX < 0 || hotY < 0 || hotX >= width || hotY >= height)
      throw HostError(kBadParameterErr, "hot spot outside the cursor image");
    CursorState c;
    c.kind = CursorState::Kind::Image;
    c.name = name ? name : "";
    c.width = width;
    c.height = height;
    c.hotX = hotX;
    c.hotY = hotY;
    c.rgba.assign(rgba, rgba + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4);
    *cursor = App().cursors.Add(std::move(c));
    return kNoErr;
  });
}

AIErr SetCursor(PlatformCursorRef cursor) {
  return SuiteCall(kCorvanePlatformSuite, "SetCursor", [&] {
    AppState& app = App();
    app.cursor = app.cursors.Get(cursor, "cursor");
    return kNoErr;
  });
}

AIErr SetSystemCursor(int32_t id) {
  return SuiteCall(kCorvanePlatformSuite, "SetSystemCursor", [&] {
    if (std::find(std::begin(kSystemCursors), std::end(kSystemCursors), id) == std::end(kSystemCursors))
      throw HostError(kBadParameterErr, "no system cursor " + std::to_string(id));
    CursorState c;
    c.kind = CursorState::Kind::System;
    c.systemId = id;
    App().cursor = c;
    return kNoErr;
  });
}

AIErr ShellExecute(const char* verb, const char* target) {
  return SuiteCall(kCorvanePlatformSuite, "ShellExecute", [&] {
    if (std::strcmp(Required(verb, "verb"), kOpenVerb) != 0)
      throw HostError(kBadParameterErr, std::string("unsupported shell verb '") + verb + "'");
    if (!*Required(target, "target")) throw HostError(kBadParameterErr, "empty shell target");
    App().shellRequests.emplace_back(target);
    if (App().shellHandler) App().shellHandler(App().shellRequests.back());
    return kNoErr;
  });
}

AIErr GetDisplayResolution(int32_t* dpiX, int32_t* dpiY) {
  return SuiteCall(kCorvanePlatformSuite, "GetDisplayResolution", [&] {
    const int dpi = App().displayDpi;
    *Required(dpiX, "dpiX") = dpi;
    *Required(dpiY, "dpiY") = dpi;
    return kNoErr;
  });
}

AIErr GetModuleFileName(SPModuleHandle module, char* buffer, int32_t capacity) {
  return SuiteCall(kCorvanePlatformSuite, "GetModuleFileName", [&] {
    AppState& app = App();
    if (!module || module != app.module) throw HostError(kBadHandleErr, "not a loaded module");
    if (capacity <= 0) throw HostError(kBadParameterErr, "no room for the module path");
    Required(buffer, "buffer")[0] = '\0';
    const std::string path = app.modulePath.string();
    if (path.size() + 1 > static_cast<std::size_t>(capacity))
      throw HostError(kBadParameterErr, "the module path does not fit in " + std::to_string(capacity) + " bytes");
    std::memcpy(buffer, path.c_str(), path.size() + 1);
    return kNoErr;
  });
}

const CorvanePlatformSuite kPlatform = {DecodeImage,     FreeImage,          CreateCursor,         SetCursor,
                                        SetSystemCursor, ShellExecute,       GetDisplayResolution, GetModuleFileName};

}  // namespace

void AddPlatformSuite(SuiteRegistry& registry) {
  registry.Add(kCorvanePlatformSuite, kCorvanePlatformSuiteVersion, &kPlatform);
}

}  // namespace host::runtime
