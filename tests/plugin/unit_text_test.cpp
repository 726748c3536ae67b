// Lengths typed into and shown by the dialog layer's numeric fields.
#include <gtest/gtest.h>

#include <cmath>

#include "QMDM/ImplCommon/UnitText.h"

namespace plugin_test {
namespace {

using QMDM::FormatLength;
using QMDM::ParseLength;

constexpr double kInch = 72;
constexpr double kMm = 72 / 25.4;

TEST(UnitText, TypedLengthsInPoints) {
  const struct {
    const char* typed;
    ADMUnits fieldUnits;
    std::optional<double> points;
  } cases[] = {
      {"2 in", kADMPointUnits, 2 * kInch},
      {"2in", kADMMillimeterUnits, 2 * kInch},
      {"2\"", kADMPointUnits, 2 * kInch},
      {"25 mm", kADMPointUnits, 25 * kMm},
      {"2.5 cm", kADMPointUnits, 25 * kMm},
      {"12 pt", kADMMillimeterUnits, 12},
      {"  12 PT ", kADMInchUnits, 12},
      {"3p6", kADMPointUnits, 3 * 12 + 6},
      {"p6", kADMInchUnits, 6},
      {"3p", kADMInchUnits, 36},
      {"-1p6", kADMPointUnits, -18},
      {"2 picas", kADMPointUnits, 24},
      {"4 q", kADMPointUnits, 1 * kMm},
      {"10", kADMMillimeterUnits, 10 * kMm},
      {"10", kADMPointUnits, 10},
      {"+1.5", kADMInchUnits, 1.5 * kInch},
      // Not lengths: the field keeps its last good value.
      {"", kADMPointUnits, std::nullopt},
      {"abc", kADMPointUnits, std::nullopt},
      {"12 furlongs", kADMPointUnits, std::nullopt},
      {"12 pt 3", kADMPointUnits, std::nullopt},
      {"3p6p", kADMPointUnits, std::nullopt},
      {"p", kADMPointUnits, std::nullopt},
      {"1e999", kADMPointUnits, std::nullopt},
      {"nan", kADMPointUnits, std::nullopt},
      {"inf mm", kADMPointUnits, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const std::optional<double> got = ParseLength(c.typed, c.fieldUnits);
    ASSERT_EQ(got.has_value(), c.points.has_value());
    if (got) {
      EXPECT_NEAR(*got, *c.points, 1e-9);
    }
  }
}

TEST(UnitText, ShownInTheUnitWithThePrecision) {
  const struct {
    double points;
    ADMUnits units;
    int precision;
    const char* shown;
  } cases[] = {
      {72, kADMMillimeterUnits, 4, "25.4 mm"},
      {72, kADMInchUnits, 4, "1 in"},
      {1, kADMInchUnits, 4, "0.0139 in"},
      {100, kADMPointUnits, 4, "100 pt"},
      {42, kADMPicaUnits, 4, "3p6"},
      {-0.00001, kADMPointUnits, 2, "0 pt"},
      {12.5, kADMNoUnits, 4, "12.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatLength(c.points, c.units, c.precision), c.shown) << c.points;
}

// What a field shows reads back as the value it shows, to within half of its
// last decimal.
TEST(UnitText, ShownTextReadsBack) {
  const ADMUnits units[] = {kADMPointUnits, kADMInchUnits, kADMMillimeterUnits, kADMCentimeterUnits,
                            kADMPicaUnits,  kADMPixelUnits, kADMQUnits};
  const double values[] = {0, 0.3, 1, 7.25, 42, 144.5, 1000.125, -36};
  for (ADMUnits u : units) {
    const double unit = QMDM::PointsPerUnit(u);
    for (double v : values) {
      const std::string shown = FormatLength(v, u, 4);
      const std::optional<double> back = ParseLength(shown, u);
      ASSERT_TRUE(back) << shown;
      const double halfStep = (u == kADMPicaUnits ? 1 : unit) * 0.5e-4;
      EXPECT_NEAR(*back, v, halfStep + 1e-12) << shown;
    }
  }
}

}  // namespace
}  // namespace plugin_test
