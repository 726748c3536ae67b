// Images by numeric id, at the density of the screen.
//
// An image id names, through the id table, a PNG base name; the module holds
// the image under that name at up to three densities: "name" (96 dots per
// inch), "name_at_3to2x" (144) and "name_at_2x" (192).  The variant closest
// to the screen's density is tried first, so a picture or cursor keeps its
// logical size and stays sharp.  Images that the table does not name are
// looked for as the "PNGI" resource with the image's numeric id.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>

#include "sdk/CorvanePlatform.h"
#include "sdk/PIResources.h"
#include "hostcall/IdTable.h"

namespace ai {

// The extension images are listed under in the id table.
constexpr const char* kImageExtension = "png";

// Where an image's pixels come from.
struct ImageSource {
  const PIResource* resource = nullptr;
  std::string name;   // the resource's name ("cross-01-16011_at_2x"); for a "PNGI" image its id in decimal
  int32_t dpi = 96;   // the density its pixels were drawn for
};

// densityClass: 10, 15 or 20, ten times the screen's density over 96 dots
// per inch (the dialog layer's pixel scale applied to 10).
//
// The first variant of (id, "png") in the order of the density class that
// the directory holds, else its "PNGI" resource with that id, else nothing.
std::optional<ImageSource> FindImageSource(const IdTable& table, const PIResourceDirectory& directory, int32_t id,
                                           int32_t densityClass);
// The same among the module's own resources (ModuleResources.h).
std::optional<ImageSource> FindModuleImageSource(const IdTable& table, SPModuleHandle module, int32_t id,
                                                 int32_t densityClass);

// An image decoded by the host, given back to it on destruction.  It must not
// outlive the host call that decoded it: the platform suite it is given back
// through is held only for that call.  Keep a copy of the pixels instead.
class Image {
 public:
  Image(const CorvanePlatformSuite& platform, PlatformImage pixels, std::string name, int32_t dpi) noexcept
      : platform_(&platform), pixels_(pixels), name_(std::move(name)), dpi_(dpi) {}
  ~Image();
  Image(Image&& other) noexcept;
  Image& operator=(Image&& other) noexcept;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;

  int32_t width() const noexcept { return pixels_.width; }
  int32_t height() const noexcept { return pixels_.height; }
  // width * height * 4 bytes of RGBA, rows top to bottom.
  const uint8_t* rgba() const noexcept { return pixels_.rgba; }
  const std::string& name() const noexcept { return name_; }
  // Dots per inch of the pixels: the logical size is width * 96 / dpi.
  int32_t dpi() const noexcept { return dpi_; }

 private:
  void Release() noexcept;

  const CorvanePlatformSuite* platform_;
  PlatformImage pixels_;
  std::string name_;
  int32_t dpi_;
};

// The source's pixels decoded by the host; nothing when they do not decode.
std::optional<Image> Decode(const CorvanePlatformSuite& platform, const ImageSource& source);

}  // namespace ai
