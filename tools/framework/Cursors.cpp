#include "tools/framework/Cursors.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <optional>

#include "QMDM/ImplCommon/QMDMLayer.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "hostcall/IdTable.h"
#include "hostcall/Images.h"
#include "hostcall/ModuleResources.h"
#include "hostcall/ModuleSession.h"
#include "tools/framework/HotSpot.h"

namespace Tools {

namespace {

constexpr const char* kHotSpotResourceType = "XML";

constexpr int32_t kSystemCursors[] = {kPlatformCursorTextBeam, kPlatformCursorCrosshair, kPlatformCursorWait,
                                      kPlatformCursorArrow,    kPlatformCursorNo,        kPlatformCursorHand,
                                      kPlatformCursorHand2,    kPlatformCursorArrow2};

// Built cursors by id; a null cursor records a build that failed, so that a
// missing cursor is looked for once and not after every mouse move.  A part
// of the module session: the cursors are the host's objects.
struct CursorCache {
  std::map<int32_t, PlatformCursorRef> cursors;
  void Forget() noexcept { cursors.clear(); }
};

std::map<int32_t, PlatformCursorRef>& Cache() { return ai::SessionPart<CursorCache>().cursors; }

bool IsSystemCursor(int32_t id) {
  return std::find(std::begin(kSystemCursors), std::end(kSystemCursors), id) != std::end(kSystemCursors);
}

std::optional<HotSpot> ReadHotSpot(const ai::IdTableFile& file, SPModuleHandle module) {
  const PIResource* record = ai::FindModuleResource(module, kHotSpotResourceType, file.name.c_str());
  if (!record || !record->data) return std::nullopt;
  return ParseHotSpot({reinterpret_cast<const char*>(record->data), record->size});
}

bool Inside(const HotSpot& spot, const ai::Image& image) {
  return spot.x >= 0 && spot.y >= 0 && spot.x < image.width() && spot.y < image.height();
}

PlatformCursorRef BuildCursor(const CorvanePlatformSuite& platform, int32_t id) {
  const SPModuleHandle module = QMDM::ModuleHandle();
  const ai::IdTableFile* file = ai::ModuleIdTable().Find(id, ai::kImageExtension);
  if (!file) return nullptr;
  const std::optional<HotSpot> spot = ReadHotSpot(*file, module);
  if (!spot) return nullptr;
  const std::optional<ai::ImageSource> source =
      ai::FindModuleImageSource(ai::ModuleIdTable(), module, id, QMDM::DensityClass(QMDM::CurrentPixelScale()));
  if (!source) return nullptr;
  const std::optional<ai::Image> image = ai::Decode(platform, *source);
  if (!image) return nullptr;
  const HotSpot scaled = ScaleHotSpot(*spot, image->dpi());
  // A hot spot off the image is a damaged record; the platform would refuse it.
  if (!Inside(scaled, *image)) return nullptr;
  PlatformCursorRef cursor = nullptr;
  if (platform.CreateCursor(image->rgba(), image->width(), image->height(), scaled.x, scaled.y,
                            image->name().c_str(), &cursor) != kNoErr)
    return nullptr;
  return cursor;
}

PlatformCursorRef CachedCursor(const CorvanePlatformSuite& platform, int32_t id) {
  std::map<int32_t, PlatformCursorRef>& cache = Cache();
  if (const auto it = cache.find(id); it != cache.end()) return it->second;
  const PlatformCursorRef cursor = BuildCursor(platform, id);
  cache.emplace(id, cursor);
  return cursor;
}

}  // namespace

void SetToolCursor(int32_t id) {
  const CorvanePlatformSuite& platform = ai::Suites().Platform();
  if (id < 0) {
    if (IsSystemCursor(id)) ai::Check(platform.SetSystemCursor(id));
    return;
  }
  if (const PlatformCursorRef cursor = CachedCursor(platform, id)) ai::Check(platform.SetCursor(cursor));
}

void ForgetToolCursors() noexcept { Cache().clear(); }

void LoadImageTable(SPModuleHandle module) {
  ForgetToolCursors();
  ai::LoadModuleIdTable(module);
}

}  // namespace Tools
