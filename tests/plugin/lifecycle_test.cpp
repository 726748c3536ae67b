// Start-up, shut-down, unload and reload of the real module, and the dialog
// layer's part in them.
#include <string>

#include "tests/plugin/PluginHost.h"

namespace plugin_test {
namespace {

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');

struct ExpectedNotifier {
  const char* name;
  const char* type;
};

// Registered inactive: no tool listens yet.
constexpr ExpectedNotifier kListenerNotifiers[] = {
    {"CorvaneSelChanged", kAIArtSelectionChangedNotifier},
    {"CorvaneModifierChanged", kAIToolModifiersChangedNotifier},
    {"CorvaneChangedNotifier", kAIDocumentChangedNotifier},
};

constexpr ExpectedNotifier kDialogLayerNotifiers[] = {
    {"QMDMUIUpdate", kAIUIBrightnessChangedNotifier},
    {"QMDMAppShutdown", kAIApplicationShutdownNotifier},
    {"QMDMAllPluginsStarted", kAIAllPluginStartedNotifier},
};

void ExpectNotifier(const host::Host& h, const ExpectedNotifier& expected, bool active) {
  SCOPED_TRACE(expected.name);
  const auto notifier = NotifierNamed(h, expected.name);
  ASSERT_TRUE(notifier.has_value());
  EXPECT_EQ(notifier->type, expected.type);
  EXPECT_EQ(notifier->active, active);
}

void ExpectFullyStarted(const host::Host& h) {
  EXPECT_EQ(h.Tools().size(), 14u);
  for (const ExpectedNotifier& n : kListenerNotifiers) ExpectNotifier(h, n, false);
  for (const ExpectedNotifier& n : kDialogLayerNotifiers) ExpectNotifier(h, n, true);
  EXPECT_TRUE(h.PluginHoldsAccess());
}

TEST(Lifecycle, StartupRegistersEverythingAndShutdownGivesEverythingBack) {
  LoadedHost h;
  ASSERT_EQ(h->Startup(), kNoErr);
  ExpectFullyStarted(*h);
  // The dialog layer takes its per-plug-in handle once every plug-in started.
  EXPECT_EQ(h->faults().CallCount(kAIUserSuite, "AcquirePluginHandle"), 1);

  ASSERT_EQ(h->Shutdown(), kNoErr);
  EXPECT_FALSE(h->PluginHoldsAccess());
  EXPECT_EQ(h->faults().CallCount(kAIUserSuite, "ReleasePluginHandle"), 1);
  EXPECT_EQ(h->LiveBlocks(), 0);
  EXPECT_EQ(h->suites().Outstanding(), 0);
}

// Whichever block the host refuses while the plug-in object is being built,
// nothing of it is kept and the plug-in stays without an object.
TEST(Lifecycle, AllocationFailureDuringStartupKeepsNoPluginObject) {
  // 0: every allocation; 1: the plug-in object; 2: the first tool; 15: the last tool.
  for (int nth : {0, 1, 2, 15}) {
    SCOPED_TRACE("failing allocation " + std::to_string(nth));
    LoadedHost h;
    h->faults().FailAllocation(nth);
    EXPECT_EQ(h->Startup(), kOutOfMemoryErr);
    EXPECT_EQ(h->LiveBlocks(), 0);
    EXPECT_TRUE(h->Tools().empty());
    EXPECT_TRUE(h->Annotators().empty());
    EXPECT_FALSE(NotifierNamed(*h, "CorvaneSelChanged").has_value());

    int unknown = 0;
    AIEvent event{};
    AIToolMessage msg{};
    msg.tool = reinterpret_cast<AIToolHandle>(&unknown);
    msg.event = &event;
    EXPECT_EQ(h->Send(kCallerAITool, kSelectorAISelectTool, &msg), kNoErr);
    EXPECT_EQ(h->CallDepth(), 0);

    // With memory back, start-up runs through.
    h->faults().Clear();
    ASSERT_EQ(h->Startup(), kNoErr);
    ExpectFullyStarted(*h);
  }
}

TEST(Lifecycle, FailingListenerNotifierRegistrationEndsStartupWithItsCode) {
  LoadedHost h;
  // The dialog layer adds three notifiers first; the fifth is the modifiers list's.
  h->faults().Fail(kAINotifierSuite, "AddNotifier", kInjected, 5);
  EXPECT_EQ(h->Startup(), kInjected);
  EXPECT_TRUE(NotifierNamed(*h, "CorvaneSelChanged").has_value());
  EXPECT_FALSE(NotifierNamed(*h, "CorvaneModifierChanged").has_value());
  EXPECT_TRUE(h->Tools().empty());
  EXPECT_EQ(h->CallDepth(), 0);
}

// The module stays mapped after its host is gone; a host session that ended
// without a shut-down must not leave the next one without a dialog layer or
// with references the new host never gave.
TEST(Lifecycle, SessionAfterAFailedStartupStartsClean) {
  struct Case {
    const char* name;
    const char* suite;
    const char* function;
    AIErr code;
    int nth;
  } cases[] = {
      {"the plug-in object cannot be allocated", host::FaultInjector::kBlocksSuite,
       host::FaultInjector::kAllocateFunction, kOutOfMemoryErr, 1},
      {"a listener notifier cannot be added", kAINotifierSuite, "AddNotifier", kInjected, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    {
      LoadedHost failed;
      failed->faults().Fail(c.suite, c.function, c.code, c.nth);
      EXPECT_EQ(failed->Startup(), c.code);
    }
    LoadedHost h;
    ASSERT_EQ(h->Startup(), kNoErr);
    ExpectFullyStarted(*h);
    ASSERT_EQ(h->Shutdown(), kNoErr);
    EXPECT_FALSE(h->PluginHoldsAccess());
    EXPECT_EQ(h->suites().Outstanding(), 0);
    EXPECT_EQ(h->LiveBlocks(), 0);
  }
}

TEST(Lifecycle, ShutdownGivesEverythingBackEvenWhenTheHostRefusesAStep) {
  StartedHost h;
  // The plug-in drops its own access reference first.
  h->faults().Fail(kSPAccessSuite, "ReleasePluginAccess", kInjected, 1);
  EXPECT_EQ(h->Shutdown(), kInjected);
  EXPECT_EQ(h->LiveBlocks(), 0);
  EXPECT_EQ(h->suites().Outstanding(), 0);
  EXPECT_EQ(h->faults().CallCount(kSPAccessSuite, "ReleasePluginAccess"), 2);
}

TEST(Lifecycle, UnloadAndReloadRebuildTheToolsBehindTheSameHandles) {
  StartedHost h;
  const std::vector<host::ToolInfo> tools = h->Tools();
  const int blocks = h->LiveBlocks();

  ASSERT_EQ(h->UnloadPlugin(), kNoErr);
  // The fourteen tool objects are gone; the plug-in object waits in the slot.
  EXPECT_EQ(h->LiveBlocks(), blocks - 14);
  ASSERT_EQ(h->ReloadPlugin(), kNoErr);
  EXPECT_EQ(h->LiveBlocks(), blocks);

  ASSERT_EQ(h->Tools().size(), tools.size());
  for (std::size_t i = 0; i < tools.size(); ++i) EXPECT_EQ(h->Tools()[i].handle, tools[i].handle);
  // The rebuilt objects answer: selecting one switches its annotator on.
  ASSERT_EQ(h->SelectTool("QM Arc by three points"), kNoErr);
  EXPECT_TRUE(AnnotatorNamed(*h, "QM Arc by three points")->active);

  ASSERT_EQ(h->Shutdown(), kNoErr);
  EXPECT_EQ(h->LiveBlocks(), 0);
  EXPECT_EQ(h->suites().Outstanding(), 0);
}

// After "Shutdown" the host's globals slot must not hand a freed plug-in
// object to the next "Reload".
TEST(Lifecycle, ReloadAfterShutdownBringsNoObjectBack) {
  StartedHost h;
  ASSERT_EQ(h->Shutdown(), kNoErr);
  ASSERT_EQ(h->ReloadPlugin(), kNoErr);
  EXPECT_EQ(h->LiveBlocks(), 0);
  // The tool handles of the first session reach no object now.
  AIEvent event{};
  AIToolMessage msg{};
  msg.tool = h->Tools().front().handle;
  msg.event = &event;
  EXPECT_EQ(h->Send(kCallerAITool, kSelectorAISelectTool, &msg), kNoErr);
  EXPECT_FALSE(h->Annotators().front().active);
}

// A start-up that fails part-way, after the dialog layer has started.
struct StartupFault {
  const char* name;
  const char* suite;
  const char* function;
  AIErr code;
  int nth;
  bool objectMade;  // the plug-in object existed when start-up failed

  AIErr FailStartup(host::Host& h) const {
    h.faults().Fail(suite, function, code, nth);
    const AIErr err = h.Startup();
    h.faults().Clear();
    return err;
  }
};

// The dialog layer adds three notifiers before the plug-in's first.
constexpr StartupFault kStartupFaults[] = {
    {"the plug-in object cannot be allocated", host::FaultInjector::kBlocksSuite,
     host::FaultInjector::kAllocateFunction, kOutOfMemoryErr, 1, false},
    {"the last tool cannot be allocated", host::FaultInjector::kBlocksSuite, host::FaultInjector::kAllocateFunction,
     kOutOfMemoryErr, 15, false},
    {"the first listener notifier cannot be added", kAINotifierSuite, "AddNotifier", kInjected, 4, true},
    {"the last listener notifier cannot be added", kAINotifierSuite, "AddNotifier", kInjected, 6, true},
};

int ThemeReads(host::Host& h) { return h.faults().CallCount(kAIUserInterfaceThemeSuite, "GetUIThemeColorSet"); }

// Reads both colour sets again when the host's interface brightness changes.
void ExpectTheLayerFollowsTheTheme(host::Host& h) {
  const int reads = ThemeReads(h);
  ASSERT_EQ(h.SetUIBrightness(h.UIBrightness() < 0.5 ? 1.0 : 0.0), kNoErr);
  EXPECT_EQ(ThemeReads(h), reads + 2);
}

// The plug-in's reference on itself keeps it loaded until "Shutdown", which a
// failed start-up never gets: only the dialog layer's reference is held.
TEST(Lifecycle, AFailedStartupTakesNoReferenceOnThePluginItself) {
  for (const StartupFault& fault : kStartupFaults) {
    SCOPED_TRACE(fault.name);
    LoadedHost h;
    EXPECT_EQ(fault.FailStartup(*h), fault.code);
    const int held = h->faults().CallCount(kSPAccessSuite, "AcquirePluginAccess") -
                     h->faults().CallCount(kSPAccessSuite, "ReleasePluginAccess");
    EXPECT_EQ(held, 1);
  }
}

// "Unload" keeps a plug-in object (of a start-up, or of one that failed after
// making it) for "Reload"; the dialog layer started with it must go on
// answering brightness changes.
TEST(Lifecycle, AfterUnloadAndReloadTheDialogLayerStillFollowsTheTheme) {
  {
    SCOPED_TRACE("after a start-up");
    StartedHost h;
    ASSERT_EQ(h->UnloadPlugin(), kNoErr);
    ASSERT_EQ(h->ReloadPlugin(), kNoErr);
    ExpectTheLayerFollowsTheTheme(*h);
    ASSERT_EQ(h->Shutdown(), kNoErr);
    EXPECT_FALSE(h->PluginHoldsAccess());
    EXPECT_EQ(h->suites().Outstanding(), 0);
  }
  for (const StartupFault& fault : kStartupFaults) {
    if (!fault.objectMade) continue;
    SCOPED_TRACE(fault.name);
    LoadedHost h;
    EXPECT_EQ(fault.FailStartup(*h), fault.code);
    const int blocks = h->LiveBlocks();
    ASSERT_EQ(h->UnloadPlugin(), kNoErr);
    ASSERT_EQ(h->ReloadPlugin(), kNoErr);
    // The object came back from the globals slot with its tools rebuilt.
    EXPECT_EQ(h->LiveBlocks(), blocks);
    ExpectTheLayerFollowsTheTheme(*h);
  }
}

// Without a plug-in object nothing would stop the dialog layer later, so
// "Unload" gives back all it holds; nothing of the failed start is left to
// the next one.
TEST(Lifecycle, UnloadAfterAStartupThatMadeNoObjectLeavesNothingBehind) {
  for (const StartupFault& fault : kStartupFaults) {
    if (fault.objectMade) continue;
    SCOPED_TRACE(fault.name);
    LoadedHost h;
    EXPECT_EQ(fault.FailStartup(*h), fault.code);
    ASSERT_EQ(h->UnloadPlugin(), kNoErr);
    EXPECT_FALSE(h->PluginHoldsAccess());
    EXPECT_FALSE(h->PluginLoaded());
    EXPECT_EQ(h->suites().Outstanding(), 0);
    EXPECT_EQ(h->LiveBlocks(), 0);

    ASSERT_EQ(h->ReloadPlugin(), kNoErr);
    ASSERT_EQ(h->Startup(), kNoErr);
    ExpectFullyStarted(*h);
    ExpectTheLayerFollowsTheTheme(*h);
    ASSERT_EQ(h->Shutdown(), kNoErr);
    EXPECT_FALSE(h->PluginHoldsAccess());
    EXPECT_EQ(h->suites().Outstanding(), 0);
    EXPECT_EQ(h->LiveBlocks(), 0);
  }
}

TEST(Lifecycle, BrightnessChangeRereadsTheThemeColours) {
  StartedHost h;
  const int reads = h->faults().CallCount(kAIUserInterfaceThemeSuite, "GetUIThemeColorSet");
  ASSERT_EQ(h->SetUIBrightness(h->UIBrightness() < 0.5 ? 1.0 : 0.0), kNoErr);
  EXPECT_EQ(h->faults().CallCount(kAIUserInterfaceThemeSuite, "GetUIThemeColorSet"), reads + 2);

  h->faults().Fail(kAIUserInterfaceThemeSuite, "GetUIThemeColorSet", kInjected, 1);
  EXPECT_EQ(h->SetUIBrightness(h->UIBrightness() < 0.5 ? 1.0 : 0.0), kInjected);
  EXPECT_EQ(h->CallDepth(), 0);
}

}  // namespace
}  // namespace plugin_test
