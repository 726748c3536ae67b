// The message protocol: the order of lifecycle messages, the header, the
// globals slot, nested calls and failures coming back from the plug-in.
#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/host/runtime/RuntimeHarness.h"
#include "tests/host/runtime/fixture/FixtureControl.h"

namespace host::testing {
namespace {

using Lines = std::vector<std::string>;

// Registers notifiers at start-up as the plug-in would; `inactive` is
// switched off at once and must never be told.
void RegisterNotifiersAtStartup(FixtureModule& plugin, std::vector<std::string>& told) {
  plugin.On(kSPInterfaceCaller, kSPInterfaceStartupSelector, [](void* message) -> SPErr {
    const auto* h = static_cast<SPMessageData*>(message);
    Acquired<AINotifierSuite> notifiers(h->basic, kAINotifierSuite, kAINotifierSuiteVersion);
    AINotifierHandle started = nullptr, quitting = nullptr, inactive = nullptr;
    if (AIErr e = notifiers->AddNotifier(h->self, "started", kAIAllPluginStartedNotifier, &started)) return e;
    if (AIErr e = notifiers->AddNotifier(h->self, "quitting", kAIApplicationShutdownNotifier, &quitting)) return e;
    if (AIErr e = notifiers->AddNotifier(h->self, "inactive", kAIAllPluginStartedNotifier, &inactive)) return e;
    return notifiers->SetNotifierActive(inactive, false);
  });
  plugin.On(kCallerAINotify, kSelectorAINotify, [&told](void* message) -> SPErr {
    const auto* m = static_cast<AINotifierMessage*>(message);
    Acquired<AINotifierSuite> notifiers(m->d.basic, kAINotifierSuite, kAINotifierSuiteVersion);
    AIBoolean active = 0;
    EXPECT_EQ(notifiers->GetNotifierActive(m->notifier, &active), kNoErr);
    EXPECT_TRUE(active);
    told.push_back(m->type);
    return kNoErr;
  });
}

TEST_F(RuntimeTest, LifecycleMessagesArriveInProtocolOrder) {
  std::vector<std::string> told;
  RegisterNotifiersAtStartup(plugin_, told);
  Host& host = StartHost();
  EXPECT_EQ(host.Shutdown(), kNoErr);
  EXPECT_EQ(plugin_.Log(), (Lines{"SP Access/Reload", "SP Interface/Startup", "AI Notifier/AI Notify",
                                  "AI Notifier/AI Notify", "SP Interface/Shutdown", "SP Access/Unload"}));
  EXPECT_EQ(told, (Lines{kAIAllPluginStartedNotifier, kAIApplicationShutdownNotifier}));
  EXPECT_THROW(host.Send(kTestCaller, kTestSelector, nullptr), HostError) << "nothing is sent after Unload";
}

TEST_F(RuntimeTest, FailedStartupIsReportedAndNotFollowedByTheStartedNotifier) {
  int told = 0;
  plugin_.On(kSPInterfaceCaller, kSPInterfaceStartupSelector, [](void* message) -> SPErr {
    const auto* h = static_cast<SPMessageData*>(message);
    Acquired<AINotifierSuite> notifiers(h->basic, kAINotifierSuite, kAINotifierSuiteVersion);
    AINotifierHandle started = nullptr;
    EXPECT_EQ(notifiers->AddNotifier(h->self, "started", kAIAllPluginStartedNotifier, &started), kNoErr);
    return kOutOfMemoryErr;
  });
  plugin_.On(kCallerAINotify, kSelectorAINotify, [&](void*) -> SPErr { return ++told, kNoErr; });
  host_ = std::make_unique<Host>(Options());
  host_->LoadPlugin(kFixturePlugin);
  EXPECT_EQ(host_->Startup(), kOutOfMemoryErr);
  host_.reset();
  EXPECT_EQ(told, 0);
  EXPECT_EQ(plugin_.Log(), (Lines{"SP Access/Reload", "SP Interface/Startup", "SP Access/Unload"}))
      << "a plug-in that never started is not shut down, only unloaded";
}

TEST_F(RuntimeTest, HeaderCarriesCheckWordReferenceAndKeepsTheGlobalsSlot) {
  int state = 0;
  plugin_.On(kSPInterfaceCaller, kSPInterfaceStartupSelector, [&](void* message) -> SPErr {
    static_cast<SPMessageData*>(message)->globals = &state;
    return kNoErr;
  });
  std::vector<void*> seen;
  for (const char* selector : {kSPAccessUnloadSelector, kSPAccessReloadSelector})
    plugin_.On(kSPAccessCaller, selector, [&](void* message) -> SPErr {
      seen.push_back(static_cast<SPMessageData*>(message)->globals);
      return kNoErr;
    });
  Host& host = StartHost();
  const SPPluginRef ref = host.PluginRef();
  ASSERT_NE(ref, nullptr);
  EXPECT_EQ(RunInPlugin([&](SPMessageData& h) -> AIErr {
              EXPECT_EQ(h.SPCheck, kSPValidSPMessageData);
              EXPECT_EQ(h.self, ref);
              EXPECT_EQ(h.globals, &state);
              return kNoErr;
            }),
            kNoErr);
  EXPECT_EQ(host.UnloadPlugin(), kNoErr);
  EXPECT_EQ(host.ReloadPlugin(), kNoErr);
  EXPECT_EQ(host.PluginRef(), ref) << "registrations made before the unload still belong to the plug-in";
  EXPECT_EQ(seen, (std::vector<void*>{nullptr, &state, &state})) << "empty at the first Reload, then kept";
  for (const std::string& line : plugin_.Log()) EXPECT_NE(line, kFixtureBadHeaderLine);
}

TEST_F(RuntimeTest, NestedSendRunsInsideTheOuterCallAndReturnsItsCode) {
  Host& host = StartHost();
  constexpr AIErr kInner = SP_FOURCC('I', 'N', 'N', 'R');
  int innerDepth = 0;
  plugin_.On(kTestCaller, "Nested", [&](void*) -> SPErr {
    innerDepth = host.CallDepth();
    return kInner;
  });
  EXPECT_EQ(RunInPlugin([&](SPMessageData&) -> AIErr {
              EXPECT_EQ(host.CallDepth(), 1);
              SPMessageData nested{};
              const AIErr inner = host.Send(kTestCaller, "Nested", &nested);
              EXPECT_EQ(host.CallDepth(), 1);
              return inner;
            }),
            kInner);
  EXPECT_EQ(innerDepth, 2);
  EXPECT_EQ(host.CallDepth(), 0);
}

TEST_F(RuntimeTest, ExceptionEscapingThePluginBecomesBadParameter) {
  Host& host = StartHost();
  EXPECT_EQ(RunInPlugin([](SPMessageData&) -> AIErr { throw std::runtime_error("plug-in bug"); }), kBadParameterErr);
  EXPECT_EQ(host.CallDepth(), 0);
  EXPECT_EQ(RunInPlugin([](SPMessageData&) -> AIErr { return kNoErr; }), kNoErr) << "the host keeps working";
}

TEST_F(RuntimeTest, TransformAgainGoesOnlyToThePluginThatAskedForIt) {
  Host& host = StartHost();
  EXPECT_EQ(host.TransformAgain(), kNoErr);
  EXPECT_EQ(plugin_.Log().back(), "SP Interface/Startup") << "nothing sent before anyone registered";
  EXPECT_EQ(RunInPlugin([](SPMessageData& h) {
              Acquired<AITransformAgainSuite> again(h.basic, kAITransformAgainSuite, kAITransformAgainSuiteVersion);
              return again->SetTransformAgain(h.self);
            }),
            kNoErr);
  EXPECT_EQ(host.TransformAgain(), kNoErr);
  EXPECT_EQ(plugin_.Log().back(), "AI Transform Again/AI Go");
}

}  // namespace
}  // namespace host::testing
