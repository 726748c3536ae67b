// Listener lists, run in the test process on the stand-in host's suites: no
// tool joins a list through host messages yet.
#include <memory>
#include <vector>

#include "host/runtime/Suites.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tests/plugin/PluginHost.h"
#include "tools/framework/NotifierList.h"
#include "tools/framework/NotifyHandler.h"

namespace plugin_test {
namespace {

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');
constexpr const char* kListName = "TestListNotifier";

struct Listener {
  Listener(int id, std::vector<int>& log) : id(id), log(log) {}
  void OnNotify(AINotifierMessage*) {
    log.push_back(id);
    if (leaveFrom) leaveFrom->Leave(&handler);
  }

  int id;
  std::vector<int>& log;
  Tools::NotifierList* leaveFrom = nullptr;  // leaves while being notified
  Tools::NotifyHandler<Listener> handler{*this, &Listener::OnNotify};
};

// One host call of the test process, with a list on a notifier of its own.
class NotifierListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AINotifierHandle handle = nullptr;
    ASSERT_EQ(ai::Suites().Notifier().AddNotifier(host_->PluginRef(), kListName, kAIArtSelectionChangedNotifier,
                                                  &handle),
              kNoErr);
    ASSERT_EQ(ai::Suites().Notifier().SetNotifierActive(handle, false), kNoErr);
    list_.SetHandle(handle);
  }

  Listener& AddListener() {
    listeners_.push_back(std::make_unique<Listener>(static_cast<int>(listeners_.size()), log_));
    return *listeners_.back();
  }
  bool Active() const { return NotifierNamed(*host_, kListName)->active; }
  void Dispatch(AINotifierHandle handle) {
    AINotifierMessage message{};
    message.notifier = handle;
    list_.Dispatch(&message);
  }

  LoadedHost host_;
  ai::HostCallScope call_{&host::runtime::BasicSuite()};
  Tools::NotifierList list_;
  std::vector<std::unique_ptr<Listener>> listeners_;
  std::vector<int> log_;
};

TEST_F(NotifierListTest, NotifierIsActiveExactlyWhileTheListHasMembers) {
  Listener& a = AddListener();
  Listener& b = AddListener();
  list_.Join(&a.handler);
  EXPECT_TRUE(Active());
  list_.Join(&b.handler);
  list_.Join(&a.handler);
  EXPECT_EQ(list_.size(), 2u);
  list_.Leave(&a.handler);
  EXPECT_TRUE(Active());
  list_.Leave(&b.handler);
  EXPECT_FALSE(Active());
  list_.Leave(&b.handler);
  EXPECT_EQ(list_.size(), 0u);
}

TEST_F(NotifierListTest, GrowsInHostMemoryAndNotifiesInJoinOrder) {
  const int blocksBefore = host_->LiveBlocks();
  for (int i = 0; i < 10; ++i) list_.Join(&AddListener().handler);
  // Grown past its first block several times, each time into a new block
  // with the old one given back.
  EXPECT_EQ(host_->LiveBlocks(), blocksBefore + 1);
  Dispatch(list_.handle());
  EXPECT_EQ(log_, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  list_.FreeStorage();
  EXPECT_EQ(host_->LiveBlocks(), blocksBefore);
}

TEST_F(NotifierListTest, DispatchesOnlyItsOwnNotifierAndSurvivesAMemberLeaving) {
  for (int i = 0; i < 4; ++i) list_.Join(&AddListener().handler);
  listeners_[1]->leaveFrom = &list_;
  int other = 0;
  Dispatch(reinterpret_cast<AINotifierHandle>(&other));
  Dispatch(nullptr);
  EXPECT_TRUE(log_.empty());

  Dispatch(list_.handle());
  EXPECT_EQ(log_, (std::vector<int>{0, 1, 2, 3}));
  log_.clear();
  Dispatch(list_.handle());
  EXPECT_EQ(log_, (std::vector<int>{0, 2, 3}));
}

TEST_F(NotifierListTest, RefusedSwitchLeavesTheListAsItWas) {
  Listener& a = AddListener();
  host_->faults().Fail(kAINotifierSuite, "SetNotifierActive", kInjected, 1);
  try {
    list_.Join(&a.handler);
    ADD_FAILURE() << "the refused activation was not reported";
  } catch (const ai::Error& e) {
    EXPECT_EQ(e.code(), kInjected);
  }
  EXPECT_EQ(list_.size(), 0u);
  EXPECT_FALSE(Active());

  list_.Join(&a.handler);
  host_->faults().Fail(kAINotifierSuite, "SetNotifierActive", kInjected, 1);
  EXPECT_THROW(list_.Leave(&a.handler), ai::Error);
  EXPECT_EQ(list_.size(), 1u);
  EXPECT_TRUE(Active());
}

// Clearing happens when the members' owners are destroyed: they must be
// gone from the list even when the host refuses the deactivation.
TEST_F(NotifierListTest, ClearDropsMembersEvenWhenDeactivationIsRefused) {
  list_.Join(&AddListener().handler);
  list_.Join(&AddListener().handler);
  host_->faults().Fail(kAINotifierSuite, "SetNotifierActive", kInjected, 1);
  EXPECT_THROW(list_.Clear(), ai::Error);
  EXPECT_EQ(list_.size(), 0u);
  Dispatch(list_.handle());
  EXPECT_TRUE(log_.empty());
}

}  // namespace
}  // namespace plugin_test
