#include "geometry/units.h"

#include <gtest/gtest.h>

namespace geom {
namespace {

TEST(SnapLength, RoundsToTheFirstStepLongerThanTwoScreenPixels) {
  constexpr double mm = 72 / 25.4, cm = 72 / 2.54, q = mm / 4;
  struct Case {
    const char* name;
    double length, zoom;
    UnitCode unit;
    double expected;
  };
  const Case cases[] = {
      {"points at zoom 1 step 5, down", 12.4, 1, UnitCode::Points, 10},
      {"points at zoom 1 step 5, up", 12.6, 1, UnitCode::Points, 15},
      {"two pixels equal to a step take the next step", 3, 2, UnitCode::Points, 4},
      {"points at zoom 64 step 0.1", 1.234, 64, UnitCode::Points, 1.2},
      {"millimetres at zoom 8 step 0.1 mm", 10, 8, UnitCode::Millimetres, 3.5 * mm},
      {"inches at zoom 1 step 0.1 in", 100, 1, UnitCode::Inches, 1.4 * 72},
      {"centimetres at zoom 0.5 step 0.25 cm", 100, 0.5, UnitCode::Centimetres, 3.5 * cm},
      {"picas step as points, not 12", 12.4, 1, UnitCode::Picas, 10},
      {"pixels at zoom 2 step 2", 12.4, 2, UnitCode::Pixels, 12},
      {"Q at zoom 1 step 5 Q", 12.4, 1, UnitCode::Q, 15 * q},
      {"Q at zoom 8 step 0.5 Q", 12.4, 8, UnitCode::Q, 17.5 * q},
      {"unit 12 steps in quarter millimetres as Q", 12.4, 1, UnitCode::Ha, 15 * q},
      {"no step after 5000 at zoom 0.0003 is 10000", 7000, 0.0003, UnitCode::Points, 10000},
      {"two pixels longer than every step: unchanged", 12345.678, 1e-4, UnitCode::Points, 12345.678},
  };
  for (const Case& c : cases) EXPECT_NEAR(SnapLength(c.length, c.zoom, c.unit), c.expected, 1e-9) << c.name;
}

TEST(PointsPerUnit, UsesTheTableAndOneForEverythingElse) {
  EXPECT_EQ(PointsPerUnit(UnitCode::Inches), 72.0);
  EXPECT_EQ(PointsPerUnit(UnitCode::Millimetres), 72.0 / 25.4);
  EXPECT_EQ(PointsPerUnit(UnitCode::Centimetres), 72.0 / 2.54);
  EXPECT_EQ(PointsPerUnit(UnitCode::Q), 0.7086614173228347);
  EXPECT_EQ(PointsPerUnit(UnitCode::Ha), 0.7086614173228347);
  for (UnitCode u : {UnitCode::None, UnitCode::Points, UnitCode::Picas, UnitCode::Pixels})
    EXPECT_EQ(PointsPerUnit(u), 1.0);
}

TEST(UnitCode, MapsHostRulerUnitsAndTheRulerTypePreference) {
  const std::pair<int, UnitCode> ruler[] = {
      {1, UnitCode::Inches}, {2, UnitCode::Centimetres}, {3, UnitCode::Points}, {4, UnitCode::Picas},
      {5, UnitCode::Millimetres}, {6, UnitCode::Pixels}, {7, UnitCode::Q}, {0, UnitCode::None}, {8, UnitCode::None},
  };
  for (auto [host, code] : ruler) EXPECT_EQ(UnitCodeFromRulerUnits(host), code) << host;
  const std::pair<int, UnitCode> preference[] = {
      {0, UnitCode::Inches}, {1, UnitCode::Millimetres}, {2, UnitCode::Points}, {3, UnitCode::Picas},
      {4, UnitCode::Centimetres}, {5, UnitCode::Q}, {6, UnitCode::Pixels}, {7, UnitCode::None}, {8, UnitCode::Points},
  };
  for (auto [value, code] : preference) EXPECT_EQ(UnitCodeFromRulerTypePreference(value), code) << value;
  EXPECT_EQ(UnitCodeFromRulerTypePreference(std::nullopt), UnitCode::Points);
}

}  // namespace
}  // namespace geom
