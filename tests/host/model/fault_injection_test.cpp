// Planned failures through SuiteCall: the failing call returns the planned
// code before doing anything.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "suite_fixture.h"

namespace host::test {
namespace {

class FaultInjectionTest : public SuiteTest {};

TEST_F(FaultInjectionTest, TheNthCallFailsWithItsCodeAndChangesNothing) {
  const AIArtHandle p = NewPath({Corner(0, 0), Corner(10, 0)});
  faults.Fail(kAIPathSuite, "SetPathSegments", kOutOfMemoryErr, 2);
  const AIPathSegment a = Corner(1, 1), b = Corner(2, 2);

  ASSERT_EQ(path->SetPathSegments(p, 0, 1, &a), kNoErr);
  const model::Document before = workspace.Snapshot();
  EXPECT_EQ(path->SetPathSegments(p, 0, 1, &b), kOutOfMemoryErr);
  EXPECT_TRUE(workspace.Snapshot() == before);
  EXPECT_EQ(path->SetPathSegments(p, 0, 1, &b), kNoErr);  // planned once
  EXPECT_EQ(faults.FailuresInjected(), 1);
}

// Calls that hand out references or create art must not leave any behind
// when they are failed.
TEST_F(FaultInjectionTest, FailedCallsLeaveNoArtAndNoReferences) {
  NewPath({Corner(0, 0), Corner(10, 0)});
  struct Case {
    const char* suite;
    const char* function;
    std::function<AIErr()> call;
  };
  const AIRealPoint q{5, 0}, a{0, 0}, b{10, 10};
  const Case cases[] = {
      {kAIHitTestSuite, "HitTest", [&] { AIHitRef r; return hits->HitTest(nullptr, &q, kAllHitRequest, &r); }},
      {kAIDocumentSuite, "GetDictionary", [&] { AIDictionaryRef d; return document->GetDictionary(&d); }},
      {kAIArtSuite, "NewArt", [&] { AIArtHandle n; return art->NewArt(kPathArt, kPlaceAbove, nullptr, &n); }},
      {kAIShapeConstructionSuite, "NewPointPointOval",
       [&] { AIArtHandle n; return shapes->NewPointPointOval(&a, &b, 0, 0, 0, &n); }},
      {kAIMatchingArtSuite, "DeselectAll", [&] { return matching->DeselectAll(); }},
  };
  for (const Case& c : cases) {
    faults.Fail(c.suite, c.function, kBadParameterErr, 1);
    const int callsBefore = faults.CallCount(c.suite, c.function);
    const model::Document before = workspace.Snapshot();
    EXPECT_EQ(c.call(), kBadParameterErr) << c.function;
    EXPECT_TRUE(workspace.Snapshot() == before) << c.function;
    EXPECT_EQ(workspace.LiveHitRefs(), 0) << c.function;
    EXPECT_EQ(workspace.LiveDictionaryRefs(), 0) << c.function;
    EXPECT_EQ(faults.CallCount(c.suite, c.function), callsBefore + 1) << c.function;
  }
}

}  // namespace
}  // namespace host::test
