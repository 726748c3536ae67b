// The document's own tree operations, as the file reader and the suites use
// them.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "host/core/HostError.h"
#include "host/model/Document.h"

namespace host::model {
namespace {

AIErr CodeOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const HostError& e) {
    return e.code();
  }
  return kNoErr;
}

TEST(Document, LayersRunFrontToBackAndTheFirstBecomesCurrent) {
  Document doc;
  const LayerId back = doc.AddLayer("Back");
  const LayerId front = doc.AddLayer("Front", 0);
  const LayerId middle = doc.AddLayer("Middle", 1);
  ASSERT_EQ(doc.layers().size(), 3u);
  EXPECT_EQ(doc.layers()[0].id, front);
  EXPECT_EQ(doc.layers()[1].id, middle);
  EXPECT_EQ(doc.layers()[2].id, back);
  EXPECT_EQ(doc.currentLayer(), back);
  EXPECT_TRUE(doc.art(doc.layer(front).group).isLayerGroup());
  EXPECT_EQ(doc.art(doc.layer(front).group).layerOfGroup(), front);
}

TEST(Document, AboveAllAndBelowAllReachTheOuterLayers) {
  Document doc;
  const LayerId front = doc.AddLayer("Front");
  const LayerId back = doc.AddLayer("Back");
  const ArtId top = doc.NewArt(ArtType::Path, {kPlaceAboveAll, kNoId});
  const ArtId bottom = doc.NewArt(ArtType::Path, {kPlaceBelowAll, kNoId});
  EXPECT_EQ(doc.LayerOf(top), front);
  EXPECT_EQ(doc.LayerOf(bottom), back);
}

TEST(Document, RemovingALayerTakesItsArtAndMovesTheCurrentLayer) {
  Document doc;
  const LayerId first = doc.AddLayer("First");
  const LayerId second = doc.AddLayer("Second");
  const ArtId group = doc.NewArt(ArtType::Group, {kPlaceInsideOnTop, doc.layer(first).group});
  const ArtId member = doc.NewArt(ArtType::Path, {kPlaceInsideOnTop, group});
  doc.RemoveLayer(first);
  EXPECT_EQ(doc.currentLayer(), second);
  EXPECT_FALSE(doc.Contains(group));
  EXPECT_FALSE(doc.Contains(member));
  EXPECT_EQ(doc.arts().size(), 1u);  // the remaining layer group
}

TEST(Document, LayerGroupsStayWithTheirLayers) {
  Document doc;
  const ArtId layerGroup = doc.layer(doc.AddLayer("Only")).group;
  EXPECT_EQ(CodeOf([&] { doc.Dispose(layerGroup); }), kBadParameterErr);
  EXPECT_EQ(CodeOf([&] { doc.Duplicate(layerGroup, {kPlaceInsideOnTop, layerGroup}); }), kBadParameterErr);
  EXPECT_EQ(CodeOf([&] { doc.NewArt(ArtType::Path, {kPlaceAbove, layerGroup}); }), kBadParameterErr);
  EXPECT_EQ(CodeOf([&] { doc.layer(12345678); }), kBadHandleErr);
}

}  // namespace
}  // namespace host::model
