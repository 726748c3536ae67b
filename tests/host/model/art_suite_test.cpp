// The art suite: where new art goes, whether it may go there, copies,
// removal, walking the tree and attributes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/model/Document.h"
#include "suite_fixture.h"

namespace host::test {
namespace {

class ArtSuiteTest : public SuiteTest {
 protected:
  // Front to back.
  std::vector<AIArtHandle> Children(AIArtHandle container) {
    std::vector<AIArtHandle> out;
    AIArtHandle child = nullptr;
    EXPECT_EQ(art->GetArtFirstChild(container, &child), kNoErr);
    while (child) {
      out.push_back(child);
      EXPECT_EQ(art->GetArtSibling(child, &child), kNoErr);
    }
    return out;
  }
  AIArtHandle LayerGroup() {
    AIArtHandle group = nullptr;
    int16_t order = 0;
    AIBoolean editable = 0;
    EXPECT_EQ(art->GetInsertionPoint(&group, &order, &editable), kNoErr);
    return group;
  }
};

TEST_F(ArtSuiteTest, InsertionPointIsTheCurrentLayerGroupAndFollowsItsState) {
  struct Case {
    std::string name;
    bool locked;
    bool visible;
    bool editable;
  };
  for (const Case& c : {Case{"Normal", false, true, true}, Case{"Locked", true, true, false},
                        Case{"Hidden", false, false, false}}) {
    model::Layer& layer = doc().layer(doc().currentLayer());
    layer.locked = c.locked;
    layer.visible = c.visible;
    AIArtHandle at = nullptr;
    int16_t order = 0;
    AIBoolean editable = 0;
    ASSERT_EQ(art->GetInsertionPoint(&at, &order, &editable), kNoErr) << c.name;
    EXPECT_EQ(model::ArtIdOf(at), layer.group) << c.name;
    EXPECT_EQ(order, kPlaceInsideOnTop) << c.name;
    EXPECT_EQ(editable != 0, c.editable) << c.name;

    AIArtHandle made = nullptr;
    EXPECT_EQ(art->NewArt(kPathArt, order, at, &made), c.editable ? kNoErr : kLockedErr) << c.name;
    EXPECT_EQ(made != nullptr, c.editable) << c.name;
    AIArtHandle oval = nullptr;
    const AIRealPoint a{0, 0}, b{10, 10};
    EXPECT_EQ(shapes->NewPointPointOval(&a, &b, 0, 0, 0, &oval), c.editable ? kNoErr : kLockedErr) << c.name;
  }
  // Nothing was added while the layer could not take it.
  EXPECT_EQ(Children(LayerGroup()).size(), 2u);
}

TEST_F(ArtSuiteTest, NewArtGoesOnTopOrDirectlyAboveThePrepArt) {
  const AIArtHandle first = NewPath({Corner(0, 0)});
  const AIArtHandle second = NewPath({Corner(0, 0)});
  EXPECT_EQ(Children(LayerGroup()), (std::vector<AIArtHandle>{second, first}));

  AIArtHandle aboveFirst = nullptr, belowSecond = nullptr;
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceAbove, first, &aboveFirst), kNoErr);
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceBelow, second, &belowSecond), kNoErr);
  EXPECT_EQ(Children(LayerGroup()), (std::vector<AIArtHandle>{second, belowSecond, aboveFirst, first}));

  AIArtHandle parent = nullptr, prior = nullptr;
  EXPECT_EQ(art->GetArtParent(aboveFirst, &parent), kNoErr);
  EXPECT_EQ(parent, LayerGroup());
  EXPECT_EQ(art->GetArtPriorSibling(aboveFirst, &prior), kNoErr);
  EXPECT_EQ(prior, belowSecond);
}

// A line placed above a path of a compound path lands beside the compound
// path's members, and only paths may go into a compound path.
TEST_F(ArtSuiteTest, CompoundPathsHoldPathsOnly) {
  AIArtHandle compound = nullptr, member = nullptr, group = nullptr, above = nullptr;
  ASSERT_EQ(art->NewArt(kCompoundPathArt, kPlaceInsideOnTop, nullptr, &compound), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, compound, &member), kNoErr);
  EXPECT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, compound, &group), kWrongArtTypeErr);
  EXPECT_EQ(art->NewArt(kGroupArt, kPlaceAbove, member, &group), kWrongArtTypeErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceAbove, compound, &above), kNoErr);
  EXPECT_EQ(Children(LayerGroup()), (std::vector<AIArtHandle>{above, compound}));
  AIArtHandle inside = nullptr;
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, member, &inside), kWrongArtTypeErr);
}

TEST_F(ArtSuiteTest, NewArtIntoALockedGroupFails) {
  AIArtHandle group = nullptr, member = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, nullptr, &group), kNoErr);
  ASSERT_EQ(art->SetArtUserAttr(group, kArtLocked, kArtLocked), kNoErr);
  EXPECT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &member), kLockedErr);
  EXPECT_TRUE(Children(group).empty());
}

TEST_F(ArtSuiteTest, DuplicateIsADeepCopyWithNewIdsDirectlyAbove) {
  AIArtHandle group = nullptr, member = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, nullptr, &group), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &member), kNoErr);
  const AIPathSegment seg = Corner(5, 6);
  path->SetPathSegmentCount(member, 1);
  path->SetPathSegments(member, 0, 1, &seg);
  const AIArtHandle other = NewPath({Corner(0, 0)});

  AIArtHandle copy = nullptr;
  ASSERT_EQ(art->DuplicateArt(group, kPlaceAbove, group, &copy), kNoErr);
  EXPECT_EQ(Children(LayerGroup()), (std::vector<AIArtHandle>{other, copy, group}));
  const std::vector<AIArtHandle> copied = Children(copy);
  ASSERT_EQ(copied.size(), 1u);
  EXPECT_NE(copied[0], member);
  AIPathSegment read{};
  ASSERT_EQ(path->GetPathSegments(copied[0], 0, 1, &read), kNoErr);
  EXPECT_EQ(read.p.h, 5);
  // The copy is independent of the original.
  const AIPathSegment moved = Corner(50, 60);
  path->SetPathSegments(copied[0], 0, 1, &moved);
  path->GetPathSegments(member, 0, 1, &read);
  EXPECT_EQ(read.p.h, 5);
}

TEST_F(ArtSuiteTest, DisposedArtAndItsMembersBecomeStaleHandles) {
  AIArtHandle group = nullptr, member = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, nullptr, &group), kNoErr);
  ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, &member), kNoErr);
  ASSERT_EQ(art->DisposeArt(group), kNoErr);
  int16_t type = 0;
  EXPECT_EQ(art->GetArtType(member, &type), kBadHandleErr);
  EXPECT_EQ(art->DisposeArt(group), kBadHandleErr);
  AIBoolean valid = 1;
  EXPECT_EQ(art->ValidArt(member, &valid), kNoErr);
  EXPECT_FALSE(valid);
  EXPECT_TRUE(Children(LayerGroup()).empty());
  // New art never reuses a disposed id.
  const AIArtHandle fresh = NewPath({Corner(0, 0)});
  EXPECT_NE(fresh, group);
  EXPECT_NE(fresh, member);
  EXPECT_EQ(art->DisposeArt(LayerGroup()), kBadParameterErr);
}

TEST_F(ArtSuiteTest, LayerWalkFindsLayerGroupsAndTheirArt) {
  const AIArtHandle p = NewPath({Corner(0, 0)});
  AILayerHandle layer = nullptr, ofArt = nullptr;
  ASSERT_EQ(layers->GetFirstLayer(&layer), kNoErr);
  AIArtHandle group = nullptr;
  ASSERT_EQ(art->GetFirstArtOfLayer(layer, &group), kNoErr);
  AIBoolean isLayerGroup = 0;
  EXPECT_EQ(art->IsArtLayerGroup(group, &isLayerGroup), kNoErr);
  EXPECT_TRUE(isLayerGroup);
  EXPECT_EQ(art->IsArtLayerGroup(p, &isLayerGroup), kNoErr);
  EXPECT_FALSE(isLayerGroup);
  EXPECT_EQ(Children(group), std::vector<AIArtHandle>{p});
  EXPECT_EQ(art->GetLayerOfArt(p, &ofArt), kNoErr);
  EXPECT_EQ(ofArt, layer);
  AIArtHandle parent = p;
  EXPECT_EQ(art->GetArtParent(group, &parent), kNoErr);
  EXPECT_EQ(parent, nullptr);
  const char* title = nullptr;
  EXPECT_EQ(layers->GetLayerTitle(layer, &title), kNoErr);
  EXPECT_STREQ(title, "Layer 1");
  AILayerHandle next = layer;
  EXPECT_EQ(layers->GetNextLayer(layer, &next), kNoErr);
  EXPECT_EQ(next, nullptr);
}

TEST_F(ArtSuiteTest, BoundsAreTheExactCurveExtent) {
  // One arch whose control points rise to 80 while the curve peaks at 60.
  const AIArtHandle p = NewPath({Smooth(0, 0, 20, 80), Smooth(100, 0, 20, -80)});
  AIRealRect r{};
  ASSERT_EQ(art->GetArtBounds(p, &r), kNoErr);
  EXPECT_DOUBLE_EQ(r.left, 0);
  EXPECT_DOUBLE_EQ(r.right, 100);
  EXPECT_DOUBLE_EQ(r.bottom, 0);
  EXPECT_NEAR(r.top, 60, 1e-12);
  AIArtHandle empty = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, nullptr, &empty), kNoErr);
  EXPECT_EQ(art->GetArtBounds(empty, &r), kBadParameterErr);
}

TEST_F(ArtSuiteTest, TransferAttributesCopiesWhatIsAsked) {
  const AIArtHandle src = NewPath({Corner(0, 0)});
  const AIArtHandle dst = NewPath({Corner(0, 0)});
  model::Art& s = doc().art(model::ArtIdOf(src));
  s.paint = {model::Rgb{1, 2, 3}, std::nullopt, 4};
  s.dictionary["k"] = 1.5f;
  ASSERT_EQ(art->TransferAttributes(src, dst, kTransferStyle), kNoErr);
  EXPECT_EQ(doc().art(model::ArtIdOf(dst)).paint, s.paint);
  EXPECT_TRUE(doc().art(model::ArtIdOf(dst)).dictionary.empty());
  ASSERT_EQ(art->TransferAttributes(src, dst, kTransferAll), kNoErr);
  EXPECT_EQ(doc().art(model::ArtIdOf(dst)).dictionary, s.dictionary);
}

TEST_F(ArtSuiteTest, NewArtHasTheDefaultStyle) {
  const AIArtHandle p = NewPath({Corner(0, 0)});
  EXPECT_EQ(doc().art(model::ArtIdOf(p)).paint, model::DefaultPaint());
  EXPECT_FALSE(model::DefaultPaint().fill.has_value());
}

TEST_F(ArtSuiteTest, CopyScopesAreCountedUntilDestroyed) {
  AICopyScopeHandle scope = nullptr;
  ASSERT_EQ(art->NewCopyScope(kAIDuplicateCopyScope, &scope), kNoErr);
  EXPECT_EQ(workspace.LiveCopyScopes(), 1);
  EXPECT_EQ(art->DestroyCopyScope(scope), kNoErr);
  EXPECT_EQ(workspace.LiveCopyScopes(), 0);
  EXPECT_EQ(art->DestroyCopyScope(scope), kBadHandleErr);
  EXPECT_EQ(art->NewCopyScope(7, &scope), kBadParameterErr);
}

}  // namespace
}  // namespace host::test
