// PIMain's dispatch seen from the host: routing by handle, the exception
// boundary, the suite set's life across nested calls, unknown messages.
#include <functional>
#include <map>
#include <string>

#include "host/model/Document.h"
#include "hostcall/SuiteList.h"
#include "tests/plugin/PluginHost.h"

namespace plugin_test {
namespace {

constexpr AIErr kInjected = SP_FOURCC('X', 'Y', 'Z', 'W');

std::map<std::string, int> AcquireCounts(const host::Host& h) {
  std::map<std::string, int> counts;
#define CORVANE_COUNT_SUITE(Type, Accessor, Name, Version) counts[Name] = h.suites().AcquireCount(Name);
  CORVANE_SUITES(CORVANE_COUNT_SUITE)
#undef CORVANE_COUNT_SUITE
  return counts;
}

// Everything a message that reaches no plug-in object must leave alone.
struct Observation {
  std::map<std::string, int> acquired;
  int outstanding = 0;
  int liveBlocks = 0;
  std::vector<bool> annotators;
  host::model::Document document;

  static Observation Of(host::Host& h) {
    return {AcquireCounts(h), h.suites().Outstanding(), h.LiveBlocks(), AnnotatorStates(h), h.document()};
  }
};

// The suites every PIMain call takes at once when it starts.
void ExpectOnlyCallSuitesTaken(const Observation& before, const Observation& after) {
  for (const auto& [name, count] : after.acquired) {
    const bool takenAtOnce = name == kAIUnicodeStringSuite || name == kSPBlocksSuite;
    EXPECT_EQ(count - before.acquired.at(name), takenAtOnce ? 1 : 0) << name;
  }
  EXPECT_EQ(after.outstanding, before.outstanding);
  EXPECT_EQ(after.liveBlocks, before.liveBlocks);
  EXPECT_EQ(after.annotators, before.annotators);
  EXPECT_TRUE(after.document == before.document);
}

struct UnknownHandleCase {
  const char* name;
  std::function<AIErr(host::Host&, void* handle)> send;
};

const UnknownHandleCase kUnknownHandleCases[] = {
    {"tool select", [](host::Host& h, void* handle) {
       AIEvent event{};
       AIToolMessage msg{};
       msg.tool = static_cast<AIToolHandle>(handle);
       msg.event = &event;
       return h.Send(kCallerAITool, kSelectorAISelectTool, &msg);
     }},
    {"tool mouse down", [](host::Host& h, void* handle) {
       AIEvent event{};
       AIToolMessage msg{};
       msg.tool = static_cast<AIToolHandle>(handle);
       msg.event = &event;
       return h.Send(kCallerAITool, kSelectorAIToolMouseDown, &msg);
     }},
    {"annotation draw", [](host::Host& h, void* handle) {
       AIAnnotatorMessage msg{};
       msg.annotator = static_cast<AIAnnotatorHandle>(handle);
       return h.Send(kCallerAIAnnotation, kSelectorAIDrawAnnotation, &msg);
     }},
    {"annotation invalidate", [](host::Host& h, void* handle) {
       AIAnnotatorMessage msg{};
       msg.annotator = static_cast<AIAnnotatorHandle>(handle);
       return h.Send(kCallerAIAnnotation, kSelectorAIInvalAnnotation, &msg);
     }},
    {"menu go", [](host::Host& h, void* handle) {
       AIMenuMessage msg{};
       msg.menuItem = static_cast<AIMenuItemHandle>(handle);
       return h.Send(kCallerAIMenu, kSelectorAIGoMenuItem, &msg);
     }},
    {"notify", [](host::Host& h, void* handle) {
       AINotifierMessage msg{};
       msg.notifier = static_cast<AINotifierHandle>(handle);
       msg.type = kAIArtSelectionChangedNotifier;
       return h.Send(kCallerAINotify, kSelectorAINotify, &msg);
     }},
};

TEST(Dispatch, MessagesForUnknownHandlesReturnZeroAndTouchNothing) {
  StartedHost h;
  int notAHostObject = 0;
  for (void* handle : {static_cast<void*>(&notAHostObject), static_cast<void*>(nullptr)}) {
    for (const UnknownHandleCase& c : kUnknownHandleCases) {
      SCOPED_TRACE(std::string(c.name) + (handle ? ", unknown handle" : ", null handle"));
      const Observation before = Observation::Of(*h);
      EXPECT_EQ(c.send(*h, handle), kNoErr);
      ExpectOnlyCallSuitesTaken(before, Observation::Of(*h));
    }
  }
}

// A tool the host refused keeps an empty handle; a message with an empty
// handle must not reach it.
TEST(Dispatch, RefusedToolNeverReceivesMessages) {
  LoadedHost h;
  h->faults().Fail(kAIToolSuite, "AddTool", kInjected, 1);
  ASSERT_EQ(h->Startup(), kNoErr);
  ASSERT_EQ(h->Tools().size(), 13u);
  const std::vector<bool> before = AnnotatorStates(*h);

  AIEvent event{};
  AIToolMessage msg{};
  msg.tool = nullptr;
  msg.event = &event;
  EXPECT_EQ(h->Send(kCallerAITool, kSelectorAISelectTool, &msg), kNoErr);
  EXPECT_EQ(AnnotatorStates(*h), before);
}

TEST(Dispatch, UnknownCallersAndSelectorsReturnZero) {
  StartedHost h;
  const host::ToolInfo tool = *ToolTitled(*h, "QM Connect");
  const host::AnnotatorInfo annotator = *AnnotatorNamed(*h, "QM Connect");
  const struct {
    const char* caller;
    const char* selector;
  } cases[] = {
      {"Not A Caller", kSPInterfaceStartupSelector},
      {nullptr, kSPInterfaceStartupSelector},
      {kSPAccessCaller, kSPInterfaceStartupSelector},
      {kSPInterfaceCaller, kSPAccessReloadSelector},
      {kSPInterfaceCaller, nullptr},
      {kCallerAITool, "AI Not A Tool Event"},
      {kCallerAIAnnotation, kSelectorAIToolMouseDown},
      {kCallerAINotify, kSelectorAIGoMenuItem},
      {kCallerAITransformAgain, kSelectorAIUpdateMenuItem},
      {kCallerAITransformAgain, kSelectorAITransformAgainGo},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.caller ? c.caller : "(null)") + " / " + (c.selector ? c.selector : "(null)"));
    // One record that fits every caller: a known tool and annotator handle.
    AIEvent event{};
    AIAnnotatorMessage msg{};
    msg.annotator = annotator.handle;
    const auto before = Observation::Of(*h);
    const std::size_t tools = h->Tools().size();
    const std::size_t notifiers = h->Notifiers().size();
    if (c.caller && std::string(c.caller) == kCallerAITool) {
      AIToolMessage toolMsg{};
      toolMsg.tool = tool.handle;
      toolMsg.event = &event;
      EXPECT_EQ(h->Send(c.caller, c.selector, &toolMsg), kNoErr);
    } else {
      EXPECT_EQ(h->Send(c.caller, c.selector, &msg), kNoErr);
    }
    ExpectOnlyCallSuitesTaken(before, Observation::Of(*h));
    EXPECT_EQ(h->Tools().size(), tools);
    EXPECT_EQ(h->Notifiers().size(), notifiers);
    EXPECT_TRUE(h->PluginHoldsAccess());
  }
}

// Callers and selectors are host tokens: equal text at another address must
// route the same way.
TEST(Dispatch, ComparesCallerAndSelectorByContent) {
  StartedHost h;
  const host::ToolInfo tool = *ToolTitled(*h, "QM Straighten");
  const std::string caller = kCallerAITool;
  const std::string selector = kSelectorAISelectTool;
  AIEvent event{};
  AIToolMessage msg{};
  msg.tool = tool.handle;
  msg.event = &event;
  ASSERT_EQ(h->Send(caller.c_str(), selector.c_str(), &msg), kNoErr);
  EXPECT_TRUE(AnnotatorNamed(*h, "QM Straighten")->active);
}

TEST(Dispatch, SelectAndDeselectSwitchTheToolsAnnotator) {
  StartedHost h;
  ASSERT_EQ(h->SelectTool("QM Tangent Line"), kNoErr);
  EXPECT_TRUE(AnnotatorNamed(*h, "QM Tangent Line")->active);
  ASSERT_EQ(h->SelectTool("QM Orient"), kNoErr);
  EXPECT_FALSE(AnnotatorNamed(*h, "QM Tangent Line")->active);
  EXPECT_TRUE(AnnotatorNamed(*h, "QM Orient")->active);
  EXPECT_EQ(h->DrawAnnotations(), kNoErr);
}

struct FailureCase {
  const char* name;
  const char* suite;
  const char* function;
  AIErr injected;
  AIErr returned;
};

const FailureCase kFailureCases[] = {
    {"host call fails", kAIAnnotatorSuite, "SetAnnotatorActive", kInjected, kInjected},
    {"out of memory in a host call", kAIAnnotatorSuite, "SetAnnotatorActive", kOutOfMemoryErr, kOutOfMemoryErr},
    // A suite that cannot be acquired is a bad parameter, whatever the host said.
    {"suite cannot be acquired", kAIAnnotatorSuite, host::FaultInjector::kAcquireFunction, kSPSuiteNotFoundError,
     kBadParameterErr},
};

TEST(Dispatch, HostFailureInsideAHandlerIsReturnedAndEverythingReleased) {
  for (const FailureCase& c : kFailureCases) {
    SCOPED_TRACE(c.name);
    StartedHost h;
    const int heldBetweenCalls = h->suites().Outstanding();
    h->faults().Fail(c.suite, c.function, c.injected, 1);
    EXPECT_EQ(h->SelectTool("QM Connect"), c.returned);
    EXPECT_EQ(h->CallDepth(), 0);
    EXPECT_EQ(h->suites().Outstanding(kAIAnnotatorSuite), 0);
    EXPECT_EQ(h->suites().Outstanding(kAIUnicodeStringSuite), 0);
    EXPECT_EQ(h->suites().Outstanding(kSPBlocksSuite), 0);
    EXPECT_EQ(h->suites().Outstanding(), heldBetweenCalls);
    // The next message works as if nothing had happened.
    EXPECT_EQ(h->SelectTool("QM Orient"), kNoErr);
    EXPECT_TRUE(AnnotatorNamed(*h, "QM Orient")->active);
  }
}

TEST(Dispatch, NestedCallSharesTheOuterCallsSuites) {
  StartedHost h;
  const int heldBetweenCalls = h->suites().Outstanding();
  const host::ToolInfo other = *ToolTitled(*h, "QM Tangent to");
  bool nested = false;
  int depthInside = -1, depthAfterNested = -1, annotatorHeldAfterNested = -1, blocksHeldAfterNested = -1;
  AIErr nestedResult = -1;
  h->faults().OnCall(kAIAnnotatorSuite, "SetAnnotatorActive", [&] {
    if (nested) return;
    nested = true;
    depthInside = h->CallDepth();
    AIEvent event{};
    AIToolMessage msg{};
    msg.tool = other.handle;
    msg.event = &event;
    nestedResult = h->Send(kCallerAITool, kSelectorAIDeselectTool, &msg);
    depthAfterNested = h->CallDepth();
    annotatorHeldAfterNested = h->suites().Outstanding(kAIAnnotatorSuite);
    blocksHeldAfterNested = h->suites().Outstanding(kSPBlocksSuite);
  });

  EXPECT_EQ(h->SelectTool("QM Connect"), kNoErr);
  ASSERT_TRUE(nested);
  EXPECT_EQ(nestedResult, kNoErr);
  EXPECT_EQ(depthInside, 1);
  EXPECT_EQ(depthAfterNested, 1);
  // Still held for the outer call, and held once: the nested call used the
  // outer call's set instead of acquiring its own.
  EXPECT_EQ(annotatorHeldAfterNested, 1);
  EXPECT_EQ(blocksHeldAfterNested, 1);
  EXPECT_TRUE(AnnotatorNamed(*h, "QM Connect")->active);
  EXPECT_EQ(h->CallDepth(), 0);
  EXPECT_EQ(h->suites().Outstanding(), heldBetweenCalls);
}

}  // namespace
}  // namespace plugin_test
