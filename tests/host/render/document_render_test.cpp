// The document in the picture: the view mapping, visibility, paint order,
// fills, strokes and placeholders.
#include <gtest/gtest.h>

#include <functional>

#include "host/model/Document.h"
#include "render_fixture.h"

namespace host::render::test {
namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

// Art corners are checked against the host's own artwork-to-view conversion
// (model::View::ToView), not against the renderer's arithmetic.
TEST(DocumentRender, FilledRectangleLandsWhereTheViewMapsIt) {
  struct Case {
    const char* name;
    double zoom;
    model::Point origin;
  };
  const Case cases[] = {
      {"actual size", 1, {-10, 110}},
      {"zoomed in", 2, {0, 60}},
      {"zoomed out", 0.5, {-40, 150}},
      {"scrolled right and up", 1, {15, 80}},
      {"fractional zoom", 1.7, {5, 70}},
  };
  const model::Rect square{20, 50, 50, 20};
  model::Document doc = OneLayerDocument();
  AddRectangle(doc, FrontLayerGroup(doc), square, kRed);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const model::View view = MakeView(kWidth, kHeight, c.zoom, c.origin);
    const Picture picture = Render(&doc, view);
    const AIPoint topLeft = view.ToView({square.left, square.top});
    const AIPoint bottomRight = view.ToView({square.right, square.bottom});
    const int midX = (topLeft.h + bottomRight.h) / 2, midY = (topLeft.v + bottomRight.v) / 2;
    EXPECT_TRUE(PixelIs(picture, midX, midY, Opaque(kRed)));
    // One pixel inside each edge is covered, two pixels outside is not.
    EXPECT_TRUE(PixelIs(picture, topLeft.h + 1, midY, Opaque(kRed)));
    EXPECT_TRUE(PixelIs(picture, bottomRight.h - 1, midY, Opaque(kRed)));
    EXPECT_TRUE(PixelIs(picture, midX, topLeft.v + 1, Opaque(kRed)));
    EXPECT_TRUE(PixelIs(picture, midX, bottomRight.v - 1, Opaque(kRed)));
    EXPECT_TRUE(PixelIsNot(picture, topLeft.h - 2, midY, Opaque(kRed)));
    EXPECT_TRUE(PixelIsNot(picture, bottomRight.h + 2, midY, Opaque(kRed)));
    EXPECT_TRUE(PixelIsNot(picture, midX, topLeft.v - 2, Opaque(kRed)));
    EXPECT_TRUE(PixelIsNot(picture, midX, bottomRight.v + 2, Opaque(kRed)));
  }
}

TEST(DocumentRender, ArtboardIsWhiteOnTheGreyPasteboard) {
  const model::Document doc = OneLayerDocument();
  const model::View view = MakeView(kWidth, kHeight, 0.5, {-50, 250});  // the 200 pt board is 100 px wide
  const Picture picture = Render(&doc, view);
  const AIPoint boardTopLeft = view.ToView({0, 200});
  const Rgba pasteboard = picture.At(0, 0);
  EXPECT_TRUE(PixelIsNot(picture, 0, 0, Opaque(kWhite)));
  EXPECT_TRUE(PixelIs(picture, boardTopLeft.h + 50, boardTopLeft.v + 50, Opaque(kWhite)));
  EXPECT_TRUE(PixelIsNot(picture, boardTopLeft.h, boardTopLeft.v + 50, Opaque(kWhite))) << "the border";
  EXPECT_TRUE(PixelIs(picture, boardTopLeft.h - 3, boardTopLeft.v + 50, pasteboard));
  const Picture empty = Render(nullptr, view);
  EXPECT_TRUE(PixelIs(empty, boardTopLeft.h + 50, boardTopLeft.v + 50, pasteboard)) << "no document, no artboard";
}

TEST(DocumentRender, HiddenArtLayersAndGroupsAreNotDrawn) {
  struct Case {
    const char* name;
    std::function<void(model::Document&, model::ArtId group, model::ArtId square)> hide;
    bool drawn;
  };
  const Case cases[] = {
      {"all visible", [](model::Document&, model::ArtId, model::ArtId) {}, true},
      {"hidden art", [](model::Document& d, model::ArtId, model::ArtId s) { d.art(s).hidden = true; }, false},
      {"hidden group", [](model::Document& d, model::ArtId g, model::ArtId) { d.art(g).hidden = true; }, false},
      {"hidden layer",
       [](model::Document& d, model::ArtId, model::ArtId) { d.layer(d.layers().front().id).visible = false; }, false},
      {"another layer hidden",
       [](model::Document& d, model::ArtId, model::ArtId) { d.layer(d.AddLayer("Other", 0)).visible = false; },
       true},
  };
  const model::View view = MakeView(kWidth, kHeight, 1, {0, 120});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model::Document doc = OneLayerDocument();
    const model::ArtId group = doc.NewArt(model::ArtType::Group, {kPlaceInsideOnTop, FrontLayerGroup(doc)});
    const model::ArtId square = AddRectangle(doc, group, {20, 100, 60, 60}, kRed);
    c.hide(doc, group, square);
    const AIPoint centre = view.ToView({40, 80});
    EXPECT_TRUE(PixelIs(Render(&doc, view), centre.h, centre.v, c.drawn ? Opaque(kRed) : Opaque(kWhite)));
  }
}

// The model keeps layers and members front to back; the front one must win.
TEST(DocumentRender, FrontArtCoversBackArt) {
  struct Case {
    const char* name;
    std::function<void(model::Document&, const model::Rect&)> build;  // red at the back, blue in front
  };
  const Case cases[] = {
      {"in one layer",
       [](model::Document& d, const model::Rect& r) {
         AddRectangle(d, FrontLayerGroup(d), r, kRed);
         AddRectangle(d, FrontLayerGroup(d), r, kBlue);  // added on top
       }},
      {"in two layers",
       [](model::Document& d, const model::Rect& r) {
         const model::LayerId back = d.AddLayer("Back");  // added at the back
         AddRectangle(d, FrontLayerGroup(d), r, kBlue);
         AddRectangle(d, d.layer(back).group, r, kRed);
       }},
      {"placed below",
       [](model::Document& d, const model::Rect& r) {
         const model::ArtId blue = AddRectangle(d, FrontLayerGroup(d), r, kBlue);
         AddRectangleAt(d, {kPlaceBelow, blue}, r, kRed);
       }},
      {"in a group",
       [](model::Document& d, const model::Rect& r) {
         const model::ArtId g = d.NewArt(model::ArtType::Group, {kPlaceInsideOnTop, FrontLayerGroup(d)});
         AddRectangle(d, g, r, kRed);
         AddRectangle(d, g, r, kBlue);
       }},
  };
  const model::View view = MakeView(kWidth, kHeight, 1, {0, 120});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model::Document doc = OneLayerDocument();
    c.build(doc, {20, 100, 60, 60});
    const AIPoint centre = view.ToView({40, 80});
    EXPECT_TRUE(PixelIs(Render(&doc, view), centre.h, centre.v, Opaque(kBlue)));
  }
}

// Members of a compound path fill one area by non-zero winding: an inner
// outline running the other way is a hole, one running the same way is not.
TEST(DocumentRender, CompoundPathFillsByNonZeroWinding) {
  const model::View view = MakeView(kWidth, kHeight, 1, {0, 120});
  for (const bool reversedInner : {true, false}) {
    SCOPED_TRACE(reversedInner ? "inner reversed" : "inner same direction");
    model::Document doc = OneLayerDocument();
    const model::ArtId compound =
        doc.NewArt(model::ArtType::CompoundPath, {kPlaceInsideOnTop, FrontLayerGroup(doc)});
    doc.art(compound).paint = model::Paint{kRed, std::nullopt, 1};
    AddRectangle(doc, compound, {10, 110, 90, 30}, kRed);
    if (reversedInner)
      AddRectangleReversed(doc, compound, {30, 90, 70, 50}, kRed);
    else
      AddRectangle(doc, compound, {30, 90, 70, 50}, kRed);
    const Picture picture = Render(&doc, view);
    const AIPoint hole = view.ToView({50, 70}), ring = view.ToView({20, 70});
    EXPECT_TRUE(PixelIs(picture, ring.h, ring.v, Opaque(kRed)));
    EXPECT_TRUE(PixelIs(picture, hole.h, hole.v, reversedInner ? Opaque(kWhite) : Opaque(kRed)));
  }
}

TEST(DocumentRender, StrokeWidthScalesWithTheZoom) {
  constexpr double kStrokePt = 4;
  for (const double zoom : {1.0, 2.0, 3.0}) {
    SCOPED_TRACE("zoom " + std::to_string(zoom));
    model::Document doc = OneLayerDocument();
    const model::ArtId line = doc.NewArt(model::ArtType::Path, {kPlaceInsideOnTop, FrontLayerGroup(doc)});
    model::Art& art = doc.art(line);
    art.segments = {{{0, 20}, {0, 20}, {0, 20}, true, kSegmentNotSelected},
                    {{60, 20}, {60, 20}, {60, 20}, true, kSegmentNotSelected}};
    art.paint = model::Paint{std::nullopt, kBlack, kStrokePt};
    const model::View view = MakeView(kWidth, kHeight, zoom, {-5, 40});
    const Picture picture = Render(&doc, view);
    const AIPoint mid = view.ToView({30, 20});
    const int halfPx = static_cast<int>(kStrokePt * zoom / 2);
    EXPECT_TRUE(PixelIs(picture, mid.h, mid.v - (halfPx - 1), Opaque(kBlack)));
    EXPECT_TRUE(PixelIs(picture, mid.h, mid.v + (halfPx - 1), Opaque(kBlack)));
    EXPECT_TRUE(PixelIs(picture, mid.h, mid.v - (halfPx + 1), Opaque(kWhite)));
    EXPECT_TRUE(PixelIs(picture, mid.h, mid.v + (halfPx + 1), Opaque(kWhite)));
  }
}

TEST(DocumentRender, PlacedArtShowsAsALightBoxOverItsImageRectangle) {
  model::Document doc = OneLayerDocument();
  const model::ArtId placed = doc.NewArt(model::ArtType::Placed, {kPlaceInsideOnTop, FrontLayerGroup(doc)});
  doc.art(placed).image = model::Image{"photo.png", 40, 20};
  doc.art(placed).matrix = model::Matrix{1, 0, 0, 1, 30, 50};  // (30, 50)..(70, 70)
  const model::View view = MakeView(kWidth, kHeight, 1, {0, 120});
  const Picture picture = Render(&doc, view);
  const AIPoint inside = view.ToView({45, 55}), outside = view.ToView({45, 75});
  const Rgba box = picture.At(inside.h, inside.v);
  EXPECT_TRUE(PixelIsNot(picture, inside.h, inside.v, Opaque(kWhite)));
  EXPECT_GT(box.r, 200) << "light";
  EXPECT_TRUE(PixelIs(picture, outside.h, outside.v, Opaque(kWhite)));
}

// Geometry far beyond what cairo's fixed-point coordinates hold: a square of
// 100 000 pt at the highest zoom still covers the view it contains.
TEST(DocumentRender, HugeArtAtHighZoomStillCoversTheView) {
  model::Document doc = OneLayerDocument();
  AddRectangle(doc, FrontLayerGroup(doc), {-50000, 50000, 50000, -50000}, kRed);
  const model::View view = MakeView(kWidth, kHeight, model::kMaxZoom, {0, 0});
  const Picture picture = Render(&doc, view);
  EXPECT_TRUE(PixelIs(picture, 0, 0, Opaque(kRed)));
  EXPECT_TRUE(PixelIs(picture, kWidth - 1, kHeight - 1, Opaque(kRed)));
}

TEST(DocumentRender, ViewsThatCannotBeDrawnAreRefused) {
  const model::Document doc = OneLayerDocument();
  const model::View cases[] = {MakeView(0, 10, 1, {}), MakeView(10, -1, 1, {}),
                               MakeView(10, 10, std::numeric_limits<double>::quiet_NaN(), {}),
                               MakeView(10, 10, 1, {std::numeric_limits<double>::infinity(), 0})};
  for (const model::View& v : cases) {
    try {
      Render(&doc, v);
      ADD_FAILURE() << "a " << v.width << " x " << v.height << " view at zoom " << v.zoom << " was drawn";
    } catch (const HostError& e) {
      EXPECT_EQ(e.code(), kBadParameterErr);
    }
  }
}

}  // namespace
}  // namespace host::render::test
