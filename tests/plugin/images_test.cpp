// Choosing an image's density variant, and the fallback to images by id.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "QMDM/ImplCommon/PixelScale.h"
#include "tests/plugin/LayerSession.h"
#include "hostcall/Images.h"

namespace plugin_test {
namespace {

using ai::FindImageSource;
using ai::ImageSource;

const uint8_t kBytes[] = {0};

// Resources of a module whose images have only some of their variants.
constexpr PIResource kResources[] = {
    {"PNG", "all", 0, kBytes, 1},          {"PNG", "all_at_3to2x", 0, kBytes, 1},
    {"PNG", "all_at_2x", 0, kBytes, 1},    {"PNG", "plainonly", 0, kBytes, 1},
    {"PNG", "Double_AT_2X", 0, kBytes, 1}, {"PNG", "onehalf_at_3to2x", 0, kBytes, 1},
    {"PNG", "nodouble", 0, kBytes, 1},     {"PNG", "nodouble_at_3to2x", 0, kBytes, 1},
    {"PNG", "nohalf", 0, kBytes, 1},       {"PNG", "nohalf_at_2x", 0, kBytes, 1},
    {"PNG", "noplain_at_2x", 0, kBytes, 1}, {"PNG", "noplain_at_3to2x", 0, kBytes, 1},
    {"PNGI", nullptr, 40, kBytes, 1},      {"PNGI", nullptr, 41, kBytes, 1},
    {"PNG", "41", 0, kBytes, 1},
};
constexpr PIResourceDirectory kDirectory{kPIResourceDirectoryVersion, static_cast<int32_t>(std::size(kResources)),
                                             kResources};

constexpr const char* kTable =
    "10.png all.png\n"
    "11.png plainonly.png\n"
    "12.png double.png\n"
    "13.png onehalf.png\n"
    "14.png nodouble.png\n"
    "15.png nohalf.png\n"
    "16.png noplain.png\n"
    "40.png missing.png\n"
    "42.xml all.xml\n";

TEST(Images, DensityClassFollowsThePixelScale) {
  EXPECT_EQ(QMDM::DensityClass(QMDM::ChoosePixelScale(28, 0, 96)), 10);
  EXPECT_EQ(QMDM::DensityClass(QMDM::ChoosePixelScale(28, 0, 144)), 15);
  EXPECT_EQ(QMDM::DensityClass(QMDM::ChoosePixelScale(28, 0, 192)), 20);
}

TEST(Images, FirstExistingVariantInTheOrderOfTheDensityClass) {
  ai::IdTable table;
  ASSERT_TRUE(table.Parse(kTable));
  const struct {
    const char* name;
    int32_t id, densityClass;
    std::optional<std::string> resource;
    int32_t dpi;
  } cases[] = {
      {"1x takes the plain image", 10, 10, "all", 96},
      {"1.5x takes its own variant", 10, 15, "all_at_3to2x", 144},
      {"2x takes its own variant", 10, 20, "all_at_2x", 192},
      {"only a plain image, at 2x", 11, 20, "plainonly", 96},
      {"only a plain image, at 1.5x", 11, 15, "plainonly", 96},
      {"only a 1.5x image, at 1x", 13, 10, "onehalf_at_3to2x", 144},
      {"only a 2x image, at 1x", 12, 10, "double_at_2x", 192},
      {"only a 2x image, at 1.5x", 12, 15, "double_at_2x", 192},
      {"1x prefers 1.5x to 2x", 16, 10, "noplain_at_3to2x", 144},
      {"1.5x prefers 2x to plain", 15, 15, "nohalf_at_2x", 192},
      {"2x prefers 1.5x to plain", 14, 20, "nodouble_at_3to2x", 144},
      {"no variant: the image by id", 40, 20, "40", 96},
      {"not in the table: the image by id", 41, 10, "41", 96},
      {"listed only under another extension", 42, 10, std::nullopt, 0},
      {"neither listed nor by id", 43, 10, std::nullopt, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::optional<ImageSource> source = FindImageSource(table, kDirectory, c.id, c.densityClass);
    ASSERT_EQ(source.has_value(), c.resource.has_value());
    if (!source) continue;
    EXPECT_EQ(source->name, *c.resource);
    EXPECT_EQ(source->dpi, c.dpi);
  }
}

TEST(Images, TheImageByIdIsNotTheImageNamedLikeTheId) {
  ai::IdTable table;
  ASSERT_TRUE(table.Parse(kTable));
  const std::optional<ImageSource> source = FindImageSource(table, kDirectory, 41, 10);
  ASSERT_TRUE(source);
  EXPECT_STREQ(source->resource->type, "PNGI");
  EXPECT_EQ(source->resource->id, 41);
}

// The module's own pictures, decoded: the denser the screen, the more pixels,
// with the dots per inch that keep the logical size of the plain picture.
TEST(Images, ModulePicturesKeepTheirLogicalSizeAtEveryDensity) {
  const struct {
    int32_t id;
    int32_t plainWidth, plainHeight;
  } pictures[] = {{16901, 48, 48}, {2302, 29, 29}, {16110, 600, 468}};
  for (const int dpi : {96, 144, 192}) {
    LayerSession session(DensityOptions(28, 0, dpi));
    for (const auto& p : pictures) {
      SCOPED_TRACE(testing::Message() << p.id << " at " << dpi);
      const std::optional<ai::Image> image = QMDM::LoadImage(p.id);
      ASSERT_TRUE(image);
      EXPECT_EQ(image->dpi(), dpi);
      // Odd sizes at 1.5 times are rounded up by at most one pixel.
      EXPECT_NEAR(image->width() * 96.0 / image->dpi(), p.plainWidth, 1.0);
      EXPECT_NEAR(image->height() * 96.0 / image->dpi(), p.plainHeight, 1.0);
      EXPECT_NE(image->rgba(), nullptr);
    }
    EXPECT_FALSE(QMDM::LoadImage(12345));
  }
}

}  // namespace
}  // namespace plugin_test
