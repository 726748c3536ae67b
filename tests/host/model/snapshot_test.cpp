// The document as a value: undo keeps a copy, compares it with == and puts
// it back.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "host/model/Document.h"
#include "suite_fixture.h"

namespace host::test {
namespace {

class SnapshotTest : public SuiteTest {};

// Every kind of change a plug-in message can make must make the document
// compare unequal to the copy taken before it.
TEST_F(SnapshotTest, EveryKindOfChangeIsSeen) {
  const AIArtHandle p = NewPath({Corner(0, 0), Corner(10, 0)});
  struct Case {
    std::string name;
    std::function<AIErr()> change;
  };
  const AIPathSegment moved = Corner(1, 0);
  const AIRealMatrix shift{1, 0, 0, 1, 5, 0};
  const std::vector<Case> cases = {
      {"NewArt", [&] { AIArtHandle a; return art->NewArt(kPathArt, kPlaceAbove, p, &a); }},
      {"MoveAnchor", [&] { return path->SetPathSegments(p, 0, 1, &moved); }},
      {"Close", [&] { return path->SetPathClosed(p, 1); }},
      {"SelectSegment", [&] { return path->SetPathSegmentSelected(p, 1, kSegmentPointSelected); }},
      {"Lock", [&] { return art->SetArtUserAttr(p, kArtLocked, kArtLocked); }},
      {"CentrePoint", [&] { return art->SetArtCenterPointVisible(p, 1); }},
      {"Transform", [&] { return transform->TransformArt(p, &shift, 1, kTransformObjects); }},
      {"DocumentEntry",
       [&] {
         AIDictionaryRef d;
         AIDictKey k;
         document->GetDictionary(&d);
         dictionary->Key("k", &k);
         const AIErr e = dictionary->SetRealEntry(d, k, 1);
         dictionary->Release(d);
         return e;
       }},
      {"Dispose", [&] { return art->DisposeArt(p); }},
  };
  for (const Case& c : cases) {
    const model::Document before = workspace.Snapshot();
    ASSERT_EQ(c.change(), kNoErr) << c.name;
    EXPECT_FALSE(workspace.Snapshot() == before) << c.name;
  }
}

TEST_F(SnapshotTest, RestoreBringsBackTheTreeAndItsHandles) {
  const AIArtHandle p = NewPath({Corner(0, 0), Corner(10, 0)});
  const model::Document before = workspace.Snapshot();
  EXPECT_TRUE(workspace.Snapshot() == before);

  ASSERT_EQ(art->DisposeArt(p), kNoErr);
  AIArtHandle extra = nullptr;
  ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAbove, nullptr, &extra), kNoErr);
  workspace.Restore(before);

  EXPECT_TRUE(workspace.Snapshot() == before);
  int16_t count = 0;
  EXPECT_EQ(path->GetPathSegmentCount(p, &count), kNoErr);
  EXPECT_EQ(count, 2);
  int16_t type = 0;
  EXPECT_EQ(art->GetArtType(extra, &type), kBadHandleErr);
}

TEST_F(SnapshotTest, ACopyIsIndependentOfTheLiveDocument) {
  const AIArtHandle p = NewPath({Corner(0, 0)});
  const model::Document before = workspace.Snapshot();
  const AIPathSegment moved = Corner(7, 7);
  path->SetPathSegments(p, 0, 1, &moved);
  EXPECT_EQ(before.art(model::ArtIdOf(p)).segments[0].p, (model::Point{0, 0}));
}

TEST(WorkspaceWithoutDocument, ReportsNoDocument) {
  Workspace ws(100, 100);
  EXPECT_FALSE(ws.HasDocument());
  try {
    ws.Snapshot();
    FAIL() << "a snapshot without a document";
  } catch (const HostError& e) {
    EXPECT_EQ(e.code(), kNoDocumentErr);
  }
  model::Document doc;
  doc.AddLayer("Only");
  ws.Restore(doc);
  EXPECT_TRUE(ws.HasDocument());
  EXPECT_TRUE(ws.Snapshot() == doc);
}

}  // namespace
}  // namespace host::test
