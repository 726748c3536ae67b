#include "catalog.h"

#include <fstream>
#include <stdexcept>

#include "brand.h"
#include "cursors.h"
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
      images.push_back({icon.id + (dark ? kDarkIconIdOffset : 0),
                        std::string(dark ? icon.dark_name : icon.light_name), kToolIconSize,
                        kToolIconSize, false,
                        "tool icon: " + std::string(icon.tool) + (dark ? ", dark interface" : ""),
                        [&icon, theme](Canvas& c) { DrawToolIcon(c, icon, theme); }});
    }
  }
  auto add = [&images](int id, std::string name, PictureSize size, std::string note,
                       std::function<void(Canvas&)> draw) {
    images.push_back({id, std::move(name), size.width, size.height, false, std::move(note), std::move(draw)});
  };
  add(16901, "QMLogo", kMakerLogoSize, "maker logo", DrawMakerLogo);
  add(2300, "QMLogo122x40_L", kMakerLogoWideSize, "maker logo with name, light interface",
      [](Canvas& c) { DrawMakerLogoWide(c, Backdrop::kLightInterface); });
  add(12300, "QMLogo122x40_D", kMakerLogoWideSize, "maker logo with name, dark interface",
      [](Canvas& c) { DrawMakerLogoWide(c, Backdrop::kDarkInterface); });
  add(2302, "Warning29x29_L", kWarningSize, "warning sign, light interface",
      [](Canvas& c) { DrawWarning(c, Backdrop::kLightInterface); });
  add(12302, "Warning29x29_D", kWarningSize, "warning sign, dark interface",
      [](Canvas& c) { DrawWarning(c, Backdrop::kDarkInterface); });
  add(1100, "CorvaneIcon16x16", kPluginIconSize, "plug-in icon", DrawPluginIcon);
  add(16110, "AboutBanner", kAboutBannerSize, "About dialog banner", DrawAboutBanner);
  add(16111, "AboutCap", kAboutCapSize, "About dialog band below the banner", DrawAboutCap);
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
      WriteText(folder / (image.name + ".xml"), HotSpotRecord(kCursorHotSpot, kCursorHotSpot));
      manifest.push_back({"XML", image.name, image.name + ".xml"});
    }
  }
  WriteText(folder / kIdTableFile, IdTableText(images));
  manifest.push_back({"txt", std::string(kIdTableName), std::string(kIdTableFile)});
  WriteText(folder / kManifestFile, ManifestText(manifest));
  return manifest;
}

}  // namespace corvane::art
