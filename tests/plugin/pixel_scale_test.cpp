// The dialog layer's pixel scale: chosen from the host version and the
// screen's horizontal resolution.
#include <gtest/gtest.h>

#include "QMDM/ImplCommon/PixelScale.h"

namespace plugin_test {
namespace {

using QMDM::ChoosePixelScale;
using QMDM::PixelScale;

constexpr PixelScale kUnscaled{1, 0, 1};
constexpr PixelScale kOneAndHalf{30, 19, 20};
constexpr PixelScale kDouble{2, 0, 1};

TEST(PixelScale, ChosenFromHostVersionAndResolution) {
  const struct {
    const char* name;
    int32_t major, minor, dpi;
    PixelScale expected;
  } cases[] = {
      {"ordinary screen", 28, 0, 96, kUnscaled},
      {"120 dpi is not above 120", 28, 0, 120, kUnscaled},
      {"just above 120 dpi", 28, 0, 121, kOneAndHalf},
      {"144 dpi is not above 144", 28, 0, 144, kOneAndHalf},
      {"just above 144 dpi", 28, 0, 145, kDouble},
      {"first scaling host", 17, 1, 192, kDouble},
      {"last host without scaling", 17, 0, 192, kUnscaled},
      {"minor counts by tens", 16, 9, 192, kUnscaled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ChoosePixelScale(c.major, c.minor, c.dpi), c.expected);
  }
}

TEST(PixelScale, OneAndAHalfRoundsUp) {
  const struct {
    int32_t v, expected;
  } cases[] = {{0, 0}, {1, 2}, {2, 3}, {3, 5}, {100, 150}, {600, 900}};
  for (const auto& c : cases) EXPECT_EQ(kOneAndHalf.Apply(c.v), c.expected) << c.v;
  EXPECT_EQ(kDouble.Apply(615), 1230);
  EXPECT_EQ(kUnscaled.Apply(615), 615);
}

}  // namespace
}  // namespace plugin_test
