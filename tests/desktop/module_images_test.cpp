// The host reads the plug-in module's images the way a desktop host shows
// them: the id table names the image, the density picks the variant.
#include <gtest/gtest.h>

#include "host/Host.h"
#include "host/runtime/ModuleImages.h"

namespace {

TEST(ModuleImages, IdTableLinesAndTheFirstEntryOfAKeyWins) {
  const auto table = host::runtime::ParseIdTable(
      "// images\n"
      "  16052.png\tCircle-light.png   // the light icon\n"
      "16052.PNG other.png\n"
      "\n"
      "16053.xml cursor.xml\n"
      "x.png broken.png\n"
      "17.png\n");
  ASSERT_EQ(table.size(), 2u);
  EXPECT_EQ(table.at({16052, "png"}), "Circle-light");
  EXPECT_EQ(table.at({16053, "xml"}), "cursor");
}

#ifdef CORVANE_TEST_MODULE
TEST(ModuleImages, DensityPicksTheVariantOfTheRealModule) {
  host::Host h;
  h.LoadPlugin(CORVANE_TEST_MODULE);
  const auto light1x = h.Image(16052, 10), light2x = h.Image(16052, 20), dark1x = h.Image(17052, 10);
  ASSERT_TRUE(light1x && light2x && dark1x);
  EXPECT_EQ(light2x->width, 2 * light1x->width);
  EXPECT_EQ(light2x->height, 2 * light1x->height);
  EXPECT_EQ(light1x->rgba.size(), static_cast<std::size_t>(light1x->width) * light1x->height * 4);
  EXPECT_EQ(dark1x->width, light1x->width);
  EXPECT_NE(dark1x->rgba, light1x->rgba) << "the dark icon is another image";
  EXPECT_FALSE(h.Image(99999, 10)) << "an id the table does not name";
}
#endif

}  // namespace
