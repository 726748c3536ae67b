#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/svg/Color.h"
#include "host/svg/Syntax.h"
#include "svg_test_support.h"

namespace {

using host::model::Rgb;
using host::svg::ParseColor;

struct ColorCase {
  const char* text;
  Rgb expected;
};

TEST(Color, NotationsGiveSixteenBitChannels) {
  const ColorCase cases[] = {
      {"#f80", {0xffff, 0x8888, 0x0000}},
      {"#FF8000", {0xffff, 0x8080, 0x0000}},
      {"rgb(255, 128, 0)", {0xffff, 0x8080, 0x0000}},
      {"rgb(100%,50%,0%)", {0xffff, 0x8000, 0x0000}},
      {"rgb(300, -5, 0)", {0xffff, 0x0000, 0x0000}},
      {"rgba(0, 0, 255, 0.5)", {0x0000, 0x0000, 0xffff}},
      {"  teal ", {0x0000, 0x8080, 0x8080}},
      {"Navy", {0x0000, 0x0000, 0x8080}},
      {"olive", {0x8080, 0x8080, 0x0000}},
      {"steelblue", {0x4646, 0x8282, 0xb4b4}},
  };
  for (const ColorCase& c : cases) EXPECT_EQ(c.expected, ParseColor(c.text)) << c.text;
}

TEST(Color, SixteenBitNotationOnlyWhereTheHostWritesIt) {
  EXPECT_EQ((Rgb{0x1234, 0x5678, 0x9abc}), host::svg::ParseExactColor("#123456789abc"));
  EXPECT_THROW(ParseColor("#123456789abc"), host::svg::SyntaxError);
}

TEST(Color, ExactFormatReadsBack) {
  for (const Rgb c : {Rgb{0, 0x8080, 0xffff}, Rgb{1, 2, 3}, Rgb{0xfffe, 0, 0x0101}})
    EXPECT_EQ(c, host::svg::ParseExactColor(host::svg::FormatExactColor(c)));
  EXPECT_EQ("#4f80ff", host::svg::FormatExactColor({0x4f4f, 0x8080, 0xffff}));
}

TEST(Color, MalformedColoursNameTheOffset) {
  const std::pair<const char*, std::size_t> cases[] = {
      {"#12345", 0}, {"#12g", 3}, {"  chartreuse2", 2}, {"rgb(1, 2)", 8}, {"rgb(1 2 3", 9},
  };
  for (const auto& [text, offset] : cases) {
    try {
      ParseColor(text);
      ADD_FAILURE() << "no error for " << text;
    } catch (const host::svg::SyntaxError& e) {
      EXPECT_EQ(offset, e.offset()) << text << ": " << e.what();
    }
  }
}

// --- the cascade, seen through the paint of imported art

struct StyleCase {
  const char* name;
  const char* body;
  std::optional<Rgb> fill;
  std::optional<Rgb> stroke;
  double strokeWidth;
};

// Failures name the case rather than dumping its bytes.
void PrintTo(const StyleCase& c, std::ostream* os) { *os << c.name; }

constexpr Rgb kRed{0xffff, 0, 0};
constexpr Rgb kBlue{0, 0, 0xffff};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kLime{0, 0xffff, 0};
constexpr const char* kSquare = "d='M0 0 H 10 V 10 Z'";

const std::vector<StyleCase> kStyleCases = {
    {"SVG defaults: black fill, no stroke, width 1", "<path d='M0 0 H 10 V 10 Z'/>", kBlack, std::nullopt, 1},
    {"presentation attributes", "<path d='M0 0 H 10' fill='none' stroke='red' stroke-width='2.5'/>", std::nullopt,
     kRed, 2.5},
    {"the style attribute wins over presentation attributes",
     "<path d='M0 0 H 10' fill='blue' style='fill:red ; stroke : blue;stroke-width:4'/>", kRed, kBlue, 4},
    {"group paint is inherited", "<g fill='red' stroke='blue' stroke-width='3'><path d='M0 0 H 10'/></g>", kRed,
     kBlue, 3},
    {"children override what they inherit", "<g fill='red'><g style='fill:blue'><path d='M0 0 H 10'/></g></g>",
     kBlue, std::nullopt, 1},
    {"inherit takes the parent's value", "<g stroke='red'><path d='M0 0 H 10' stroke='inherit'/></g>", kBlack, kRed,
     1},
    {"currentColor follows the color property", "<g color='lime'><path d='M0 0 H 10' fill='currentColor'/></g>",
     kLime, std::nullopt, 1},
    {"references take their fallback colour", "<path d='M0 0 H 10' fill='url(#gradient) red' stroke='url(#g)'/>",
     kRed, std::nullopt, 1},
    {"priority markers and transparent are understood",
     "<path d='M0 0 H 10' style='fill: red !IMPORTANT; stroke: transparent'/>", kRed, std::nullopt, 1},
    {"stroke width in points converts to user units", "<path d='M0 0 H 10' stroke='red' stroke-width='3pt'/>", kBlack, kRed, 4},
};

class StyleCases : public testing::TestWithParam<StyleCase> {};

TEST_P(StyleCases, GiveThePaint) {
  const StyleCase& c = GetParam();
  const auto doc = svgtest::ReadBody(c.body);
  const auto& paint = svgtest::OnlyPath(doc).paint;
  EXPECT_EQ(c.fill, paint.fill);
  EXPECT_EQ(c.stroke, paint.stroke);
  EXPECT_DOUBLE_EQ(c.strokeWidth, paint.strokeWidth);
}

INSTANTIATE_TEST_SUITE_P(Table, StyleCases, testing::ValuesIn(kStyleCases), [](const auto& info) {
  std::string name = info.param.name;
  for (char& ch : name)
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
});

TEST(Style, DisplayNoneHidesTheArtButIsNotInheritedAsAFlag) {
  // Inside a layer, so that the first <g> is a group rather than a layer.
  const auto doc = svgtest::ReadBody(std::string("<g><g display='none'><path ") + kSquare + "/></g><path " +
                                     kSquare + " style='display:none'/><path " + kSquare + "/></g>");
  const auto arts = svgtest::AllArt(doc);
  ASSERT_EQ(4u, arts.size());
  // Front to back: the visible path, the hidden path, the hidden group, its member.
  EXPECT_FALSE(arts[0]->hidden);
  EXPECT_TRUE(arts[1]->hidden);
  EXPECT_TRUE(arts[2]->hidden);
  EXPECT_FALSE(arts[3]->hidden);
}

}  // namespace
