// Selection through the art, path and matching art suites: the path's
// segments are the truth, attributes are derived from them.
#include <gtest/gtest.h>

#include <vector>

#include "suite_fixture.h"

namespace host::test {
namespace {

class SelectionTest : public SuiteTest {
 protected:
  int32_t Attr(AIArtHandle a) {
    int32_t attr = -1;
    EXPECT_EQ(art->GetArtUserAttr(a, kArtSelected | kArtFullySelected, &attr), kNoErr);
    return attr;
  }
  std::vector<AIArtHandle> Selected() {
    int32_t count = 0;
    EXPECT_EQ(matching->GetSelectedArt(nullptr, 0, &count), kNoErr);
    std::vector<AIArtHandle> out(static_cast<std::size_t>(count));
    EXPECT_EQ(matching->GetSelectedArt(out.data(), count, &count), kNoErr);
    return out;
  }
};

TEST_F(SelectionTest, PathAttributesFollowSegmentSelection) {
  const AIArtHandle p = NewPath({Corner(0, 0), Corner(10, 0), Corner(20, 0)});
  EXPECT_EQ(Attr(p), 0);
  ASSERT_EQ(path->SetPathSegmentSelected(p, 1, kSegmentPointSelected), kNoErr);
  EXPECT_EQ(Attr(p), kArtSelected);
  ASSERT_EQ(art->SetArtUserAttr(p, kArtFullySelected, kArtFullySelected), kNoErr);
  EXPECT_EQ(Attr(p), kArtSelected | kArtFullySelected);
  for (int16_t i = 0; i < 3; ++i) {
    int16_t state = -1;
    EXPECT_EQ(path->GetPathSegmentSelected(p, i, &state), kNoErr);
    EXPECT_EQ(state, kSegmentPointSelected);
  }
  ASSERT_EQ(path->SetPathSegmentSelected(p, 2, kSegmentInSelected), kNoErr);
  EXPECT_EQ(Attr(p), kArtSelected);
  ASSERT_EQ(art->SetArtUserAttr(p, kArtSelected, 0), kNoErr);
  EXPECT_EQ(Attr(p), 0);
  EXPECT_EQ(path->SetPathSegmentSelected(p, 0, 5), kBadParameterErr);
  EXPECT_EQ(path->SetPathSegmentSelected(p, 3, 1), kIndexRangeErr);
}

TEST_F(SelectionTest, GroupsPassSelectionToMembersAndAreListedWhole) {
  AIArtHandle group = nullptr, a = nullptr, b = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceInsideOnTop, nullptr, &group), kNoErr);
  for (AIArtHandle* m : {&a, &b}) {
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceInsideOnTop, group, m), kNoErr);
    const AIPathSegment s = Corner(0, 0);
    path->SetPathSegmentCount(*m, 1);
    path->SetPathSegments(*m, 0, 1, &s);
  }
  const AIArtHandle loose = NewPath({Corner(5, 5)});

  ASSERT_EQ(art->SetArtUserAttr(group, kArtSelected, kArtSelected), kNoErr);
  EXPECT_EQ(Attr(a), kArtSelected | kArtFullySelected);
  EXPECT_EQ(Selected(), std::vector<AIArtHandle>{group});

  ASSERT_EQ(path->SetPathSegmentSelected(b, 0, kSegmentNotSelected), kNoErr);
  EXPECT_EQ(Attr(group), kArtSelected);
  EXPECT_EQ(Selected(), std::vector<AIArtHandle>{a});

  art->SetArtUserAttr(loose, kArtSelected, kArtSelected);
  EXPECT_EQ(Selected(), (std::vector<AIArtHandle>{loose, a}));
  ASSERT_EQ(matching->DeselectAll(), kNoErr);
  EXPECT_TRUE(Selected().empty());
}

TEST_F(SelectionTest, SelectedArtReportsTheFullCountBeyondCapacity) {
  const AIArtHandle a = NewPath({Corner(0, 0)});
  const AIArtHandle b = NewPath({Corner(1, 1)});
  art->SetArtUserAttr(a, kArtSelected, kArtSelected);
  art->SetArtUserAttr(b, kArtSelected, kArtSelected);
  AIArtHandle one[1] = {nullptr};
  int32_t count = 0;
  ASSERT_EQ(matching->GetSelectedArt(one, 1, &count), kNoErr);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(one[0], b);
  EXPECT_EQ(matching->GetSelectedArt(nullptr, 1, &count), kBadParameterErr);
}

}  // namespace
}  // namespace host::test
