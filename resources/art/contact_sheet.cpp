#include "contact_sheet.h"

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "canvas.h"
#include "catalog.h"
#include "draw.h"

namespace corvane::art {

namespace {

constexpr int kCell = 76;
constexpr int kMargin = 8;
constexpr Rgba kLightGround = Hex(0xe8e8e8);
constexpr Rgba kDarkGround = Hex(0x323232);
constexpr Rgba kPhotoGround = Hex(0x8a6f4e);

struct Row {
  std::vector<const ImageEntry*> images;
  int dpi;
  int magnify;
  Rgba ground;
};

void PaintRow(cairo_t* cr, const Row& row, int y, int width) {
  cairo_rectangle(cr, 0, y, width, kCell);
  Fill(cr, row.ground);
  int x = kMargin;
  for (const ImageEntry* image : row.images) {
    Canvas canvas(image->width, image->height, row.dpi);
    image->draw(canvas);
    cairo_save(cr);
    cairo_translate(cr, x + (kCell - canvas.width_px() * row.magnify) / 2,
                    y + (kCell - canvas.height_px() * row.magnify) / 2);
    cairo_scale(cr, row.magnify, row.magnify);
    cairo_set_source_surface(cr, canvas.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    x += kCell;
  }
}

}  // namespace

void WriteContactSheet(const std::filesystem::path& file) {
  const std::vector<ImageEntry> catalog = ImageCatalog();
  std::vector<const ImageEntry*> cursors, light_icons, dark_icons;
  for (const ImageEntry& image : catalog) {
    if (image.is_cursor) {
      cursors.push_back(&image);
    } else if (image.name.ends_with("-light")) {
      light_icons.push_back(&image);
    } else if (image.name.ends_with("-dark")) {
      dark_icons.push_back(&image);
    }
  }
  const std::vector<Row> rows{
      {cursors, 192, 1, kLightGround}, {cursors, 192, 1, kDarkGround},  {cursors, 192, 1, kPhotoGround},
      {cursors, 96, 2, kLightGround},  {cursors, 144, 1, kLightGround}, {light_icons, 192, 1, kLightGround},
      {dark_icons, 192, 1, kDarkGround}, {light_icons, 96, 3, kLightGround}, {dark_icons, 96, 3, kDarkGround},
      {light_icons, 96, 1, kLightGround}, {dark_icons, 96, 1, kDarkGround},
  };
  std::size_t longest = 0;
  for (const Row& row : rows) longest = std::max(longest, row.images.size());
  const int width = kMargin * 2 + kCell * static_cast<int>(longest);
  const int height = kCell * static_cast<int>(rows.size());
  cairo_surface_t* sheet = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(sheet);
  for (std::size_t i = 0; i < rows.size(); ++i) PaintRow(cr, rows[i], static_cast<int>(i) * kCell, width);
  cairo_destroy(cr);
  const cairo_status_t status = cairo_surface_write_to_png(sheet, file.string().c_str());
  cairo_surface_destroy(sheet);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace corvane::art
