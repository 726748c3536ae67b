#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/svg/PathData.h"
#include "host/svg/Syntax.h"

namespace {

using host::svg::CubicPiece;
using host::svg::ParsePathData;
using host::svg::Subpath;
using host::svg::SvgPoint;
using host::svg::SyntaxError;

// Exact thirds cannot be written as decimals; results built from them are
// compared to this tolerance, everything else exactly.
constexpr double kThirdsTolerance = 1e-12;

CubicPiece Line(SvgPoint a, SvgPoint b) { return {a, b, b}; }

void ExpectNear(SvgPoint expected, SvgPoint actual, const std::string& what) {
  EXPECT_NEAR(expected.h, actual.h, kThirdsTolerance) << what;
  EXPECT_NEAR(expected.v, actual.v, kThirdsTolerance) << what;
}

struct PathCase {
  const char* name;
  const char* d;
  std::vector<Subpath> expected;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

const std::vector<PathCase> kPathCases = {
    {"absolute lines keep their handles on the anchors", "M 0 0 L 10 0 L 10 5",
     {{{0, 0}, {Line({0, 0}, {10, 0}), Line({10, 0}, {10, 5})}, false}}},
    {"relative moveto repeats as relative lines", "m 1 2 3 4 5 6",
     {{{1, 2}, {Line({1, 2}, {4, 6}), Line({4, 6}, {9, 12})}, false}}},
    {"horizontal and vertical, absolute and relative", "M1 1H5V3h-2v-1",
     {{{1, 1}, {Line({1, 1}, {5, 1}), Line({5, 1}, {5, 3}), Line({5, 3}, {3, 3}), Line({3, 3}, {3, 2})}, false}}},
    {"numbers without separators and with exponents", "M-.5.5L1e-3-2E1",
     {{{-0.5, 0.5}, {Line({-0.5, 0.5}, {0.001, -20})}, false}}},
    {"commas and line breaks as separators", "M 1,2\n\tL3 ,4",
     {{{1, 2}, {Line({1, 2}, {3, 4})}, false}}},
    {"implicit cubic repeat", "M0 0 C 1 1 2 1 3 0 4 -1 5 -1 6 0",
     {{{0, 0}, {{{1, 1}, {2, 1}, {3, 0}}, {{4, -1}, {5, -1}, {6, 0}}}, false}}},
    {"smooth cubic reflects the previous control point", "M0 0 C 1 2 3 2 4 0 S 7 -2 8 0",
     {{{0, 0}, {{{1, 2}, {3, 2}, {4, 0}}, {{5, -2}, {7, -2}, {8, 0}}}, false}}},
    {"smooth cubic after a line starts at the pen", "M0 0 L 1 1 S 2 2 3 1",
     {{{0, 0}, {Line({0, 0}, {1, 1}), {{1, 1}, {2, 2}, {3, 1}}}, false}}},
    {"relative cubic and smooth cubic", "M 10 10 c 1 1 2 1 3 0 s 2 -1 3 0",
     {{{10, 10}, {{{11, 11}, {12, 11}, {13, 10}}, {{14, 9}, {15, 9}, {16, 10}}}, false}}},
    {"quadratic as the cubic with controls two thirds along", "M 0 0 Q 3 3 6 0",
     {{{0, 0}, {{{2, 2}, {4, 2}, {6, 0}}}, false}}},
    {"smooth quadratic reflects the quadratic control", "M0 0 Q 1 1 2 0 T 4 0",
     {{{0, 0},
       {{{2.0 / 3, 2.0 / 3}, {4.0 / 3, 2.0 / 3}, {2, 0}}, {{8.0 / 3, -2.0 / 3}, {10.0 / 3, -2.0 / 3}, {4, 0}}},
       false}}},
    {"relative quadratic", "M 1 1 q 3 3 6 0",
     {{{1, 1}, {{{3, 3}, {5, 3}, {7, 1}}}, false}}},
    {"drawing after Z starts at the closed subpath's start", "M 0 0 L 5 0 L 5 5 Z l 1 1",
     {{{0, 0}, {Line({0, 0}, {5, 0}), Line({5, 0}, {5, 5})}, true}, {{0, 0}, {Line({0, 0}, {1, 1})}, false}}},
    {"several movetos make several subpaths", "M 0 0 L 1 0 M 5 5 L 6 5 z",
     {{{0, 0}, {Line({0, 0}, {1, 0})}, false}, {{5, 5}, {Line({5, 5}, {6, 5})}, true}}},
    {"a lone moveto is a subpath without pieces", "M 3 4", {{{3, 4}, {}, false}}},
    {"a zero radius arc is a line", "M0 0 A 0 5 0 0 1 10 0", {{{0, 0}, {Line({0, 0}, {10, 0})}, false}}},
    {"an arc to its own start draws nothing", "M 5 5 A 3 3 0 0 1 5 5", {{{5, 5}, {}, false}}},
    {"empty data", "  ", {}},
};

class PathDataCases : public testing::TestWithParam<PathCase> {};

TEST_P(PathDataCases, GivesTheExpectedSubpaths) {
  const PathCase& c = GetParam();
  const std::vector<Subpath> actual = ParsePathData(c.d);
  ASSERT_EQ(c.expected.size(), actual.size());
  for (std::size_t s = 0; s < actual.size(); ++s) {
    const std::string where = "subpath " + std::to_string(s);
    ExpectNear(c.expected[s].start, actual[s].start, where + " start");
    EXPECT_EQ(c.expected[s].closed, actual[s].closed) << where;
    ASSERT_EQ(c.expected[s].pieces.size(), actual[s].pieces.size()) << where;
    for (std::size_t i = 0; i < actual[s].pieces.size(); ++i) {
      const std::string piece = where + " piece " + std::to_string(i);
      ExpectNear(c.expected[s].pieces[i].c1, actual[s].pieces[i].c1, piece + " c1");
      ExpectNear(c.expected[s].pieces[i].c2, actual[s].pieces[i].c2, piece + " c2");
      ExpectNear(c.expected[s].pieces[i].end, actual[s].pieces[i].end, piece + " end");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PathDataCases, testing::ValuesIn(kPathCases),
                         [](const auto& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST(PathData, LineHandlesSitExactlyOnTheirAnchors) {
  const auto subpaths = ParsePathData("M 0.1 0.7 l 0.2 0.3");
  const CubicPiece& line = subpaths.at(0).pieces.at(0);
  EXPECT_EQ(line.c1, subpaths[0].start);
  EXPECT_EQ(line.c2, line.end);
}

SvgPoint CubicAt(SvgPoint p0, const CubicPiece& c, double t) {
  const double u = 1 - t;
  return u * u * u * p0 + 3 * u * u * t * c.c1 + 3 * u * t * t * c.c2 + t * t * t * c.end;
}

TEST(PathData, QuadraticBecomesTheSameCurve) {
  const SvgPoint p0{1.5, -2}, control{7.25, 9}, end{-3, 4.5};
  const auto subpaths = ParsePathData("M 1.5 -2 Q 7.25 9 -3 4.5");
  const CubicPiece& cubic = subpaths.at(0).pieces.at(0);
  for (double t = 0; t <= 1; t += 0.125) {
    const double u = 1 - t;
    const SvgPoint quadratic = u * u * p0 + 2 * u * t * control + t * t * end;
    ExpectNear(quadratic, CubicAt(p0, cubic, t), "t = " + std::to_string(t));
  }
}

// --- arcs: every piece must stay on the true circle within the error of the
// quarter-turn cubic approximation, and the arc must run the requested way.
constexpr double kArcRadialTolerance = 3e-4;  // of the radius; the approximation is 2.7e-4

struct ArcCase {
  const char* name;
  const char* d;
  SvgPoint centre;
  double radius;
  std::size_t pieces;
  SvgPoint passesThrough;  // a point the requested arc crosses
  SvgPoint end;            // where the last piece ends, exactly
};

void PrintTo(const ArcCase& c, std::ostream* os) { *os << c.name; }

const std::vector<ArcCase> kArcCases = {
    {"quarter turn is one piece", "M 10 0 A 10 10 0 0 1 0 10", {0, 0}, 10, 1,
     {7.0710678118654755, 7.0710678118654755}, {0, 10}},
    {"half turn with sweep is two pieces through +y", "M 10 0 A 10 10 0 0 1 -10 0", {0, 0}, 10, 2, {0, 10}, {-10, 0}},
    {"half turn without sweep runs through -y", "M 10 0 A 10 10 0 0 0 -10 0", {0, 0}, 10, 2, {0, -10}, {-10, 0}},
    {"large arc of three quarters", "M 10 0 A 10 10 0 1 1 0 -10", {0, 0}, 10, 3, {-10, 0}, {0, -10}},
    {"small arc between the same points", "M 10 0 A 10 10 0 0 0 0 -10", {0, 0}, 10, 1,
     {7.0710678118654755, -7.0710678118654755}, {0, -10}},
    {"packed flags and relative end", "M5 5a10 10 0 1020 0", {15, 5}, 10, 2, {15, 15}, {25, 5}},
    {"relative end away from the origin", "M 10 10 a 10 10 0 0 1 10 10", {10, 20}, 10, 1,
     {17.071067811865476, 12.928932188134524}, {20, 20}},
    {"radii too small are scaled up", "M 0 0 A 1 1 0 0 1 20 0", {10, 0}, 10, 2, {10, -10}, {20, 0}},
    {"negative radii count as their magnitude", "M 0 0 A -10 -10 0 0 1 20 0", {10, 0}, 10, 2, {10, -10}, {20, 0}},
};

class ArcCases : public testing::TestWithParam<ArcCase> {};

TEST_P(ArcCases, StayOnTheCircleAndTakeTheRequestedWay) {
  const ArcCase& c = GetParam();
  const auto subpaths = ParsePathData(c.d);
  ASSERT_EQ(1u, subpaths.size());
  const auto& pieces = subpaths[0].pieces;
  ASSERT_EQ(c.pieces, pieces.size());
  double nearestToPassPoint = INFINITY;
  SvgPoint from = subpaths[0].start;
  for (const CubicPiece& piece : pieces) {
    for (double t = 0; t <= 1; t += 1.0 / 16) {
      const SvgPoint p = CubicAt(from, piece, t);
      EXPECT_NEAR(c.radius, host::model::Distance(p, c.centre), kArcRadialTolerance * c.radius);
      nearestToPassPoint = std::min(nearestToPassPoint, host::model::Distance(p, c.passesThrough));
    }
    from = piece.end;
  }
  EXPECT_LT(nearestToPassPoint, c.radius / 8) << "the arc runs the other way";
  EXPECT_EQ(c.end, pieces.back().end);
}

TEST(PathData, ArcEndsExactlyOnItsEndPoint) {
  const auto subpaths = ParsePathData("M 0.1 0.2 A 7.3 3.1 33 1 0 9.7 -4.9");
  ASSERT_FALSE(subpaths.at(0).pieces.empty());
  EXPECT_EQ((SvgPoint{9.7, -4.9}), subpaths[0].pieces.back().end);
}

// Arcs whose centre form cannot be computed in doubles (the squared distances
// overflow) become a straight piece to the end point, never non-finite control points.
TEST(PathData, ArcsBeyondDoubleRangeStayFinite) {
  for (const char* d : {"M 0 0 A 5 5 0 0 1 1e308 -1e308", "M -1e308 0 A 1e-300 1e300 90 1 0 1e308 1e308",
                        "M 0 0 A 1e308 1e308 0 1 1 1e-308 0"}) {
    SCOPED_TRACE(d);
    const auto subpaths = ParsePathData(d);
    ASSERT_FALSE(subpaths.at(0).pieces.empty());
    for (const CubicPiece& piece : subpaths[0].pieces)
      for (const SvgPoint& p : {piece.c1, piece.c2, piece.end}) {
        EXPECT_TRUE(std::isfinite(p.h));
        EXPECT_TRUE(std::isfinite(p.v));
      }
  }
}

INSTANTIATE_TEST_SUITE_P(Table, ArcCases, testing::ValuesIn(kArcCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

// --- errors name the offset of the offending character
struct ErrorCase {
  const char* name;
  const char* d;
  std::size_t offset;
  const char* problem;
};

void PrintTo(const ErrorCase& c, std::ostream* os) { *os << c.name; }

const std::vector<ErrorCase> kErrorCases = {
    {"data must begin with a moveto", "L 1 2", 0, "moveto"},
    {"unknown command", "M 0 0 X 1", 6, "unexpected character 'X'"},
    {"missing coordinate", "M 0 0 L 5", 9, "expected a number"},
    {"dangling comma", "M 0 0 L 1,2,", 12, "expected a number"},
    {"flag other than 0 or 1", "M0 0 A 1 1 0 2 1 5 5", 13, "flag"},
    {"arguments after Z", "M 0 0 L 1 1 Z 5", 14, "unexpected character '5'"},
    {"a lone decimal point", "M . 5", 2, "expected a number"},
    {"exponent without digits", "M 1 1e", 5, "unexpected character 'e'"},
    {"number beyond the double range", "M 1e999 0", 2, "out of range"},
};

class PathDataErrors : public testing::TestWithParam<ErrorCase> {};

TEST_P(PathDataErrors, ReportTheOffset) {
  const ErrorCase& c = GetParam();
  try {
    ParsePathData(c.d);
    FAIL() << "no error for " << c.d;
  } catch (const SyntaxError& e) {
    EXPECT_EQ(c.offset, e.offset()) << e.what();
    EXPECT_NE(std::string(e.what()).find(c.problem), std::string::npos) << e.what();
  }
}

INSTANTIATE_TEST_SUITE_P(Table, PathDataErrors, testing::ValuesIn(kErrorCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

TEST(Numbers, UnderflowReadsAsZeroOfItsSign) {
  EXPECT_EQ(0.0, host::svg::ParseNumber("1e-400"));
  EXPECT_TRUE(std::signbit(host::svg::ParseNumber("-1e-400")));
}

TEST(Numbers, PrintedNumbersReadBackBitForBit) {
  // A fixed-seed sweep over raw bit patterns reaches values no table would list.
  uint64_t state = 0x9e3779b97f4a7c15u;
  for (int i = 0; i < 20000; ++i) {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    const double value = std::bit_cast<double>(state);
    if (!std::isfinite(value)) continue;
    const double back = host::svg::ParseNumber(host::svg::FormatNumber(value));
    ASSERT_EQ(std::bit_cast<uint64_t>(value), std::bit_cast<uint64_t>(back)) << host::svg::FormatNumber(value);
  }
}

}  // namespace
