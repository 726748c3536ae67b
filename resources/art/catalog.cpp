#include "catalog.h"

#include <fstream>
#include <stdexcept>

#include "brand.h"
#include "cursors.h"
#include "resources/ResourceIds.h"
#include "tool_icons.h"

namespace corvane::art {

namespace {

void WriteText(const std::filesystem::path& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary);
  out << text;
  out.close();
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace

std::vector<ImageEntry> ImageCatalog() {
  std::vector<ImageEntry> images;
  for (const CursorArt& cursor : Cursors()) {
    images.push_back({cursor.id, std::string(cursor.name), kCursorSize, kCursorSize, true,
                      "cursor: " + std::string(cursor.meaning),
                      [&cursor](Canvas& c) { DrawCursor(c, cursor); }});
  }
  for (Theme theme : {Theme::kLight, Theme::kDark}) {
    const bool dark = theme == Theme::kDark;
    for (const ToolIconArt& icon : ToolIcons()) {
      images.push_back({icon.id + (dark ? ids::kDarkIconOffset : 0),
                        std::string(dark ? icon.dark_name : icon.light_name), kToolIconSize,
                        kToolIconSize, false,
                        "tool icon: " + std::string(icon.tool) + (dark ? ", dark interface" : ""),
                        [&icon, theme](Canvas& c) { DrawToolIcon(c, icon, theme); }});
    }
  }
  // Each picture of the shared id table with its size and how it is drawn.
  struct Picture {
    PictureSize size;
    std::function<void(Canvas&)> draw;
  };
  const auto pictureOf = [](int id) -> Picture {
    switch (id) {
      case ids::kPictureMakerLogo: return {kMakerLogoSize, DrawMakerLogo};
      case ids::kPictureMakerLogoWide:
        return {kMakerLogoWideSize, [](Canvas& c) { DrawMakerLogoWide(c, Backdrop::kLightInterface); }};
      case ids::kPictureMakerLogoWideDark:
        return {kMakerLogoWideSize, [](Canvas& c) { DrawMakerLogoWide(c, Backdrop::kDarkInterface); }};
      case ids::kPictureWarning:
        return {kWarningSize, [](Canvas& c) { DrawWarning(c, Backdrop::kLightInterface); }};
      case ids::kPictureWarningDark:
        return {kWarningSize, [](Canvas& c) { DrawWarning(c, Backdrop::kDarkInterface); }};
      case ids::kPicturePluginIcon: return {kPluginIconSize, DrawPluginIcon};
      case ids::kPictureAboutBanner: return {kAboutBannerSize, DrawAboutBanner};
      case ids::kPictureAboutCap: return {kAboutCapSize, DrawAboutCap};
    }
    throw std::logic_error("no drawing for picture " + std::to_string(id));
  };
#define CORVANE_PICTURE_ENTRY(Constant, Id, Name, Meaning)                                          \
  {                                                                                                  \
    Picture picture = pictureOf(ids::Constant);                                                      \
    images.push_back({ids::Constant, Name, picture.size.width, picture.size.height, false, Meaning, \
                      std::move(picture.draw)});                                                     \
  }
  CORVANE_PICTURES(CORVANE_PICTURE_ENTRY)
#undef CORVANE_PICTURE_ENTRY
  return images;
}

std::string HotSpotRecord(int x, int y) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<prop.map>\n"
         "  <prop.list>\n"
         "    <prop.pair>\n"
         "      <key>kHotSpot</key>\n"
         "      <array>\n"
         "        <array.type>int</array.type>\n"
         "        <int>" + std::to_string(x) + "</int>\n"
         "        <int>" + std::to_string(y) + "</int>\n"
         "      </array>\n"
         "    </prop.pair>\n"
         "    <prop.pair>\n"
         "      <key>DVA_CursorData</key>\n"
         "      <string>1.0</string>\n"
         "    </prop.pair>\n"
         "  </prop.list>\n"
         "</prop.map>\n";
}

std::string IdTableText(const std::vector<ImageEntry>& images) {
  std::string text =
      "// Image ids of the Corvane plug-in and the PNG resources they name.\n"
      "// Each entry: <id>.png, a tab, <resource name>.png; the plug-in adds the\n"
      "// density suffix (_at_3to2x, _at_2x) itself.\n";
  bool cursors = false;
  bool others = false;
  for (const ImageEntry& image : images) {
    if (image.is_cursor && !cursors) {
      text += "\n// Cursors (hot spots in the XML records of the same name)\n";
      cursors = true;
    } else if (!image.is_cursor && !others) {
      text += "\n// Tool icons and dialog pictures\n";
      others = true;
    }
    text += std::to_string(image.id) + ".png\t" + image.name + ".png  // " + image.note + "\n";
  }
  return text;
}

std::string ManifestText(const std::vector<ManifestLine>& lines) {
  std::string text;
  for (const ManifestLine& line : lines) text += line.type + "\t" + line.name + "\t" + line.file + "\n";
  return text;
}

std::vector<ManifestLine> WriteResources(const std::filesystem::path& folder) {
  std::vector<ManifestLine> manifest;
  const std::vector<ImageEntry> images = ImageCatalog();
  for (const ImageEntry& image : images) {
    for (const Density& density : kDensities) {
      Canvas canvas(image.width, image.height, density.dpi);
      image.draw(canvas);
      const std::string name = image.name + std::string(density.suffix);
      canvas.WritePng(folder / (name + ".png"));
      manifest.push_back({"PNG", name, name + ".png"});
    }
    if (image.is_cursor) {
      WriteText(folder / (image.name + ".xml"), HotSpotRecord(ids::kCursorHotSpotPx, ids::kCursorHotSpotPx));
      manifest.push_back({"XML", image.name, image.name + ".xml"});
    }
  }
  WriteText(folder / kIdTableFile, IdTableText(images));
  manifest.push_back({"txt", std::string(kIdTableName), std::string(kIdTableFile)});
  WriteText(folder / kManifestFile, ManifestText(manifest));
  return manifest;
}

}  // namespace corvane::art
