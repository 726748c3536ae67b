// Measurement labels: FormatValue in every unit, sign, precision and length.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "geometry/unit_text.h"

namespace plugin_test {
namespace {

using geom::FormatValue;
using geom::UnitCode;

UnitCode Code(int k) { return static_cast<UnitCode>(k); }

TEST(FormatValue, UnitsSignsAndPrecision) {
  const struct {
    double value;
    int unit, precision;
    bool appendUnit;
    const char* text;
  } cases[] = {
      {18, 1, 3, true, "18 pt"},
      {18, 3, 3, true, "6.35 mm"},
      {18, 5, 3, true, "1p6.000"},
      {-18, 5, 3, true, "-1p6.000"},
      {72, 2, 3, true, "1 in"},
      {18, 4, 3, true, "0.635 cm"},
      {56.69291338582678, 4, 3, true, "2 cm"},  // 2 cm after single-precision rounding
      {18, 8, 3, true, "25.4"},                 // Q: quarter millimetres, no suffix
      {18, 12, 3, true, "25.4"},
      {18, 10, 3, true, "18 px"},
      {18, 6, 3, true, "18%"},
      {90, 7, 3, true, "90\xa1\xe3"},  // the degree sign in GBK
      {18, 0, 3, true, "18"},
      {18, 1, 3, false, "18"},
      {-36, 3, 3, true, "-12.7 mm"},
      {-0.25, 1, 3, true, "-0.25 pt"},
      {1000, 2, 2, true, "13.89 in"},
      {20, 1, 0, true, "20 pt"},  // no decimals: no zeros to strip
      {18.6, 1, 0, true, "19 pt"},
      {18, 5, 0, true, "1p6"},
      {11.5, 5, 1, true, "0p11.5"},
      {0.1, 1, 10, true, "0.1000000015 pt"},  // the single-precision value, not 0.1
      {0, 3, 3, true, "0 mm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " in unit " + std::to_string(c.unit));
    EXPECT_EQ(FormatValue(c.value, 127, Code(c.unit), c.precision, c.appendUnit).view(), c.text);
  }
}

// Picas are split after the value is rounded to the precision, so the points
// never read 12; a value that rounds to zero has no sign, in any unit.
TEST(FormatValue, PicasSplitTheRoundedValue) {
  const struct {
    double value;
    int unit, precision;
    const char* text;
  } cases[] = {
      {23.9999, 5, 3, "2p0.000"},
      {35.9996, 5, 3, "3p0.000"},
      {-23.9999, 5, 3, "-2p0.000"},
      {11.96, 5, 1, "1p0.0"},
      {11.94, 5, 1, "0p11.9"},
      {143.6, 5, 0, "12p0"},
      {0, 5, 3, "0p0.000"},
      {-0.0, 5, 3, "0p0.000"},
      {-0.0004, 5, 3, "0p0.000"},
      {-0.0006, 5, 3, "-0p0.001"},
      {-0.0, 1, 3, "0 pt"},
      {-0.0004, 3, 3, "0 mm"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.value) + " in unit " + std::to_string(c.unit));
    EXPECT_EQ(FormatValue(c.value, 127, Code(c.unit), c.precision, true).view(), c.text);
  }
}

// The text never has more than maxLength - 1 characters, whatever gets cut.
TEST(FormatValue, KeepsWithinTheMaximumLength) {
  for (int unit : {1, 3, 5, 7}) {
    for (int32_t maxLength = -1; maxLength <= 12; ++maxLength) {
      SCOPED_TRACE("unit " + std::to_string(unit) + " max " + std::to_string(maxLength));
      const geom::ValueText t = FormatValue(-12345.678, maxLength, Code(unit), 3, true);
      EXPECT_LE(static_cast<int32_t>(std::strlen(t.text)), std::max(maxLength - 1, 0));
    }
  }
  EXPECT_EQ(FormatValue(18, 1000, Code(1), 3, true).view(), "18 pt");
}

}  // namespace
}  // namespace plugin_test
