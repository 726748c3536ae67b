// Cursor hot-spot records: the property-map layout, strict numbers, damaged
// records giving no hot spot, and the scaling to denser images.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "tools/framework/HotSpot.h"

namespace plugin_test {
namespace {

using Tools::HotSpot;

// A record with the given pairs inside its list.
std::string Record(const std::string& pairs) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<prop.map>\n  <prop.list>\n" + pairs +
         "  </prop.list>\n</prop.map>\n";
}

std::string HotSpotPair(const std::string& arrayBody) {
  return "<prop.pair><key>kHotSpot</key><array>" + arrayBody + "</array></prop.pair>\n";
}

std::string IntArray(const std::string& x, const std::string& y) {
  return "<array.type>int</array.type><int>" + x + "</int><int>" + y + "</int>";
}

const std::string kCursorData = "<prop.pair><key>DVA_CursorData</key><string>1.0</string></prop.pair>\n";

TEST(HotSpot, ReadsTheFirstHotSpotPair) {
  const struct {
    const char* name;
    std::string xml;
    HotSpot expected;
  } cases[] = {
      {"record as the module carries it", Record(HotSpotPair(IntArray("15", "15")) + kCursorData), {15, 15}},
      {"hot spot after another pair", Record(kCursorData + HotSpotPair(IntArray("3", "4"))), {3, 4}},
      {"other keys with int arrays are not the hot spot",
       Record("<prop.pair><key>kOther</key><array>" + IntArray("1", "2") + "</array></prop.pair>" +
              HotSpotPair(IntArray("5", "6"))),
       {5, 6}},
      {"signs and white space around the numbers", Record(HotSpotPair(IntArray(" -7\n", "\t+8 "))), {-7, 8}},
      {"32-bit limits", Record(HotSpotPair(IntArray("-2147483648", "2147483647"))), {INT32_MIN, INT32_MAX}},
      {"elements between array.type and the numbers",
       Record(HotSpotPair("<array.type>int</array.type><note/><int>9</int><int>10</int>")), {9, 10}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Tools::ParseHotSpot(c.xml), std::optional<HotSpot>(c.expected));
  }
}

TEST(HotSpot, DamagedRecordsGiveNoHotSpot) {
  const struct {
    const char* name;
    std::string xml;
  } cases[] = {
      {"empty text", ""},
      {"not XML", "kHotSpot 15 15"},
      {"cut short", Record(HotSpotPair(IntArray("15", "15"))).substr(0, 80)},
      {"mismatched tags", "<prop.map><prop.list></prop.map></prop.list>"},
      {"other root", "<plist><prop.list>" + HotSpotPair(IntArray("1", "1")) + "</prop.list></plist>"},
      {"pairs outside the list", "<prop.map>" + HotSpotPair(IntArray("1", "1")) + "</prop.map>"},
      {"no hot-spot pair", Record(kCursorData)},
      {"key in another case", Record("<prop.pair><key>khotspot</key><array>" + IntArray("1", "1") +
                                     "</array></prop.pair>")},
      {"no array", Record("<prop.pair><key>kHotSpot</key><int>1</int><int>1</int></prop.pair>")},
      {"no array.type", Record(HotSpotPair("<int>1</int><int>1</int>"))},
      {"numbers only before array.type", Record(HotSpotPair("<int>1</int><int>1</int><array.type>int</array.type>"))},
      {"one number", Record(HotSpotPair("<array.type>int</array.type><int>1</int>"))},
      {"empty number", Record(HotSpotPair(IntArray("", "1")))},
      {"trailing garbage", Record(HotSpotPair(IntArray("15px", "15")))},
      {"decimal fraction", Record(HotSpotPair(IntArray("15", "15.5")))},
      {"beyond 32 bits", Record(HotSpotPair(IntArray("2147483648", "1")))},
      {"hexadecimal", Record(HotSpotPair(IntArray("0x0f", "1")))},
      {"the first hot-spot pair is damaged",
       Record(HotSpotPair(IntArray("a", "b")) + HotSpotPair(IntArray("1", "1")))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Tools::ParseHotSpot(c.xml), std::nullopt);
  }
}

TEST(HotSpot, ScalesWithTheImageDensityRoundingHalfUp) {
  const struct {
    HotSpot spot;
    int32_t dpi;
    HotSpot expected;
  } cases[] = {
      {{15, 15}, 96, {15, 15}},
      {{15, 15}, 144, {23, 23}},
      {{15, 15}, 192, {30, 30}},
      {{1, 3}, 144, {2, 5}},
      {{0, 31}, 144, {0, 47}},
      // Saturates instead of overflowing; such a hot spot is off any image.
      {{INT32_MAX, INT32_MIN}, 192, {INT32_MAX, INT32_MIN}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Tools::ScaleHotSpot(c.spot, c.dpi), c.expected) << c.spot.x << "," << c.spot.y << " at " << c.dpi;
}

}  // namespace
}  // namespace plugin_test
