// The state-machine tool framework: transition lookup, the order of an
// event's steps, deselection, feedback invalidation and snapping.  The
// lookup runs on small tools in the test process; snapping is seen through
// the loaded module.
#include <algorithm>
#include <string>
#include <vector>

#include "tests/plugin/InProcessCall.h"
#include "tools/framework/Cursors.h"
#include "tools/framework/FSMTool.h"
#include "tools/framework/IAnnoSurface.h"

namespace plugin_test {
namespace {

using Tools::FSMTool;
using Tools::StateEntry;
using Tools::ToolEvent;
using Tools::TransitionEntry;

// A tool with states 0 to 3 that logs every action and guard, shows a
// system cursor per state and draws a line in state 2 only.
class ProbeTool;
using ProbeTransitions = std::vector<TransitionEntry<ProbeTool>>;

// The probe's own copy of its transitions, built before the state machine
// that refers to it.
struct ProbeTable {
  ProbeTransitions transitions;
};

class ProbeTool final : private ProbeTable, public FSMTool<ProbeTool> {
 public:
  using Transitions = ProbeTransitions;

  explicit ProbeTool(Transitions transitions)
      : ProbeTable{std::move(transitions)}, FSMTool(kStates, ProbeTable::transitions) {}

  int32_t IconResourceId() const override { return 1; }
  const char* Title() const override { return "Probe"; }
  const char* Tooltip() const override { return "Probe"; }
  const char* SnapControl() const override { return nullptr; }

  void DrawFeedback(AII::IAnnoSurface& surface, bool) override {
    if (CurrentState() == 2) surface.Line(kLineStart, kLineEnd);
  }
  int32_t CursorId() const {
    static constexpr int32_t kByState[] = {kPlatformCursorCrosshair, kPlatformCursorTextBeam, kPlatformCursorWait,
                                           kPlatformCursorNo};
    return CurrentState() ? kByState[*CurrentState()] : kPlatformCursorWait;
  }

  template <int N>
  void Enter(ToolEvent&) { log.push_back("enter " + std::to_string(N)); }
  template <int N>
  void Do(ToolEvent&) { log.push_back("do " + std::to_string(N)); }
  template <int N>
  void Exit(ToolEvent&) { log.push_back("exit " + std::to_string(N)); }
  void Act(ToolEvent&) { log.push_back("action"); }
  bool Guard(ToolEvent&) {
    log.push_back("guard");
    return guardPasses;
  }
  bool Refuse(ToolEvent&) { return false; }

  static constexpr AIRealPoint kLineStart{100, 300}, kLineEnd{140, 330};

  std::vector<std::string> log;
  bool guardPasses = true;

 private:
  static const StateEntry<ProbeTool> kStates[4];
};

#define PROBE_STATE(N) {N, &ProbeTool::Enter<N>, &ProbeTool::Do<N>, &ProbeTool::Exit<N>}
const StateEntry<ProbeTool> ProbeTool::kStates[4] = {PROBE_STATE(0), PROBE_STATE(1), PROBE_STATE(2), PROBE_STATE(3)};
#undef PROBE_STATE

constexpr int32_t kDown = Tools::kEventMouseDown;
constexpr int32_t kUp = Tools::kEventMouseUp;
constexpr int32_t kDrag = Tools::kEventMouseDrag;
constexpr auto kGuard = &ProbeTool::Guard;
constexpr auto kRefuse = &ProbeTool::Refuse;

class FsmToolTest : public ::testing::Test {
 protected:
  AIToolMessage& At(AIRealPoint p) { return call_.Message(p); }
  host::Host& host() { return call_.host(); }

  InProcessCall call_;
};

TEST_F(FsmToolTest, TransitionLookupRule) {
  const struct {
    const char* name;
    ProbeTool::Transitions transitions;
    bool guardPasses;
    int32_t state;  // after one mouse down from the first state
    int guardCalls;
  } cases[] = {
      {"guarded after unguarded, guard passes", {{0, kDown, nullptr, nullptr, 1}, {0, kDown, kGuard, nullptr, 2}},
       true, 2, 1},
      {"guarded after unguarded, guard fails", {{0, kDown, nullptr, nullptr, 1}, {0, kDown, kGuard, nullptr, 2}},
       false, 1, 1},
      {"two unguarded: the later", {{0, kDown, nullptr, nullptr, 1}, {0, kDown, nullptr, nullptr, 2}}, true, 2, 0},
      {"passing guard before unguarded", {{0, kDown, kGuard, nullptr, 2}, {0, kDown, nullptr, nullptr, 1}}, true, 2,
       1},
      {"failing guard before unguarded", {{0, kDown, kGuard, nullptr, 2}, {0, kDown, nullptr, nullptr, 1}}, false,
       1, 1},
      {"failing guard between unguarded ones: the last unguarded",
       {{0, kDown, nullptr, nullptr, 1}, {0, kDown, kRefuse, nullptr, 3}, {0, kDown, nullptr, nullptr, 2}}, true, 2,
       0},
      {"first of two passing guards; the second is not asked",
       {{0, kDown, kGuard, nullptr, 2}, {0, kDown, kGuard, nullptr, 3}}, true, 2, 1},
      {"target not in the state table", {{0, kDown, nullptr, nullptr, 9}}, true, 0, 0},
      {"the fallback found has no target: no earlier one instead",
       {{0, kDown, nullptr, nullptr, 1}, {0, kDown, nullptr, nullptr, 9}}, true, 0, 0},
      {"another event", {{0, kUp, nullptr, nullptr, 1}}, true, 0, 0},
      {"another state", {{1, kDown, nullptr, nullptr, 2}}, true, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ProbeTool tool(c.transitions);
    tool.guardPasses = c.guardPasses;
    tool.MouseDown(&At({10, 10}));
    EXPECT_EQ(tool.CurrentState(), c.state);
    EXPECT_EQ(std::count(tool.log.begin(), tool.log.end(), "guard"), c.guardCalls);
  }
}

TEST_F(FsmToolTest, FirstEventEntersTheFirstStateThenTakesItsTransition) {
  ProbeTool tool({{0, kDown, nullptr, &ProbeTool::Act, 1}});
  EXPECT_EQ(tool.CurrentState(), std::nullopt);
  tool.MouseDown(&At({10, 10}));
  EXPECT_EQ(tool.log, (std::vector<std::string>{"enter 0", "exit 0", "action", "enter 1", "do 1"}));
  EXPECT_EQ(host().Cursor().systemId, kPlatformCursorTextBeam);
}

TEST_F(FsmToolTest, UnmatchedEventKeepsTheStateButRunsItsDoActionAndSetsTheCursor) {
  ProbeTool tool({{0, kDown, nullptr, nullptr, 1}});
  tool.MouseDown(&At({10, 10}));
  Tools::SetToolCursor(kPlatformCursorWait);
  tool.log.clear();
  tool.MouseUp(&At({10, 10}));
  EXPECT_EQ(tool.CurrentState(), 1);
  EXPECT_EQ(tool.log, std::vector<std::string>{"do 1"});
  EXPECT_EQ(host().Cursor().systemId, kPlatformCursorTextBeam);
}

TEST_F(FsmToolTest, DeselectMidDragRestartsFromTheFirstStateWithItsEntry) {
  ProbeTool tool({{0, kDown, nullptr, nullptr, 1}, {1, kDrag, nullptr, nullptr, 2}});
  tool.MouseDown(&At({10, 10}));
  tool.MouseDrag(&At({30, 10}));
  ASSERT_EQ(tool.CurrentState(), 2);
  host().ClearInvalidatedRects();
  tool.Deselect(&At({30, 10}));
  EXPECT_EQ(tool.CurrentState(), std::nullopt);
  // The state-2 line was erased before the gesture was forgotten.
  EXPECT_EQ(host().InvalidatedRects().size(), 1u);
  tool.log.clear();
  tool.MouseDown(&At({50, 10}));
  EXPECT_EQ(tool.log, (std::vector<std::string>{"enter 0", "exit 0", "enter 1", "do 1"}));
  EXPECT_EQ(tool.CurrentState(), 1);
}

// Each event invalidates the feedback before and after the state machine
// runs: here the line appears with the drag into state 2 and goes with the
// release into state 3.  No feedback, no rectangle.
TEST_F(FsmToolTest, FeedbackIsInvalidatedBeforeAndAfterEachEvent) {
  ProbeTool tool({{0, kDown, nullptr, nullptr, 1}, {1, kDrag, nullptr, nullptr, 2}, {2, kUp, nullptr, nullptr, 3}});
  const AIPoint a = host().ArtworkToView(ProbeTool::kLineStart), b = host().ArtworkToView(ProbeTool::kLineEnd);
  const AIRect line{std::min(a.h, b.h) - 2, std::min(a.v, b.v) - 2, std::max(a.h, b.h) + 2, std::max(a.v, b.v) + 2};
  const auto invalidations = [&](auto event) {
    host().ClearInvalidatedRects();
    event();
    for (const AIRect& r : host().InvalidatedRects()) {
      EXPECT_EQ(r.left, line.left);
      EXPECT_EQ(r.top, line.top);
      EXPECT_EQ(r.right, line.right);
      EXPECT_EQ(r.bottom, line.bottom);
    }
    return host().InvalidatedRects().size();
  };
  EXPECT_EQ(invalidations([&] { tool.MouseDown(&At({10, 10})); }), 0u);
  EXPECT_EQ(invalidations([&] { tool.MouseDrag(&At({30, 10})); }), 1u);  // after: the new line
  EXPECT_EQ(invalidations([&] { tool.TrackCursor(&At({30, 10})); }), 2u);
  EXPECT_EQ(invalidations([&] { tool.MouseUp(&At({30, 10})); }), 1u);  // before: the old line
}

// Snapping through the loaded module: every tool snaps from its first event,
// except the straightener, which snaps only once it has a state, and the
// tangent circle, which never snaps.
TEST(FsmToolModule, FirstEventsSnapPerTool) {
  const struct {
    const char* title;
    int afterFirst, afterSecond;  // host snapping calls
  } cases[] = {
      {"QM Circle by 2 or 3 points", 1, 2},
      {"QM Curvature circle", 1, 2},
      {"QM Connect", 1, 2},
      {"QM Straighten", 0, 1},
      {"QM Tangent Circle", 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    StartedHost h;
    ASSERT_EQ(h->SelectTool(c.title), kNoErr);
    const auto tracks = [&] { return h->faults().CallCount(kAICursorSnapSuite, "Track"); };
    const int before = tracks();
    ASSERT_EQ(h->TrackCursor({100, 100}), kNoErr);
    EXPECT_EQ(tracks() - before, c.afterFirst);
    ASSERT_EQ(h->TrackCursor({110, 100}), kNoErr);
    EXPECT_EQ(tracks() - before, c.afterSecond);
  }
}

// A tool whose feedback is empty asks for no redraw.
TEST(FsmToolModule, ToolsWithoutFeedbackInvalidateNothing) {
  StartedHost h;
  ASSERT_EQ(h->SelectTool("QM Connect"), kNoErr);
  h->ClearInvalidatedRects();
  ASSERT_EQ(h->MouseDown({100, 100}), kNoErr);
  ASSERT_EQ(h->MouseDrag({150, 100}), kNoErr);
  ASSERT_EQ(h->MouseUp({150, 100}), kNoErr);
  EXPECT_TRUE(h->InvalidatedRects().empty());
}

}  // namespace
}  // namespace plugin_test
