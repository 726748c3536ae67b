// Undo per outermost message: the document before a message comes back
// exactly, redo re-applies the message, and nested messages share its step.
#include <gtest/gtest.h>

#include <vector>

#include "host/model/Document.h"
#include "tests/host/runtime/RuntimeHarness.h"

namespace host::testing {
namespace {

class UndoTest : public RuntimeTest {
 protected:
  void SetUp() override {
    StartHost();
    host_->NewDocument();
    ASSERT_EQ(RunInPlugin([](SPMessageData& h) { return AddLine(h, {0, 0}, {10, 10}); }), kNoErr);
    start_ = host_->document();
  }
  model::Document start_;
};

TEST_F(UndoTest, UndoRestoresTheDocumentExactlyAndRedoReappliesTheMessage) {
  ASSERT_EQ(RunInPlugin([](SPMessageData& h) { return AddLine(h, {20, 0}, {30, 40}); }), kNoErr);
  const model::Document after = host_->document();
  ASSERT_FALSE(after == start_);
  const std::size_t depth = host_->UndoDepth();

  EXPECT_TRUE(host_->Undo());
  EXPECT_TRUE(host_->document() == start_);
  EXPECT_EQ(host_->UndoDepth(), depth - 1);
  EXPECT_TRUE(host_->Redo());
  EXPECT_TRUE(host_->document() == after);
  EXPECT_FALSE(host_->Redo()) << "nothing more to redo";
}

TEST_F(UndoTest, NestedMessagesFormOneStepWithTheOuterOne) {
  const std::size_t depth = host_->UndoDepth();
  plugin_.On(kTestCaller, "Nested", [](void* message) -> SPErr {
    return AddLine(*static_cast<SPMessageData*>(message), {50, 50}, {60, 60});
  });
  ASSERT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              if (AIErr e = AddLine(h, {20, 0}, {30, 40})) return e;
              SPMessageData nested{};
              return host_->Send(kTestCaller, "Nested", &nested);
            }),
            kNoErr);
  EXPECT_EQ(host_->UndoDepth(), depth + 1);
  EXPECT_TRUE(host_->Undo());
  EXPECT_TRUE(host_->document() == start_) << "one undo takes back both messages";
}

TEST_F(UndoTest, MessagesThatChangeNothingLeaveNoStepAndANewStepClearsRedo) {
  const std::size_t depth = host_->UndoDepth();
  ASSERT_EQ(RunInPlugin([](SPMessageData&) -> AIErr { return kNoErr; }), kNoErr);
  EXPECT_EQ(host_->UndoDepth(), depth);

  ASSERT_TRUE(host_->Undo());
  ASSERT_EQ(RunInPlugin([](SPMessageData& h) { return AddLine(h, {1, 1}, {2, 2}); }), kNoErr);
  EXPECT_FALSE(host_->Redo()) << "the undone step was replaced";
}

TEST_F(UndoTest, AFailedMessageStillLeavesItsChangesUndoable) {
  ASSERT_EQ(RunInPlugin([](SPMessageData& h) -> AIErr {
              AddLine(h, {20, 0}, {30, 40});
              return kLockedErr;
            }),
            kLockedErr);
  ASSERT_FALSE(host_->document() == start_);
  EXPECT_TRUE(host_->Undo());
  EXPECT_TRUE(host_->document() == start_);
}


TEST_F(RuntimeTest, TheHistoryKeepsOnlyItsNewestSteps) {
  HostOptions options = Options();
  options.undoSteps = 3;
  StartHost(options);
  host_->NewDocument();
  std::vector<model::Document> states{host_->document()};
  for (float x = 0; x < 5; ++x) {
    ASSERT_EQ(RunInPlugin([&](SPMessageData& h) { return AddLine(h, {x, 0}, {x, 10}); }), kNoErr);
    states.push_back(host_->document());
  }
  EXPECT_EQ(host_->UndoDepth(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(host_->Undo());
  EXPECT_FALSE(host_->Undo()) << "the two oldest steps were dropped";
  EXPECT_TRUE(host_->document() == states[2]);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(host_->Redo());
  EXPECT_TRUE(host_->document() == states[5]);
}

// Steps past the byte bound go oldest first, but the newest step stays
// undoable however big it is.
TEST_F(RuntimeTest, TheHistoryKeepsWithinItsByteBoundButAlwaysTheNewestStep) {
  HostOptions options = Options();
  options.undoBytes = 1;
  StartHost(options);
  host_->NewDocument();
  std::vector<model::Document> states{host_->document()};
  for (float x = 0; x < 3; ++x) {
    ASSERT_EQ(RunInPlugin([&](SPMessageData& h) { return AddLine(h, {x, 0}, {x, 10}); }), kNoErr);
    states.push_back(host_->document());
  }
  EXPECT_EQ(host_->UndoDepth(), 1u);
  EXPECT_TRUE(host_->Undo());
  EXPECT_TRUE(host_->document() == states[2]);
  EXPECT_FALSE(host_->Undo());
  EXPECT_TRUE(host_->Redo());
  EXPECT_TRUE(host_->document() == states[3]);
}

}  // namespace
}  // namespace host::testing
