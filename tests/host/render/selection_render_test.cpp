// Selected art marked in its layer's colour.
#include <gtest/gtest.h>

#include "host/model/Selection.h"
#include "render_fixture.h"

namespace host::render::test {
namespace {

constexpr model::Rgb kLayerColor{0, 0x8080, 0};

class SelectionRender : public ::testing::Test {
 protected:
  SelectionRender() {
    doc.layer(doc.layers().front().id).color = kLayerColor;
    // An outline without paint: any colour along it comes from the selection.
    path = AddRectangle(doc, FrontLayerGroup(doc), {20, 100, 100, 40}, kWhite);
    doc.art(path).paint = model::Paint{std::nullopt, std::nullopt, 1};
  }

  // The middle of the top edge (on the outline, away from the anchors) and
  // the top-left anchor, in view pixels.
  AIPoint EdgePixel() const { return view.ToView({60, 100}); }
  AIPoint AnchorPixel() const { return view.ToView({20, 100}); }

  model::Document doc = OneLayerDocument();
  model::ArtId path = model::kNoId;
  const model::View view = MakeView(160, 120, 1, {0, 120});
};

TEST_F(SelectionRender, SelectedPathShowsItsOutlineAndAnchorsInTheLayerColour) {
  model::SetSelected(doc, path, true);
  const Picture picture = Render(&doc, view);
  EXPECT_TRUE(PixelIs(picture, EdgePixel().h, EdgePixel().v, Opaque(kLayerColor)));
  // A selected anchor is a filled square: its centre and a pixel two away.
  EXPECT_TRUE(PixelIs(picture, AnchorPixel().h, AnchorPixel().v, Opaque(kLayerColor)));
  EXPECT_TRUE(PixelIs(picture, AnchorPixel().h + 1, AnchorPixel().v + 1, Opaque(kLayerColor)));
}

TEST_F(SelectionRender, UnselectedAnchorOfASelectedPathIsHollow) {
  model::SetSelected(doc, path, true);
  doc.art(path).segments[0].selection = kSegmentNotSelected;
  const Picture picture = Render(&doc, view);
  EXPECT_TRUE(PixelIs(picture, AnchorPixel().h + 1, AnchorPixel().v + 1, Opaque(kWhite)));
  EXPECT_TRUE(PixelIs(picture, AnchorPixel().h + 2, AnchorPixel().v + 2, Opaque(kLayerColor))) << "its frame";
}

TEST_F(SelectionRender, NothingIsMarkedWhenUnselectedHiddenOrSwitchedOff) {
  struct Case {
    const char* name;
    bool select;
    bool hide;
    bool showSelection;
  };
  const Case cases[] = {
      {"not selected", false, false, true},
      {"selected but hidden", true, true, true},
      {"selection not shown", true, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    model::SetSelected(doc, path, c.select);
    doc.art(path).hidden = c.hide;
    RenderOptions options;
    options.showSelection = c.showSelection;
    const Picture picture = Render(&doc, view, {}, options);
    EXPECT_TRUE(PixelIs(picture, EdgePixel().h, EdgePixel().v, Opaque(kWhite)));
    EXPECT_TRUE(PixelIs(picture, AnchorPixel().h, AnchorPixel().v, Opaque(kWhite)));
  }
}

}  // namespace
}  // namespace host::render::test
