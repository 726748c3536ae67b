#include "hostcall/Images.h"

#include <array>

#include "hostcall/ModuleResources.h"

namespace ai {

namespace {

constexpr const char* kImageResourceType = "PNG";
constexpr const char* kImageByIdResourceType = "PNGI";

struct Variant {
  const char* suffix;
  int32_t dpi;
};

constexpr Variant kPlain{"", 96};
constexpr Variant kOneAndHalf{"_at_3to2x", 144};
constexpr Variant kDouble{"_at_2x", 192};

// The screen's own density first; then, on a dense screen, the other dense
// variant before the plain one, since scaling a denser image down looks
// better than scaling a sparse one up.
std::array<Variant, 3> VariantOrder(int32_t densityClass) {
  if (densityClass >= 20) return {kDouble, kOneAndHalf, kPlain};
  if (densityClass >= 15) return {kOneAndHalf, kDouble, kPlain};
  return {kPlain, kOneAndHalf, kDouble};
}

// find(type, name) and find(type, id) look a resource up.
template <class Find>
std::optional<ImageSource> FindSource(const IdTable& table, int32_t id, int32_t densityClass, Find&& find) {
  if (const IdTableFile* file = table.Find(id, kImageExtension)) {
    for (const Variant& variant : VariantOrder(densityClass)) {
      std::string name = file->name + variant.suffix;
      if (const PIResource* resource = find(kImageResourceType, name.c_str()))
        return ImageSource{resource, std::move(name), variant.dpi};
    }
  }
  if (const PIResource* resource = find(kImageByIdResourceType, id))
    return ImageSource{resource, std::to_string(id), kPlain.dpi};
  return std::nullopt;
}

}  // namespace

std::optional<ImageSource> FindImageSource(const IdTable& table, const PIResourceDirectory& directory, int32_t id,
                                           int32_t densityClass) {
  return FindSource(table, id, densityClass,
                    [&](const char* type, auto key) { return FindResource(directory, type, key); });
}

std::optional<ImageSource> FindModuleImageSource(const IdTable& table, SPModuleHandle module, int32_t id,
                                                 int32_t densityClass) {
  return FindSource(table, id, densityClass,
                    [&](const char* type, auto key) { return FindModuleResource(module, type, key); });
}

Image::~Image() { Release(); }

Image::Image(Image&& other) noexcept
    : platform_(other.platform_), pixels_(other.pixels_), name_(std::move(other.name_)), dpi_(other.dpi_) {
  other.pixels_ = PlatformImage{};
}

Image& Image::operator=(Image&& other) noexcept {
  if (this != &other) {
    Release();
    platform_ = other.platform_;
    pixels_ = other.pixels_;
    name_ = std::move(other.name_);
    dpi_ = other.dpi_;
    other.pixels_ = PlatformImage{};
  }
  return *this;
}

// Nothing can be done about a refused release; the pixels are the host's.
void Image::Release() noexcept {
  if (pixels_.rgba) platform_->FreeImage(&pixels_);
  pixels_ = PlatformImage{};
}

std::optional<Image> Decode(const CorvanePlatformSuite& platform, const ImageSource& source) {
  if (!source.resource || !source.resource->data) return std::nullopt;
  PlatformImage pixels{};
  if (platform.DecodeImage(source.resource->data, source.resource->size, &pixels) != kNoErr) return std::nullopt;
  Image image(platform, pixels, source.name, source.dpi);
  if (!image.rgba() || image.width() <= 0 || image.height() <= 0) return std::nullopt;
  return image;
}

}  // namespace ai
