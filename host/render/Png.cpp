#include "host/render/Png.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "host/core/AtomicFile.h"
#include "host/core/HostError.h"
#include "host/render/Cairo.h"

namespace host::render {

namespace {

[[noreturn]] void Fail(const std::string& verb, const std::filesystem::path& file, const std::string& problem) {
  throw HostError(kFileErr, "cannot " + verb + " '" + file.string() + "': " + problem);
}

struct FileClose {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileClose>;

// Called from inside cairo: nothing may be thrown through it.
cairo_status_t AppendBytes(void* closure, const unsigned char* data, unsigned int length) noexcept {
  try {
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
  } catch (...) {
    return CAIRO_STATUS_NO_MEMORY;
  }
}

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  return std::fread(data, 1, length, static_cast<std::FILE*>(closure)) == length ? CAIRO_STATUS_SUCCESS
                                                                                : CAIRO_STATUS_READ_ERROR;
}

SurfacePtr SurfaceOf(const Picture& picture) {
  if (picture.width <= 0 || picture.height <= 0 ||
      picture.argb.size() != static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height))
    throw HostError(kBadParameterErr, "the picture's pixels do not match its size");
  // Cairo's ARGB32 rows are exactly width * 4 bytes, so the pixels need no copy.
  const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, picture.width);
  if (stride != picture.width * static_cast<int>(sizeof(uint32_t)))
    throw HostError(kBadParameterErr, "the picture is too wide to write");
  // cairo only reads the pixels when writing a PNG.
  auto* data = reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(picture.argb.data()));
  SurfacePtr surface(
      cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, picture.width, picture.height, stride));
  if (cairo_surface_status(surface.get()) != CAIRO_STATUS_SUCCESS)
    throw HostError(kOutOfMemoryErr, "cannot hand the picture to cairo");
  return surface;
}

}  // namespace

void WritePng(const Picture& picture, const std::filesystem::path& file) {
  const SurfacePtr surface = SurfaceOf(picture);
  // Encoded in memory first, so the file is written in one atomic step.
  std::string png;
  const cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), AppendBytes, &png);
  if (status != CAIRO_STATUS_SUCCESS) Fail("write", file, cairo_status_to_string(status));
  if (const std::string problem = WriteFileAtomically(file, png); !problem.empty()) Fail("write", file, problem);
}

Picture ReadPng(const std::filesystem::path& file) {
  const FilePtr in(std::fopen(file.c_str(), "rb"));
  if (!in) Fail("read", file, std::strerror(errno));
  const SurfacePtr png(cairo_image_surface_create_from_png_stream(ReadBytes, in.get()));
  if (cairo_surface_status(png.get()) != CAIRO_STATUS_SUCCESS)
    Fail("read", file, cairo_status_to_string(cairo_surface_status(png.get())));
  // PNGs without alpha come back as RGB24, whose top byte is undefined;
  // painting onto ARGB32 gives every format the picture's layout.
  const int width = cairo_image_surface_get_width(png.get()), height = cairo_image_surface_get_height(png.get());
  const SurfacePtr argb(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
  const ContextPtr cr(cairo_create(argb.get()));
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_set_source_surface(cr.get(), png.get(), 0, 0);
  cairo_paint(cr.get());
  if (cairo_status(cr.get()) != CAIRO_STATUS_SUCCESS) Fail("read", file, cairo_status_to_string(cairo_status(cr.get())));
  return PictureOf(argb.get());
}

}  // namespace host::render
