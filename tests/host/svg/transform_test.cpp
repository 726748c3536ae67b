#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/svg/Syntax.h"
#include "host/svg/Transform.h"
#include "svg_test_support.h"

namespace {

using host::model::Matrix;
using host::model::Point;
using host::svg::ParseTransform;

constexpr double kTolerance = 1e-12;

struct TransformCase {
  const char* name;
  const char* text;
  Point in;
  Point out;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const TransformCase& c, std::ostream* os) { *os << c.name; }

// Each case maps one point; the expected image is worked out by hand.
const std::vector<TransformCase> kCases = {
    {"matrix", "matrix(1 2 3 4 5 6)", {1, 1}, {9, 12}},
    {"translate with one argument moves x only", "translate(7)", {1, 2}, {8, 2}},
    {"translate", "translate(7,-3)", {1, 2}, {8, -1}},
    {"uniform scale", "scale(3)", {1, 2}, {3, 6}},
    {"scale", "scale(2 -1)", {1, 2}, {2, -2}},
    {"rotate a quarter turn", "rotate(90)", {1, 2}, {-2, 1}},
    {"rotate about a centre", "rotate(180 5 5)", {6, 5}, {4, 5}},
    {"skewX by 45 degrees", "skewX(45)", {1, 2}, {3, 2}},
    {"skewY by -45 degrees", "skewY(-45)", {1, 2}, {1, 1}},
    {"list applies right to left", "translate(10) scale(2)", {1, 1}, {12, 2}},
    {"list with commas and line breaks", "scale(2),\ntranslate(10)", {1, 1}, {22, 2}},
    {"empty list is the identity", "  ", {1.5, 2.5}, {1.5, 2.5}},
};

class TransformCases : public testing::TestWithParam<TransformCase> {};

TEST_P(TransformCases, MapThePoint) {
  const TransformCase& c = GetParam();
  const Point p = host::model::Apply(ParseTransform(c.text), c.in);
  EXPECT_NEAR(c.out.h, p.h, kTolerance);
  EXPECT_NEAR(c.out.v, p.v, kTolerance);
}

INSTANTIATE_TEST_SUITE_P(Table, TransformCases, testing::ValuesIn(kCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

TEST(Transform, QuarterTurnsAreExact) {
  EXPECT_EQ((Matrix{0, 1, -1, 0, 0, 0}), ParseTransform("rotate(90)"));
  EXPECT_EQ((Matrix{-1, 0, -0.0, -1, 0, 0}), ParseTransform("rotate(-180)"));
  EXPECT_EQ((Matrix{0, -1, 1, 0, 0, 0}), ParseTransform("rotate(630)"));
}

struct BadTransform {
  const char* text;
  std::size_t offset;
};

TEST(Transform, ErrorsNameTheOffset) {
  const BadTransform cases[] = {
      {"rotate(45", 9}, {"scale(1 2 3)", 0}, {"spin(4)", 0}, {"translate(1) skewX(90)", 13},
      {"matrix(1 2 3 4 5)", 0}, {"scale 2", 6}, {"translate(1),", 13}, {"scale(1,,2)", 8},
  };
  for (const BadTransform& c : cases) {
    try {
      ParseTransform(c.text);
      ADD_FAILURE() << "no error for " << c.text;
    } catch (const host::svg::SyntaxError& e) {
      EXPECT_EQ(c.offset, e.offset()) << c.text << ": " << e.what();
    }
  }
}

// --- transforms in documents

TEST(TransformedArt, CoordinatesAndStrokeWidthFollowNestedTransforms) {
  const auto doc = svgtest::ReadBody(
      "<g transform='translate(10 20)'><g transform='scale(2)'>"
      "<path d='M 1 1 L 3 1' stroke='black' stroke-width='3'/></g></g>");
  const auto& path = svgtest::OnlyPath(doc);
  ASSERT_EQ(2u, path.segments.size());
  // SVG (12, 22) and (16, 22); artwork y is negated.
  EXPECT_EQ((Point{12, -22}), path.segments[0].p);
  EXPECT_EQ((Point{16, -22}), path.segments[1].p);
  EXPECT_EQ(6, path.paint.strokeWidth);
}

TEST(TransformedArt, StrokeWidthScalesByTheMeanScale) {
  const auto doc = svgtest::ReadBody("<path d='M0 0 L 1 0' stroke='red' stroke-width='2' transform='scale(4 1)'/>");
  EXPECT_DOUBLE_EQ(4, svgtest::OnlyPath(doc).paint.strokeWidth);
}

TEST(TransformedArt, HandlesAreTransformedWithTheAnchors) {
  const auto doc = svgtest::ReadBody("<path d='M0 0 C 1 0 2 1 2 2' transform='rotate(90)'/>");
  const auto& s = svgtest::OnlyPath(doc).segments;
  ASSERT_EQ(2u, s.size());
  // rotate(90) maps (x, y) to (-y, x); artwork negates y.
  EXPECT_EQ((Point{0, -1}), s[0].out);
  EXPECT_EQ((Point{-1, -2}), s[1].in);
  EXPECT_EQ((Point{-2, -2}), s[1].p);
}

}  // namespace
