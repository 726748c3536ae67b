// Checks the generated resource folder against what the plug-in expects to
// find in its module: the id table, every image at every density with the
// right size, the hot-spot records, and pictures that serve their purpose.
#include <cairo.h>
#include <gtest/gtest.h>
#include <tinyxml2.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::filesystem::path kDir = CORVANE_ART_GENERATED_DIR;

struct Variant {
  const char* suffix;
  int dpi;
};
constexpr Variant kVariants[] = {{"", 96}, {"_at_3to2x", 144}, {"_at_2x", 192}};

int Scaled(int x, int dpi) { return static_cast<int>(x * dpi / 96.0 + 0.5); }

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

// The plug-in's reading of the id table: comments and blank lines skipped,
// entries "<id>.<ext><blanks><name>.<ext>[ <blanks>// comment]", the first
// entry of a key wins, and any malformed entry fails the whole table.
struct IdTable {
  std::map<std::pair<long, std::string>, std::string> entries;
  std::vector<long> ids_in_order;
};

std::optional<IdTable> ParseIdTable(const std::string& text) {
  IdTable table;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos) continue;
    if (line.compare(i, 2, "//") == 0) continue;
    const std::size_t digits = line.find_first_not_of("0123456789", i);
    if (digits == i || digits == std::string::npos || line[digits] != '.') return std::nullopt;
    const long id = std::stol(line.substr(i, digits - i));
    const std::size_t ext_end = line.find_first_of(" \t", digits + 1);
    if (ext_end == std::string::npos || ext_end == digits + 1) return std::nullopt;
    const std::string ext = line.substr(digits + 1, ext_end - digits - 1);
    const std::size_t file_start = line.find_first_not_of(" \t", ext_end);
    if (file_start == std::string::npos) return std::nullopt;
    std::size_t file_end = line.find_first_of(" \t", file_start);
    const std::string file = line.substr(file_start, file_end == std::string::npos ? std::string::npos
                                                                                    : file_end - file_start);
    const std::size_t dot = file.rfind('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == file.size()) return std::nullopt;
    if (file_end != std::string::npos) {
      const std::size_t rest = line.find_first_not_of(" \t", file_end);
      if (rest != std::string::npos && line.compare(rest, 2, "//") != 0) return std::nullopt;
    }
    table.entries.emplace(std::pair{id, ext}, file);
    table.ids_in_order.push_back(id);
  }
  return table;
}

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;  // premultiplied ARGB

  uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
  static int Alpha(uint32_t p) { return p >> 24; }
  // Luminance of the unpremultiplied colour, 0 to 1.
  static double Luma(uint32_t p) {
    const double a = Alpha(p);
    if (a == 0) return 0;
    return (0.2126 * ((p >> 16) & 0xff) + 0.7152 * ((p >> 8) & 0xff) + 0.0722 * (p & 0xff)) / a;
  }
};

std::optional<Image> LoadPng(const std::filesystem::path& file) {
  if (!std::filesystem::exists(file)) return std::nullopt;
  cairo_surface_t* s = cairo_image_surface_create_from_png(file.string().c_str());
  if (cairo_surface_status(s) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(s);
    return std::nullopt;
  }
  cairo_surface_t* argb = s;
  if (cairo_image_surface_get_format(s) != CAIRO_FORMAT_ARGB32) {
    argb = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, cairo_image_surface_get_width(s),
                                      cairo_image_surface_get_height(s));
    cairo_t* cr = cairo_create(argb);
    cairo_set_source_surface(cr, s, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
  }
  cairo_surface_flush(argb);
  Image image;
  image.width = cairo_image_surface_get_width(argb);
  image.height = cairo_image_surface_get_height(argb);
  const int stride = cairo_image_surface_get_stride(argb);
  const unsigned char* data = cairo_image_surface_get_data(argb);
  for (int y = 0; y < image.height; ++y) {
    const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
    image.pixels.insert(image.pixels.end(), row, row + image.width);
  }
  if (argb != s) cairo_surface_destroy(argb);
  cairo_surface_destroy(s);
  return image;
}

// The plug-in's own resource list: every image id, its resource name and its
// size in 1x pixels.
struct Expected {
  long id;
  std::string name;
  int width;
  int height;
};

const std::vector<std::pair<long, std::string>> kCursors = {
    {16001, "cursorclear-16001"},        {16002, "cross-marked-16002"},
    {16003, "radius-drag-16003"},        {16004, "cross-plus-16004"},
    {16005, "cross-straight-16005"},     {16011, "cross-01-16011"},
    {16012, "cross-02-16012"},           {16013, "cross-03-16013"},
    {16014, "cross-03pie-16014"},        {16020, "cross-straightnohit-16020"},
    {16021, "straight-horz-16021"},      {16022, "straight-vert-16022"},
    {16023, "straight-direction-16023"}, {16024, "cross-dot-16024"},
    {16025, "cross-markeddot-16025"},    {16030, "cross-rotate-16030"},
    {16031, "cross-rotateplus-16031"},   {16500, "cross-error-16500"},
};

const std::vector<std::pair<long, std::string>> kLightIcons = {
    {16051, "Tangent-circle-light"},
    {16052, "Circle-by-2-or-3-points-light"},
    {16054, "Curvature-circle-light"},
    {16058, "Connect-light"},
    {16061, "Arc-by-three-points-light"},
    {16062, "Arc-start-end-direction-light"},
    {16063, "Orient-light"},
    {16064, "Straighten-light"},
    {16065, "Line-tangent-to-two-paths-light"},
    {16066, "Line-perpendicular-to-two-paths-light"},
    {16067, "Line-tangent-to-path-light"},
    {16068, "Line-perpendicular-to-path-light"},
    {16069, "Line-tangent-from-path-light"},
    {16070, "Line-perpendicular-from-path-light"},
};

std::string DarkName(const std::string& light) { return light.substr(0, light.size() - 5) + "dark"; }

std::vector<Expected> ExpectedImages() {
  std::vector<Expected> all;
  for (const auto& [id, name] : kCursors) all.push_back({id, name, 32, 32});
  for (const auto& [id, name] : kLightIcons) {
    all.push_back({id, name, 24, 24});
    all.push_back({id + 1000, DarkName(name), 24, 24});
  }
  const std::vector<Expected> pictures = {
      {16901, "QMLogo", 0, 0},           {2300, "QMLogo122x40_L", 122, 40},
      {12300, "QMLogo122x40_D", 122, 40}, {2302, "Warning29x29_L", 29, 29},
      {12302, "Warning29x29_D", 29, 29},  {1100, "CorvaneIcon16x16", 16, 16},
      {16110, "AboutBanner", 600, 468},   {16111, "AboutCap", 0, 0},
  };
  all.insert(all.end(), pictures.begin(), pictures.end());
  return all;
}

IdTable LoadIdTable() {
  const std::optional<IdTable> table = ParseIdTable(ReadFile(kDir / "IDToFile.txt"));
  if (!table) ADD_FAILURE() << "IDToFile.txt does not parse";
  return table.value_or(IdTable{});
}

TEST(IdTable, NamesEveryImageOnceAndNothingElse) {
  const IdTable table = LoadIdTable();
  const std::vector<Expected> expected = ExpectedImages();
  std::set<long> seen;
  for (long id : table.ids_in_order) EXPECT_TRUE(seen.insert(id).second) << "id " << id << " twice";
  EXPECT_EQ(table.entries.size(), expected.size());
  for (const Expected& image : expected) {
    const auto entry = table.entries.find({image.id, "png"});
    ASSERT_NE(entry, table.entries.end()) << image.id;
    EXPECT_EQ(Lower(entry->second), Lower(image.name + ".png")) << image.id;
  }
}

TEST(IdTable, EveryImageExistsAtEveryDensityWithItsSize) {
  const IdTable table = LoadIdTable();
  for (const Expected& image : ExpectedImages()) {
    const auto entry = table.entries.find({image.id, "png"});
    ASSERT_NE(entry, table.entries.end());
    const std::string base = entry->second.substr(0, entry->second.rfind('.'));
    std::optional<Image> plain;
    for (const Variant& v : kVariants) {
      const std::optional<Image> png = LoadPng(kDir / (base + v.suffix + ".png"));
      ASSERT_TRUE(png) << base << v.suffix;
      if (!plain) plain = png;
      const int w = image.width != 0 ? image.width : plain->width;
      const int h = image.height != 0 ? image.height : plain->height;
      EXPECT_EQ(png->width, Scaled(w, v.dpi)) << base << v.suffix;
      EXPECT_EQ(png->height, Scaled(h, v.dpi)) << base << v.suffix;
    }
  }
}

TEST(Manifest, ListsEveryFileOnceUnderItsType) {
  std::istringstream lines(ReadFile(kDir / "manifest.txt"));
  std::set<std::pair<std::string, std::string>> keys;  // (type, lower-case name)
  std::string line;
  while (std::getline(lines, line)) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string f; std::getline(split, f, '\t');) fields.push_back(f);
    ASSERT_EQ(fields.size(), 3u) << line;
    EXPECT_TRUE(fields[0] == "PNG" || fields[0] == "XML" || fields[0] == "txt") << line;
    EXPECT_TRUE(std::filesystem::is_regular_file(kDir / fields[2])) << line;
    // Resource names are matched without regard to case, so two names that
    // differ only in case would collide in the module.
    EXPECT_TRUE(keys.insert({fields[0], Lower(fields[1])}).second) << line;
  }
  EXPECT_TRUE(keys.count({"txt", "idtofile"}));
  for (const Expected& image : ExpectedImages()) {
    for (const Variant& v : kVariants) {
      EXPECT_TRUE(keys.count({"PNG", Lower(image.name + v.suffix)})) << image.name << v.suffix;
    }
  }
  for (const auto& [id, name] : kCursors) EXPECT_TRUE(keys.count({"XML", name})) << name;
}

// Reads a hot-spot record the way the plug-in does.
struct HotSpotRecord {
  std::optional<std::pair<int, int>> hot_spot;
  std::string cursor_data;
  bool type_first = false;
};

HotSpotRecord ReadHotSpot(const std::filesystem::path& file) {
  HotSpotRecord record;
  tinyxml2::XMLDocument doc;
  if (doc.LoadFile(file.string().c_str()) != tinyxml2::XML_SUCCESS) return record;
  const tinyxml2::XMLElement* root = doc.RootElement();
  if (root == nullptr || std::string(root->Name()) != "prop.map") return record;
  const tinyxml2::XMLElement* list = root->FirstChildElement("prop.list");
  if (list == nullptr) return record;
  for (const auto* pair = list->FirstChildElement("prop.pair"); pair != nullptr;
       pair = pair->NextSiblingElement("prop.pair")) {
    const auto* key = pair->FirstChildElement("key");
    if (key == nullptr || key->GetText() == nullptr) continue;
    const std::string k = key->GetText();
    if (k == "kHotSpot") {
      const auto* array = pair->FirstChildElement("array");
      if (array == nullptr) continue;
      const auto* first = array->FirstChildElement();
      record.type_first = first != nullptr && std::string(first->Name()) == "array.type";
      const auto* x = array->FirstChildElement("int");
      const auto* y = x != nullptr ? x->NextSiblingElement("int") : nullptr;
      int xv = 0;
      int yv = 0;
      if (x != nullptr && y != nullptr && x->QueryIntText(&xv) == tinyxml2::XML_SUCCESS &&
          y->QueryIntText(&yv) == tinyxml2::XML_SUCCESS) {
        record.hot_spot = {xv, yv};
      }
    } else if (k == "DVA_CursorData") {
      const auto* s = pair->FirstChildElement("string");
      if (s != nullptr && s->GetText() != nullptr) record.cursor_data = s->GetText();
    }
  }
  return record;
}

TEST(HotSpots, EveryCursorRecordGivesFifteenFifteen) {
  for (const auto& [id, name] : kCursors) {
    const HotSpotRecord record = ReadHotSpot(kDir / (name + ".xml"));
    ASSERT_TRUE(record.hot_spot) << name;
    EXPECT_EQ(*record.hot_spot, std::make_pair(15, 15)) << name;
    EXPECT_TRUE(record.type_first) << name;
    EXPECT_EQ(record.cursor_data, "1.0") << name;
  }
}

// The plug-in scales the hot spot to (23, 23) at 1.5x and (30, 30) at 2x; the
// crosshair must be drawn through exactly that pixel at every density, and
// its arms must reach out on all four sides.
TEST(Cursors, CrosshairCentreIsTheScaledHotSpot) {
  auto is_ink = [](uint32_t p) { return Image::Alpha(p) == 255 && Image::Luma(p) < 0.2; };
  for (const auto& [id, name] : kCursors) {
    for (const Variant& v : kVariants) {
      const std::optional<Image> png = LoadPng(kDir / (name + v.suffix + ".png"));
      ASSERT_TRUE(png) << name << v.suffix;
      const int c = Scaled(15, v.dpi);
      const int arm = Scaled(8, v.dpi);
      EXPECT_TRUE(is_ink(png->At(c, c))) << name << v.suffix;
      EXPECT_TRUE(is_ink(png->At(c - arm, c))) << name << v.suffix << " left arm";
      EXPECT_TRUE(is_ink(png->At(c + arm, c))) << name << v.suffix << " right arm";
      EXPECT_TRUE(is_ink(png->At(c, c - arm))) << name << v.suffix << " upper arm";
      EXPECT_TRUE(is_ink(png->At(c, c + arm))) << name << v.suffix << " lower arm";
      // Across each arm the ink covers exactly the device pixels of the 1x
      // hot-spot pixel: the hot spot itself and, at 2x, the one after it.
      const int width = v.dpi / 96;
      for (int d = -3; d <= 3; ++d) {
        const bool inside = d >= 0 && d < width;
        EXPECT_EQ(is_ink(png->At(c + d, c - arm)), inside) << name << v.suffix << " column " << c + d;
        EXPECT_EQ(is_ink(png->At(c - arm, c + d)), inside) << name << v.suffix << " row " << c + d;
      }
    }
  }
}

TEST(Cursors, SignsAreDistinct) {
  std::map<std::vector<uint32_t>, std::string> seen;
  for (const auto& [id, name] : kCursors) {
    const std::optional<Image> png = LoadPng(kDir / (name + ".png"));
    ASSERT_TRUE(png);
    const auto [it, inserted] = seen.emplace(png->pixels, name);
    EXPECT_TRUE(inserted) << name << " looks like " << it->second;
  }
}

// Light icons need dark strokes and dark icons light ones; each icon must
// differ from every other at 1x.
TEST(ToolIcons, DistinctAndInkedForTheirInterface) {
  struct Theme {
    std::string (*name)(const std::string&);
    bool dark_interface;
  };
  const Theme themes[] = {{[](const std::string& n) { return n; }, false}, {DarkName, true}};
  for (const Theme& theme : themes) {
    std::map<std::vector<uint32_t>, std::string> seen;
    for (const auto& [id, light] : kLightIcons) {
      const std::string name = theme.name(light);
      const std::optional<Image> png = LoadPng(kDir / (name + ".png"));
      ASSERT_TRUE(png) << name;
      const auto [it, inserted] = seen.emplace(png->pixels, name);
      EXPECT_TRUE(inserted) << name << " looks like " << it->second;
      double luma = 0;
      int opaque = 0;
      for (uint32_t p : png->pixels) {
        if (Image::Alpha(p) < 200) continue;
        luma += Image::Luma(p);
        ++opaque;
      }
      ASSERT_GT(opaque, 20) << name;
      if (theme.dark_interface) {
        EXPECT_GT(luma / opaque, 0.55) << name;
      } else {
        EXPECT_LT(luma / opaque, 0.45) << name;
      }
    }
  }
}

// The About dialog writes three light grey text lines over y 413 to 464 of
// the banner; that band must be dark and free of drawing at every density.
TEST(AboutBanner, TextBandIsCalmAndDark) {
  for (const Variant& v : kVariants) {
    const std::optional<Image> png = LoadPng(kDir / (std::string("AboutBanner") + v.suffix + ".png"));
    ASSERT_TRUE(png);
    for (int y = Scaled(413, v.dpi); y < Scaled(464, v.dpi); ++y) {
      const double row = Image::Luma(png->At(0, y));
      for (int x = 0; x < png->width; ++x) {
        const uint32_t p = png->At(x, y);
        ASSERT_EQ(Image::Alpha(p), 255) << x << "," << y << v.suffix;
        ASSERT_NEAR(Image::Luma(p), row, 0.02) << x << "," << y << v.suffix;
        ASSERT_LT(Image::Luma(p), 0.25) << x << "," << y << v.suffix;
      }
    }
  }
}

}  // namespace
