// The document view suite: artwork y up against view y down, rounding, zoom.
#include <gtest/gtest.h>

#include <string>

#include "host/model/View.h"
#include "suite_fixture.h"

namespace host::test {
namespace {

class ViewTest : public SuiteTest {};

TEST_F(ViewTest, ArtworkToViewFlipsAndRoundsToTheNearestPixel) {
  workspace.SetZoom(2);
  workspace.SetScrollOrigin({100, 500});
  struct Case {
    std::string name;
    AIRealPoint art;
    AIPoint view;
  };
  const Case cases[] = {
      {"TopLeft", {100, 500}, {0, 0}},
      {"RightAndDown", {110, 490}, {20, 20}},
      {"RoundsDown", {100.2, 500}, {0, 0}},
      {"RoundsUp", {100.3, 499.7}, {1, 1}},
      {"AboveTheView", {100, 510}, {0, -20}},
  };
  AIDocumentViewHandle view = nullptr;
  ASSERT_EQ(views->GetNthDocumentView(0, &view), kNoErr);
  for (const Case& c : cases) {
    AIPoint got{};
    ASSERT_EQ(views->ArtworkPointToViewPoint(view, &c.art, &got), kNoErr) << c.name;
    EXPECT_EQ(got.h, c.view.h) << c.name;
    EXPECT_EQ(got.v, c.view.v) << c.name;
  }
  const AIPoint px{20, 20};
  AIRealPoint back{};
  ASSERT_EQ(views->ViewPointToArtworkPoint(nullptr, &px, &back), kNoErr);
  EXPECT_DOUBLE_EQ(back.h, 110);
  EXPECT_DOUBLE_EQ(back.v, 490);
}

TEST_F(ViewTest, BoundsCoverThePixelsAtTheZoom) {
  workspace.SetZoom(2);
  workspace.SetScrollOrigin({0, 0});
  AIRealRect r{};
  ASSERT_EQ(views->GetDocumentViewBounds(nullptr, &r), kNoErr);
  EXPECT_DOUBLE_EQ(r.right, kViewWidth / 2.0);
  EXPECT_DOUBLE_EQ(r.bottom, -kViewHeight / 2.0);
}

TEST_F(ViewTest, ZoomIsValidatedAndClamped) {
  EXPECT_EQ(views->SetDocumentViewZoom(nullptr, 0), kBadParameterErr);
  EXPECT_EQ(views->SetDocumentViewZoom(nullptr, std::numeric_limits<double>::quiet_NaN()), kBadParameterErr);
  EXPECT_EQ(views->SetDocumentViewZoom(nullptr, 1e9), kNoErr);
  double zoom = 0;
  ASSERT_EQ(views->GetDocumentViewZoom(nullptr, &zoom), kNoErr);
  EXPECT_EQ(zoom, model::kMaxZoom);
  EXPECT_EQ(views->GetDocumentViewZoom(reinterpret_cast<AIDocumentViewHandle>(uintptr_t{77}), &zoom),
            kBadHandleErr);
}

TEST_F(ViewTest, NewDocumentCentresTheArtboard) {
  workspace.NewDocument(200, 100);
  const AIPoint centre = workspace.ArtworkToView({100, 50});
  EXPECT_EQ(centre.h, kViewWidth / 2);
  EXPECT_EQ(centre.v, kViewHeight / 2);
  EXPECT_EQ(doc().layers().size(), 1u);
  EXPECT_EQ(doc().layers()[0].title, "Layer 1");
  EXPECT_FALSE(workspace.SmartGuides());
}

}  // namespace
}  // namespace host::test
