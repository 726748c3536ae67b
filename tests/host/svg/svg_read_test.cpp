#include <cmath>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/core/HostError.h"
#include "host/model/Document.h"
#include "host/svg/Shapes.h"
#include "host/svg/Svg.h"
#include "sdk/Corvane.h"
#include "svg_test_support.h"

namespace {

using host::model::ArtType;
using host::model::Document;
using host::model::Point;
using host::model::Rect;
using host::model::Segment;
using host::svg::ParseSvg;

std::vector<std::string> Titles(const Document& doc) {
  std::vector<std::string> titles;
  for (const auto& layer : doc.layers()) titles.push_back(layer.title);
  return titles;
}

std::size_t MemberCount(const Document& doc, std::size_t layer) {
  return doc.art(doc.layers().at(layer).group).children().size();
}

TEST(Layers, TopLevelGroupsBecomeLayersAndStrayArtAGeneratedOne) {
  const Document doc = ParseSvg(R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 100 100">
  <path d="M0 0 L 1 1"/>
  <g inkscape:label="Sketch" id="layer1"><path d="M0 0 L 2 2"/></g>
  <defs><path id="unused" d="M 0 0 L 5 5"/></defs>
  <g id="Inks"><path d="M0 0 L 3 3"/><path d="M0 0 L 4 4"/></g>
  <g/>
  <rect width="5" height="5"/>
</svg>)", "layers.svg");
  // Front to back: the last group is frontmost.  The stray path and rect share
  // the layer made where the first of them stands.
  EXPECT_EQ((std::vector<std::string>{"Layer 4", "Inks", "Sketch", "Layer 1"}), Titles(doc));
  EXPECT_EQ(0u, MemberCount(doc, 0));
  EXPECT_EQ(2u, MemberCount(doc, 1));
  EXPECT_EQ(1u, MemberCount(doc, 2));
  EXPECT_EQ(2u, MemberCount(doc, 3));
  EXPECT_EQ(doc.layers().front().id, doc.currentLayer());
  // The layer group keeps the group's id as its name.
  EXPECT_EQ("layer1", doc.art(doc.layers()[2].group).name);
}

TEST(Layers, HiddenAndLockedLayersFromOtherEditors) {
  const Document doc = ParseSvg(R"(<svg xmlns="http://www.w3.org/2000/svg">
  <g style="display:none" sodipodi:insensitive="true"/>
  <g/>
</svg>)", "flags.svg");
  ASSERT_EQ(2u, doc.layers().size());
  EXPECT_TRUE(doc.layers()[0].visible);
  EXPECT_FALSE(doc.layers()[0].locked);
  EXPECT_FALSE(doc.layers()[1].visible);
  EXPECT_TRUE(doc.layers()[1].locked);
}

TEST(Layers, ADrawingWithoutContentStillHasALayerToDrawIn) {
  const Document doc = ParseSvg("<svg xmlns='http://www.w3.org/2000/svg'><text>hi</text></svg>", "empty.svg");
  ASSERT_EQ(1u, doc.layers().size());
  EXPECT_EQ("Layer 1", doc.layers()[0].title);
  EXPECT_EQ(doc.layers()[0].id, doc.currentLayer());
}


// --- paths

TEST(Paths, AClosingDuplicateAnchorFoldsIntoTheFirst) {
  const Document doc = svgtest::ReadBody("<path d='M 0 0 C 1 -1 3 -1 4 0 C 3 1 1 1 0 0 Z'/>");
  const auto& path = svgtest::OnlyPath(doc);
  ASSERT_EQ(2u, path.segments.size());
  EXPECT_TRUE(path.closed);
  // The closing curve's controls became the last out-handle and the first in-handle.
  EXPECT_EQ((Point{3, -1}), path.segments[1].out);
  EXPECT_EQ((Point{1, -1}), path.segments[0].in);
  EXPECT_EQ((Point{1, 1}), path.segments[0].out);
}

TEST(Paths, ClosingWithoutReturningAddsAStraightClosingPiece) {
  const Document doc = svgtest::ReadBody("<path d='M 0 0 L 4 0 L 4 4 z'/>");
  const auto& path = svgtest::OnlyPath(doc);
  ASSERT_EQ(3u, path.segments.size());
  EXPECT_TRUE(path.closed);
  EXPECT_EQ(path.segments[2].p, path.segments[2].out);
  EXPECT_EQ(path.segments[0].p, path.segments[0].in);
}

TEST(Paths, SeveralSubpathsMakeACompoundPathInOrder) {
  const Document doc = svgtest::ReadBody("<path d='M0 0 H 10 V 10 Z M 2 2 H 8 V 8 Z M 20 0 L 30 0' fill='red'/>");
  const auto arts = svgtest::AllArt(doc);
  ASSERT_EQ(4u, arts.size());
  ASSERT_EQ(ArtType::CompoundPath, arts[0]->type());
  EXPECT_EQ((Point{0, 0}), arts[1]->segments.at(0).p);
  EXPECT_EQ((Point{2, -2}), arts[2]->segments.at(0).p);
  EXPECT_EQ((Point{20, 0}), arts[3]->segments.at(0).p);
  EXPECT_TRUE(arts[1]->closed);
  EXPECT_FALSE(arts[3]->closed);
  EXPECT_EQ(arts[0]->paint, arts[1]->paint) << "members take the compound path's paint";
}

TEST(Paths, CornersAreJudgedFromTheHandles) {
  // A smooth join (handles opposite), a cusp, and line ends.
  const Document doc = svgtest::ReadBody("<path d='M0 0 C 0 5 5 5 10 5 S 20 0 20 0 L 30 0'/>");
  const auto& s = svgtest::OnlyPath(doc).segments;
  ASSERT_EQ(4u, s.size());
  EXPECT_TRUE(s[0].corner);
  EXPECT_FALSE(s[1].corner);
  EXPECT_TRUE(s[2].corner);
  EXPECT_TRUE(s[3].corner);
}

// --- shapes: y is negated from SVG to artwork throughout

void ExpectOnEllipse(const host::model::Art& path, Point centre, double rx, double ry) {
  const auto& s = path.segments;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const Segment& a = s[i];
    const Segment& b = s[(i + 1) % s.size()];
    // The middle of each quarter lies exactly on the ellipse.
    const Point mid = 0.125 * a.p + 0.375 * a.out + 0.375 * b.in + 0.125 * b.p;
    const double dx = (mid.h - centre.h) / rx, dy = (mid.v - centre.v) / ry;
    EXPECT_NEAR(1, dx * dx + dy * dy, 1e-12) << "piece " << i;
    EXPECT_FALSE(a.corner) << "anchor " << i;
  }
}

TEST(Shapes, CircleAndEllipseAreFourSmoothQuarters) {
  const Document doc = svgtest::ReadBody("<circle cx='50' cy='40' r='10'/><ellipse cx='5' cy='6' rx='4' ry='2'/>");
  const auto arts = svgtest::AllArt(doc);
  ASSERT_EQ(2u, arts.size());
  const auto& circle = *arts[1];
  ASSERT_EQ(4u, circle.segments.size());
  EXPECT_TRUE(circle.closed);
  EXPECT_EQ((Point{60, -40}), circle.segments[0].p);
  EXPECT_EQ((Point{60, -40 - 10 * host::svg::kQuarterArcHandle}), circle.segments[0].out);
  ExpectOnEllipse(circle, {50, -40}, 10, 10);
  ASSERT_EQ(4u, arts[0]->segments.size());
  ExpectOnEllipse(*arts[0], {5, -6}, 4, 2);
}

TEST(Shapes, RectanglesWithAndWithoutRoundedCorners) {
  const Document doc = svgtest::ReadBody(
      "<rect x='1' y='2' width='10' height='4'/><rect x='0' y='0' width='10' height='4' rx='3'/>");
  const auto arts = svgtest::AllArt(doc);
  ASSERT_EQ(2u, arts.size());
  const auto& plain = arts[1]->segments;
  ASSERT_EQ(4u, plain.size());
  EXPECT_EQ((Point{1, -2}), plain[0].p);
  EXPECT_EQ((Point{11, -6}), plain[2].p);
  for (const Segment& s : plain) EXPECT_TRUE(s.corner && s.in == s.p && s.out == s.p);
  // ry defaults to rx, then both are clamped to half the side: rx 3, ry 2.
  const auto& round = arts[0]->segments;
  ASSERT_EQ(8u, round.size());
  EXPECT_EQ((Point{3, 0}), round[0].p);
  EXPECT_EQ((Point{7, 0}), round[1].p);
  EXPECT_EQ((Point{10, -2}), round[2].p);
  EXPECT_EQ((Point{7 + 3 * host::svg::kQuarterArcHandle, 0}), round[1].out);
  EXPECT_EQ((Point{10, -2 + 2 * host::svg::kQuarterArcHandle}), round[2].in);
}

TEST(Shapes, LinesAndPolylinesAreOpenAndPolygonsClosed) {
  const Document doc = svgtest::ReadBody(
      "<line x1='1' y1='2' x2='3' y2='4'/><polyline points='0,0 5,0 5,5'/><polygon points='0 0 5 0 5 5 0 0'/>");
  const auto arts = svgtest::AllArt(doc);
  ASSERT_EQ(3u, arts.size());
  EXPECT_EQ(3u, arts[0]->segments.size()) << "the repeated first point folds into the first anchor";
  EXPECT_TRUE(arts[0]->closed);
  EXPECT_EQ(3u, arts[1]->segments.size());
  EXPECT_FALSE(arts[1]->closed);
  EXPECT_EQ((std::vector<Point>{{1, -2}, {3, -4}}),
            (std::vector<Point>{arts[2]->segments.at(0).p, arts[2]->segments.at(1).p}));
}

TEST(Shapes, ShapesWithoutAreaAreNotDrawn) {
  EXPECT_TRUE(svgtest::AllArt(svgtest::ReadBody("<rect width='0' height='5'/><circle r='0'/><rect/>")).empty());
}

TEST(Elements, IdsBecomeNames) {
  const Document doc = svgtest::ReadBody("<path id='outline' d='M0 0 L 1 1'/>");
  const auto& path = svgtest::OnlyPath(doc);
  EXPECT_EQ("outline", path.name);
}

// --- the page

struct PageCase {
  const char* name;
  const char* attributes;
  Rect artboard;
  int16_t units;
};

TEST(Page, ViewBoxOrSizeGivesTheArtboardAndTheUnitTheRulers) {
  const PageCase cases[] = {
      {"viewBox", "viewBox='10 20 300 400'", {10, -20, 310, -420}, kPointsUnits},
      {"viewBox wins over the size", "width='210mm' height='297mm' viewBox='0 0 210 297'", {0, 0, 210, -297},
       kMillimetersUnits},
      {"size in inches", "width='2in' height='1in'", {0, 0, 192, -96}, kInchesUnits},
      {"size in points", "width='72pt' height='36pt'", {0, 0, 96, -48}, kPointsUnits},
      {"bare size is in pixels", "width='640' height='480'", {0, 0, 640, -480}, kPointsUnits},
      {"percentages give no size", "width='100%' height='100%'",
       {0, host::model::kDefaultArtboardHeightPt, host::model::kDefaultArtboardWidthPt, 0}, kPointsUnits},
  };
  for (const PageCase& c : cases) {
    const Document doc =
        ParseSvg(std::string("<svg xmlns='http://www.w3.org/2000/svg' ") + c.attributes + "/>", "page.svg");
    EXPECT_EQ(c.artboard, doc.artboard()) << c.name;
    EXPECT_EQ(c.units, doc.rulerUnits()) << c.name;
  }
}

TEST(Page, PercentagesInShapesReferToTheViewport) {
  const Document doc = svgtest::ReadBody("<line x1='10%' y1='0' x2='50%' y2='25%'/>");
  const auto& s = svgtest::OnlyPath(doc).segments;
  ASSERT_EQ(2u, s.size());
  EXPECT_EQ((Point{10, 0}), s[0].p);
  EXPECT_EQ((Point{50, -25}), s[1].p);
}


// <use> draws the element it refers to in its place: the use's transform,
// then its x and y offset, then the element's own transform.
TEST(Use, ReferencedElementsAreDrawnWhereTheyAreUsed) {
  const Document doc = svgtest::ReadBody(
      "<defs><path id='cog' d='M0 0 L10 0 L10 10 Z'/>"
      "<symbol id='pair'><path d='M0 0 L1 0'/><use href='#cog' transform='scale(2)'/></symbol></defs>"
      "<use href='#cog' x='20' y='30' transform='translate(5 0)'/>"
      "<use xlink:href='#pair' x='50'/>"
      "<use href='#nothing'/>");
  std::vector<std::vector<Point>> anchors;
  for (const host::model::Art* art : svgtest::AllArt(doc)) {
    if (art->type() != ArtType::Path) continue;
    anchors.emplace_back();
    for (const Segment& seg : art->segments) anchors.back().push_back(seg.p);
  }
  // Front to back: the later use first; inside the symbol its later child first.
  const std::vector<std::vector<Point>> expected = {
      {{50, 0}, {70, 0}, {70, -20}},
      {{50, 0}, {51, 0}},
      {{25, -30}, {35, -30}, {35, -40}},
  };
  EXPECT_EQ(expected, anchors);
}

TEST(Use, AUseThatRefersBackToItselfIsAnError) {
  for (const char* body : {"<g id='a'><use href='#a'/></g>",
                           "<defs><g id='x'><use href='#y'/></g><g id='y'><use href='#x'/></g></defs><use href='#x'/>"}) {
    SCOPED_TRACE(body);
    try {
      svgtest::ReadBody(body);
      ADD_FAILURE() << "read";
    } catch (const host::HostError& e) {
      EXPECT_NE(std::string(e.what()).find("refers back to itself"), std::string::npos) << e.what();
    }
  }
}

}  // namespace
