#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include "tests/common/TempFolder.h"

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/model/Selection.h"
#include "host/svg/Svg.h"
#include "sdk/Corvane.h"
#include "svg_test_support.h"

namespace {

using host::model::ArtId;
using host::model::ArtType;
using host::model::Document;
using host::model::Point;
using host::model::Rgb;
using host::model::Segment;
using host::svg::FormatSvg;
using host::svg::ParseSvg;

ArtId AddArt(Document& doc, ArtType type, ArtId container) {
  return doc.NewArt(type, {kPlaceInsideOnBottom, container});
}

ArtId AddPath(Document& doc, ArtId container, std::vector<Segment> segments, bool closed) {
  const ArtId id = AddArt(doc, ArtType::Path, container);
  doc.art(id).segments = std::move(segments);
  doc.art(id).closed = closed;
  return id;
}

Segment Smooth(Point p, Point in, Point out) { return {p, in, out, false}; }
Segment Corner(Point p) { return {p, p, p, true}; }

// Saves, reopens and saves again: the reopened document must have the same
// content and the second text must be the first, byte for byte.
void ExpectRoundTrip(const Document& doc) {
  const std::string first = FormatSvg(doc);
  const Document reopened = ParseSvg(first, "saved.svg");
  EXPECT_TRUE(svgtest::SameContent(doc, reopened)) << first;
  EXPECT_EQ(first, FormatSvg(reopened));
}

TEST(RoundTrip, CubicPathsKeepEveryBit) {
  Document doc;
  doc.AddLayer("Layer 1");
  const ArtId group = doc.layers()[0].group;
  AddPath(doc, group,
          {Smooth({0.1, 0.7}, {1.0 / 3, -2.0 / 3}, {1e-300, -5e-324}),
           Smooth({123456.789, -0.0}, {std::nextafter(1.0, 2.0), 3}, {-7.25, 1e22}),
           Corner({-1, -1})},
          false);
  ExpectRoundTrip(doc);
  const Document reopened = ParseSvg(FormatSvg(doc), "saved.svg");
  const auto& before = doc.art(doc.art(group).children()[0]).segments;
  const auto& after = svgtest::OnlyPath(reopened).segments;
  ASSERT_EQ(before.size(), after.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    for (auto [x, y] : {std::pair{before[i].p, after[i].p}, {before[i].in, after[i].in}, {before[i].out, after[i].out}}) {
      EXPECT_EQ(std::bit_cast<uint64_t>(x.h), std::bit_cast<uint64_t>(y.h)) << "anchor " << i;
      EXPECT_EQ(std::bit_cast<uint64_t>(x.v), std::bit_cast<uint64_t>(y.v)) << "anchor " << i;
    }
}

TEST(RoundTrip, RandomPathsSurviveSaveAndOpen) {
  // Fixed seed: random coordinates of every magnitude, open and closed paths,
  // handles on or off their anchors, anchors repeated.
  uint64_t state = 0x2545f4914f6cdd1du;
  const auto next = [&] {
    state ^= state << 13;
    state ^= state >> 7;
    state ^= state << 17;
    return state;
  };
  const auto coordinate = [&] {
    const double mantissa = static_cast<double>(next() % 2000001) / 1000 - 1000;
    return std::ldexp(mantissa, static_cast<int>(next() % 61) - 30);
  };
  Document doc;
  doc.AddLayer("Random");
  for (int p = 0; p < 200; ++p) {
    std::vector<Segment> segments;
    const int count = 1 + static_cast<int>(next() % 6);
    for (int i = 0; i < count; ++i) {
      const Point anchor = (i > 0 && next() % 5 == 0) ? segments.back().p : Point{coordinate(), coordinate()};
      const Point in = next() % 3 == 0 ? anchor : Point{coordinate(), coordinate()};
      const Point out = next() % 3 == 0 ? anchor : Point{coordinate(), coordinate()};
      segments.push_back({anchor, in, out, next() % 2 == 0});
    }
    AddPath(doc, doc.layers()[0].group, segments, next() % 2 == 0);
  }
  ExpectRoundTrip(doc);
}

TEST(RoundTrip, ClosedPathKeepsItsClosingCurve) {
  Document doc;
  doc.AddLayer("Layer 1");
  const ArtId group = doc.layers()[0].group;
  // The closing piece is a curve; the second path's last anchor sits on its
  // first, so its straight closing piece has zero length and must not fold
  // the two anchors into one; the third is a one-anchor loop.
  AddPath(doc, group, {Smooth({0, 0}, {-1, 2}, {1, -2}), Smooth({10, 0}, {9, -2}, {11, 2})}, true);
  AddPath(doc, group, {Corner({0, 0}), Corner({5, 5}), Corner({0, 0})}, true);
  AddPath(doc, group, {Smooth({3, 3}, {1, 5}, {5, 5})}, true);
  // Paths without anchors, as a tool leaves them between creating and filling.
  AddPath(doc, group, {}, true);
  AddPath(doc, group, {}, false);
  ExpectRoundTrip(doc);
  const std::string text = FormatSvg(doc);
  EXPECT_NE(text.find("d=\"M 0 -0 C 1 2 9 2 10 -0 C 11 -2 -1 -2 0 -0 Z\""), std::string::npos) << text;
}

TEST(RoundTrip, OpenEndsKeepHandlesThatPathDataCannotHold) {
  Document doc;
  doc.AddLayer("Layer 1");
  AddPath(doc, doc.layers()[0].group, {Smooth({0, 0}, {-3, 1}, {1, 1}), Smooth({5, 0}, {4, 1}, {8, 2})}, false);
  AddPath(doc, doc.layers()[0].group, {Smooth({7, 7}, {6, 6}, {8, 8})}, false);
  ExpectRoundTrip(doc);
}

TEST(RoundTrip, CompoundPathsWithMembersOfTheirOwn) {
  Document doc;
  doc.AddLayer("Layer 1");
  const ArtId compound = AddArt(doc, ArtType::CompoundPath, doc.layers()[0].group);
  doc.art(compound).paint = {Rgb{0xffff, 0, 0}, std::nullopt, 2};
  doc.art(compound).name = "ring";
  const ArtId outer = AddPath(doc, compound, {Corner({0, 0}), Corner({10, 0}), Corner({10, 10})}, true);
  const ArtId inner = AddPath(doc, compound, {Corner({2, 2}), Corner({8, 2}), Corner({8, 8})}, true);
  AddPath(doc, compound, {}, true);
  doc.art(outer).paint = doc.art(compound).paint;
  doc.art(inner).paint = {Rgb{1, 2, 3}, Rgb{0, 0, 0}, 0.5};
  doc.art(inner).name = "hole; with = odd % text";
  doc.art(inner).dictionary["weight"] = 2.5f;
  doc.art(inner).locked = true;
  ExpectRoundTrip(doc);

  const Document reopened = ParseSvg(FormatSvg(doc), "saved.svg");
  const auto arts = svgtest::AllArt(reopened);
  ASSERT_EQ(4u, arts.size());
  EXPECT_EQ(ArtType::CompoundPath, arts[0]->type());
  const std::string text = FormatSvg(doc);
  std::size_t paths = 0;
  for (std::size_t at = text.find("<path"); at != std::string::npos; at = text.find("<path", at + 1)) ++paths;
  EXPECT_EQ(1u, paths) << "one <path> holds all subpaths";
}

TEST(RoundTrip, ASingleSubpathCompoundStaysCompound) {
  Document doc;
  doc.AddLayer("Layer 1");
  const ArtId compound = AddArt(doc, ArtType::CompoundPath, doc.layers()[0].group);
  AddPath(doc, compound, {Corner({0, 0}), Corner({1, 0})}, false);
  AddArt(doc, ArtType::CompoundPath, doc.layers()[0].group);
  ExpectRoundTrip(doc);
}

TEST(RoundTrip, LayersGroupsImagesAndDocumentData) {
  Document doc;
  const auto back = doc.AddLayer("Back & <forth> \"quoted\"");
  const auto front = doc.AddLayer("Front\tline\nbreak 100%", 0);
  doc.layer(back).locked = true;
  doc.layer(back).visible = false;
  doc.layer(back).color = {0x1234, 0xabcd, 0};
  doc.layer(front).color = {0xffff, 0, 0xffff};
  doc.SetCurrentLayer(back);
  doc.SetArtboard({0.1, 700.3, 612.7, -0.2});
  doc.SetRulerUnits(kMillimetersUnits);
  doc.dictionary()["Tessory_Orient_Axis_Start_X"] = 12.5f;
  doc.dictionary()["note"] = std::string("tabs\tand\nlines, ünïcode; 50% = half");
  doc.art(doc.layers()[1].group).hidden = true;
  doc.art(doc.layers()[1].group).name = "back-group";

  const ArtId group = AddArt(doc, ArtType::Group, doc.layer(front).group);
  doc.art(group).name = "same";
  doc.art(group).centerPointVisible = true;
  doc.art(group).dictionary["BBAccumRotation"] = 0.785398f;
  const ArtId inside = AddPath(doc, group, {Corner({1, 2}), Corner({3, 4})}, false);
  doc.art(inside).name = "same";
  doc.art(inside).hidden = true;
  doc.art(inside).paint = {std::nullopt, Rgb{0x0101, 0x0202, 0xfffe}, 0};
  AddArt(doc, ArtType::Group, group);

  const ArtId placed = AddArt(doc, ArtType::Placed, doc.layer(back).group);
  doc.art(placed).image = {"images/photo one.png", 320, 200};
  doc.art(placed).matrix = {0.5, 0.25, -0.125, 2, 10, -20};
  const ArtId raster = AddArt(doc, ArtType::Raster, doc.layer(back).group);
  doc.art(raster).image = {"data:image/png;base64,AAAA", 4, 4};
  ExpectRoundTrip(doc);
}

TEST(RoundTrip, ADocumentWithoutLayersStaysWithout) { ExpectRoundTrip(Document{}); }

TEST(RoundTrip, SelectionIsNotSaved) {
  Document doc;
  doc.AddLayer("Layer 1");
  const ArtId path = AddPath(doc, doc.layers()[0].group, {Corner({0, 0}), Corner({1, 1})}, false);
  host::model::SetSelected(doc, path, true);
  const Document reopened = ParseSvg(FormatSvg(doc), "saved.svg");
  EXPECT_FALSE(host::model::IsSelected(reopened, svgtest::OnlyPath(reopened).id()));
  host::model::DeselectAll(doc);
  EXPECT_TRUE(svgtest::SameContent(doc, reopened));
}

TEST(RoundTrip, ForeignFilesReachAFixedPointAfterOneSave) {
  const Document opened = svgtest::ReadBody(
      "<g id='a' transform='rotate(30)' stroke='navy'><circle cx='5' cy='5' r='3' fill='rgb(10%, 20%, 30%)'/>"
      "<path d='M0 0 Q 10 10 20 0 T 40 0 A 5 10 20 1 0 60 5 Z m 1 1 h 2 v 2 z'/></g>");
  ExpectRoundTrip(opened);
}

// --- files

class TempDir : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = testsupport::MakeTempFolder("svg-test-");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

using SvgFiles = TempDir;

TEST_F(SvgFiles, WriteThenReadGivesTheSameContent) {
  Document doc;
  doc.AddLayer("Layer 1");
  AddPath(doc, doc.layers()[0].group, {Corner({0, 0}), Smooth({1, 1}, {0.5, 1}, {1.5, 1})}, false);
  const auto file = dir_ / "drawing.svg";
  host::svg::WriteSvg(doc, file);
  EXPECT_TRUE(svgtest::SameContent(doc, host::svg::ReadSvg(file)));
  EXPECT_EQ(FormatSvg(doc), Contents(file));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir_), {})) << "no temporary file left";
}

TEST_F(SvgFiles, AFailedSaveLeavesTheOldFileAlone) {
  const auto file = dir_ / "drawing.svg";
  std::ofstream(file) << "old content";
  Document doc;
  doc.AddLayer("Layer 1");
  AddPath(doc, doc.layers()[0].group, {Corner({std::numeric_limits<double>::quiet_NaN(), 0})}, false);
  try {
    host::svg::WriteSvg(doc, file);
    FAIL() << "a NaN coordinate was saved";
  } catch (const host::HostError& e) {
    EXPECT_EQ(kFileErr, e.code());
    EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("not finite"), std::string::npos) << e.what();
  }
  EXPECT_EQ("old content", Contents(file));
  EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir_), {}));
}

TEST_F(SvgFiles, SavingIntoAMissingFolderFailsNamingTheFile) {
  const auto file = dir_ / "missing" / "drawing.svg";
  try {
    host::svg::WriteSvg(Document{}, file);
    FAIL() << "saved into a missing folder";
  } catch (const host::HostError& e) {
    EXPECT_EQ(kFileErr, e.code());
    EXPECT_EQ(0u, std::string(e.what()).find(file.string())) << e.what();
  }
}

TEST(Examples, OpenAndSurviveARoundTrip) {
  int seen = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CORVANE_EXAMPLES_DIR)) {
    if (entry.path().extension() != ".svg") continue;
    ++seen;
    SCOPED_TRACE(entry.path().string());
    const Document doc = host::svg::ReadSvg(entry.path());
    EXPECT_GE(doc.layers().size(), 2u);
    EXPECT_FALSE(svgtest::AllArt(doc).empty());
    ExpectRoundTrip(doc);
  }
  EXPECT_GE(seen, 2);
}

}  // namespace
