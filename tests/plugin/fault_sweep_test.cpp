// Every host call that a step of the bundled example scripts makes, failed in
// turn, one per run.  After each failure:
//   - the plug-in returned an error code, or the step's result is complete
//     (the document holds what the fault-free run holds after that step);
//   - the document holds either the shapes it held before the step or those
//     it holds after it, nothing in between;
//   - the rest of the script runs without an error, and replaying all its
//     gestures once more adds exactly the shapes a fault-free replay adds (so
//     no unfinished gesture survived the failure);
//   - nothing the plug-in borrowed is still held.
// Every example script (examples/*.cvs) is swept, one test each, but where
// tests/plugin/sweep/ has a script of the same name for the sweep: that one
// runs instead, on the example's document.  They are found when the test
// program starts, so a new example is swept without any change here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "apps/script/Executor.h"
#include "apps/script/Parser.h"
#include "host/model/Document.h"
#include "tests/plugin/PluginHost.h"

namespace plugin_test {
namespace {

namespace fs = std::filesystem;
namespace cmd = cli::cmd;
using host::model::Document;
using Call = host::FaultInjector::Call;

constexpr AIErr kInjected = SP_FOURCC('F', 'L', 'T', '!');

// What the user sees of the document: each art's kind and the outline of
// each path, and the document's own dictionary (where a tool may keep
// something the user set, as the Orient tool's axis).  Selection is left out:
// selecting a new circle is not part of making it.
struct Shape {
  host::model::ArtType type;
  bool closed;
  std::vector<host::model::Segment> segments;
  friend bool operator==(const Shape& a, const Shape& b) {
    if (a.type != b.type || a.closed != b.closed || a.segments.size() != b.segments.size()) return false;
    for (std::size_t i = 0; i < a.segments.size(); ++i) {
      const auto &s = a.segments[i], &t = b.segments[i];
      if (!(s.p == t.p && s.in == t.in && s.out == t.out && s.corner == t.corner)) return false;
    }
    return true;
  }
};

std::vector<Shape> Shapes(const Document& doc) {
  std::vector<Shape> shapes;
  for (const auto& [id, art] : doc.arts()) shapes.push_back({art.type(), art.closed, art.segments});
  return shapes;
}

struct DocState {
  std::vector<Shape> shapes;
  host::model::Dictionary dictionary;
  friend bool operator==(const DocState&, const DocState&) = default;
};

DocState StateOf(const Document& doc) { return {Shapes(doc), doc.dictionary()}; }

template <class... Kinds>
bool IsOneOf(const cli::Command& c) {
  return (std::holds_alternative<Kinds>(c) || ...);
}

// What the plug-in is asked to do: the pointer, and Transform Again.  Each
// such line is a step of the sweep, and every host call it makes is failed.
bool IsSwept(const cli::Command& c) {
  return IsOneOf<cmd::Mouse, cmd::Click, cmd::DragTo, cmd::TransformAgain>(c);
}

// The lines that set the scene for the swept ones and are replayed as they
// are: choosing tools, keys, the view, preferences, the host's own selection.
bool IsSetUp(const cli::Command& c) {
  return IsOneOf<cmd::SelectTool, cmd::Hold, cmd::Release, cmd::Zoom, cmd::Scroll, cmd::SmartGuides, cmd::SetPref,
                 cmd::SelectArt>(c);
}

// The answers to a dialog: they run inside the modal loop of the line that
// opened it, so they belong to that line's step.  Checks, saves, pictures and
// scripted faults are left out of the replay.
bool AnswersDialog(const cli::Command& c) {
  return IsOneOf<cmd::DialogSet, cmd::DialogToggle, cmd::DialogPress, cmd::DialogKey, cmd::DialogClose>(c);
}

// One step of the replay: a line, with the dialog answers that follow it.
struct Step {
  std::vector<cli::Line> lines;
  bool swept = false;
  std::string part;  // which event of its line, for a line taken apart
  int number() const { return lines.front().number; }
  std::string Name() const { return "line " + std::to_string(number()) + part; }
};

bool IsDrag(const Step& step) {
  const auto* mouse = std::get_if<cmd::Mouse>(&step.lines.front().command);
  return mouse && mouse->kind == cmd::Mouse::Kind::Drag;
}

// A drag-to line as the press, the drags and the release it sends, each a
// step of its own: a failed drag then ends the gesture as a failed event
// does, and drags that make the very same calls can stand for each other.
std::vector<Step> DragSteps(const cli::Line& line, const cmd::DragTo& d) {
  const auto step = [&](cmd::Mouse::Kind kind, cli::Position at, std::string part) {
    return Step{{cli::Line{line.number, line.verb, cmd::Mouse{kind, at, d.bare}}}, true, std::move(part)};
  };
  std::vector<Step> steps = {step(cmd::Mouse::Kind::Down, d.from, ", the press")};
  for (int i = 1; i <= d.steps; ++i) {
    const double t = static_cast<double>(i) / d.steps;
    const cli::Position at{d.from.space, d.from.x + (d.to.x - d.from.x) * t, d.from.y + (d.to.y - d.from.y) * t};
    steps.push_back(step(cmd::Mouse::Kind::Drag, at, ", drag " + std::to_string(i)));
  }
  steps.push_back(step(cmd::Mouse::Kind::Up, d.to, ", the release"));
  return steps;
}

// The script of each sweep: the sweep's own where there is one (an example
// whose dialog would be replayed before every case, or whose readings of the
// view would fall back to other values than the example's), else the
// example's.  Keyed by the example's name.
std::map<std::string, fs::path> SweptScripts() {
  std::map<std::string, fs::path> scripts;
  for (const char* folder : {CORVANE_EXAMPLES_DIR, CORVANE_SWEEP_SCRIPTS_DIR})
    for (const auto& entry : fs::directory_iterator(folder))
      if (entry.path().extension() == ".cvs") scripts[entry.path().stem().string()] = entry.path();
  return scripts;
}

std::vector<std::string> ExampleNames() {
  std::vector<std::string> names;
  for (const auto& [name, script] : SweptScripts()) names.push_back(name);
  return names;
}

struct Example {
  fs::path script, document;
  std::vector<Step> steps;
};

std::vector<Step> StepsOf(const cli::Script& script) {
  std::vector<Step> steps;
  for (const cli::Line& line : script.lines) {
    if (AnswersDialog(line.command) && !steps.empty()) {
      steps.back().lines.push_back(line);
    } else if (const auto* drag = std::get_if<cmd::DragTo>(&line.command)) {
      for (Step& step : DragSteps(line, *drag)) steps.push_back(std::move(step));
    } else if (IsSwept(line.command) || IsSetUp(line.command)) {
      steps.push_back({{line}, IsSwept(line.command), {}});
    }
  }
  return steps;
}

// The example's document, with the script the sweep runs on it.
Example LoadExample(const std::string& name) {
  Example e{SweptScripts().at(name), fs::path(CORVANE_EXAMPLES_DIR) / (name + ".svg"), {}};
  std::ifstream in(e.script);
  std::ostringstream text;
  text << in.rdbuf();
  const cli::ParseResult parsed = cli::ParseScript(text.str(), e.script.string());
  EXPECT_TRUE(parsed.errors.empty()) << e.script;
  e.steps = StepsOf(parsed.script);
  return e;
}

// Runs one step; kNoErr when it ran without a failure.
AIErr RunStep(host::Host& h, const Step& step) {
  cli::Script script{"step", step.lines};
  const cli::RunReport report = cli::RunScript(h, script, {.keepGoing = false, .saveDirectory = {}});
  return report.failures.empty() ? kNoErr : SP_FOURCC('F', 'A', 'I', 'L');
}

// Runs steps [from, to) one by one, as the fault-free run ran them, leaving
// out the skipped ones; the index of each step that failed.
std::vector<int> RunSteps(host::Host& h, const Example& e, std::size_t from, std::size_t to,
                          const std::vector<bool>& skipped = {}) {
  std::vector<int> failed;
  for (std::size_t i = from; i < to; ++i) {
    if (i < skipped.size() && skipped[i]) continue;
    if (RunStep(h, e.steps[i]) != kNoErr) failed.push_back(static_cast<int>(i));
  }
  return failed;
}

// What follows a step: the lines of the rest of the script that failed, then
// every step but the choice of tool replayed once more (choosing the tool
// again would reset it and hide a gesture left unfinished): the lines of the
// replay that failed, the shapes the replay added, and the document at the
// end.
struct Aftermath {
  std::vector<int> restFailed, replayFailed;
  std::vector<Shape> replayAdded;
  DocState end;
  friend bool operator==(const Aftermath&, const Aftermath&) = default;
};

std::vector<bool> NotToolChoices(const Example& e) {
  std::vector<bool> skipped;
  for (const Step& step : e.steps) skipped.push_back(std::holds_alternative<cmd::SelectTool>(step.lines.front().command));
  return skipped;
}

Aftermath RunAftermath(host::Host& h, const Example& e, std::size_t from, const std::vector<bool>& skipped) {
  Aftermath a;
  a.restFailed = RunSteps(h, e, from, e.steps.size(), skipped);
  const std::size_t before = h.document().arts().size();
  a.replayFailed = RunSteps(h, e, 0, e.steps.size(), NotToolChoices(e));
  a.end = StateOf(h.document());
  a.replayAdded.assign(a.end.shapes.begin() + static_cast<std::ptrdiff_t>(std::min(before, a.end.shapes.size())),
                       a.end.shapes.end());
  return a;
}

struct Borrowed {
  int suites, hitRefs, dictionaryRefs, blocks, strings;
  friend bool operator==(const Borrowed&, const Borrowed&) = default;
};
Borrowed BorrowedBy(const host::Host& h) {
  return {h.suites().Outstanding(), h.LiveHitRefs(), h.LiveDictionaryRefs(), h.LiveBlocks(), h.LiveUnicodeStrings()};
}
std::ostream& operator<<(std::ostream& out, const Borrowed& b) {
  return out << b.suites << " suites, " << b.hitRefs << " hit references, " << b.dictionaryRefs
             << " dictionary references, " << b.blocks << " blocks, " << b.strings << " strings";
}

// A release the host itself refused leaves the thing with the host: it may
// be counted, once, as still borrowed (unless the plug-in asked again).
Borrowed HeldAfterRefusal(Borrowed b, const Call& call) {
  const struct {
    const char *suite, *function;
    int Borrowed::*count;
  } releases[] = {
      {kSPBasicSuite, "ReleaseSuite", &Borrowed::suites},
      {kAIHitTestSuite, "Release", &Borrowed::hitRefs},
      {kAIDictionarySuite, "Release", &Borrowed::dictionaryRefs},
      {kAIUnicodeStringSuite, "Dispose", &Borrowed::strings},
  };
  for (const auto& r : releases)
    if (call.suite == r.suite && call.function == r.function) ++(b.*r.count);
  return b;
}

class ExampleHost : public StartedHost {
 public:
  explicit ExampleHost(const Example& e) { (*this)->OpenDocument(e.document); }
};

bool IsRelease(const Step& step) {
  const cli::Command& c = step.lines.front().command;
  if (const auto* mouse = std::get_if<cmd::Mouse>(&c)) return mouse->kind == cmd::Mouse::Kind::Up;
  return IsOneOf<cmd::Click, cmd::DragTo>(c);
}

// The fault-free run: the document before and after each step, the calls
// each step makes, what follows the last step, and what stays borrowed.
struct CleanRun {
  std::vector<DocState> state;  // state[i]: before step i
  std::vector<std::vector<Call>> calls;
  Aftermath aftermath;
  Borrowed borrowed{};
  // The steps that end a gesture: a release after which the document
  // differs from what it was when the gesture began, or a step that is a
  // whole action by itself (Transform Again).  (A release that changes
  // nothing, as the first click of a three-point arc, is part of a longer
  // gesture; the last click of an Orient axis changes nothing the moves
  // before it had not already shown, but its gesture began before them.)
  std::vector<bool> completes;

  // Per step: the index of the call that began the step's lasting change to
  // the document (the last call after which it no longer held what it held
  // before the step), or the number of calls when the step changed nothing.
  // Calls before it were still looking; a preview made and taken away again
  // on the way (the tangent circle's dialog) is not a lasting change.
  std::vector<std::size_t> changeBegins;

  // A drag between two drags of its line that make the very same calls as
  // it does runs the code they run, from the same kind of state: the first
  // and the last of such a run are swept for it.
  bool StandsInBetween(const Example& e, std::size_t i) const {
    const auto same = [&](std::size_t j) {
      return IsDrag(e.steps[j]) && e.steps[j].number() == e.steps[i].number() && calls[j] == calls[i];
    };
    return IsDrag(e.steps[i]) && i > 0 && i + 1 < e.steps.size() && same(i - 1) && same(i + 1);
  }

  // The first step of the gesture step i belongs to.
  std::size_t GestureStart(std::size_t i) const {
    while (i > 0 && !completes[i - 1]) --i;
    return i;
  }
};

// Runs the example again, looking at the document before every call each
// step makes (CleanRun::changeBegins).
std::vector<std::size_t> ChangeBegins(const Example& e, const CleanRun& run) {
  std::vector<std::size_t> begins;
  ExampleHost h(e);
  for (std::size_t i = 0; i < e.steps.size(); ++i) {
    std::vector<bool> untouched;  // before each call: the document as before the step
    for (const Call& call : run.calls[i])
      h->faults().OnCall(call.suite, call.function,
                         [&] { untouched.push_back(StateOf(h->document()) == run.state[i]); });
    EXPECT_EQ(RunStep(*h, e.steps[i]), kNoErr);
    // The last call before which the document was still as before the step.
    std::size_t k = untouched.size();
    while (k > 0 && !untouched[k - 1]) --k;
    begins.push_back(run.state[i + 1] == run.state[i] ? untouched.size() : (k == 0 ? 0 : k - 1));
  }
  return begins;
}

CleanRun RunClean(const Example& e) {
  CleanRun run;
  // The module keeps one set of globals per process: one host at a time.
  {
    ExampleHost h(e);
    run.state.push_back(StateOf(h->document()));
    for (const Step& step : e.steps) {
      h->faults().RecordCalls(true);
      EXPECT_EQ(RunStep(*h, step), kNoErr) << step.Name();
      run.calls.push_back(h->faults().RecordedCalls());
      h->faults().RecordCalls(false);
      run.state.push_back(StateOf(h->document()));
      const bool changed = run.state.back() != run.state[run.GestureStart(run.completes.size())];
      run.completes.push_back(step.swept && ((IsRelease(step) && changed) ||
                                             std::holds_alternative<cmd::TransformAgain>(step.lines.front().command)));
    }
    run.aftermath = RunAftermath(*h, e, e.steps.size(), {});
    EXPECT_TRUE(run.aftermath.restFailed.empty() && run.aftermath.replayFailed.empty());
    run.borrowed = BorrowedBy(*h);
  }
  run.changeBegins = ChangeBegins(e, run);
  return run;
}

// The tools whose search for a result treats a refused host call as "no
// result": the contact search of the lines between two paths, the engine of
// the tangent circle, the fit of the curvature circle.  A gesture of theirs
// whose search the host fails makes nothing and reports nothing, as on a
// place where no result exists.  (Every other tool reports the refusal.)
const std::set<std::string> kSearchesQuietly = {"QM Tangent Line", "QM Perpendicular Line", "QM Tangent Circle",
                                                "QM Curvature circle"};

// The tool chosen when step i runs: the last choice before it.
std::optional<std::string> ToolAt(const Example& e, std::size_t i) {
  for (std::size_t k = i; k-- > 0;)
    if (const auto* choice = std::get_if<cmd::SelectTool>(&e.steps[k].lines.front().command)) return choice->title;
  return std::nullopt;
}

// Takes the tool away and gives it back: what a user does to start afresh.
void ChooseAfresh(host::Host& h, const std::string& title) {
  for (const host::ToolInfo& other : h.Tools()) {
    if (other.title == title) continue;
    EXPECT_EQ(h.SelectTool(other.title), kNoErr);
    break;
  }
  EXPECT_EQ(h.SelectTool(title), kNoErr);
}

// A preference the host cannot read reads as its default, by design (a user
// who never set it gets the same): such a refusal is not a fault to report,
// and what the step makes with the default is its own complete result.
bool ReadsWithADefault(const Call& call) {
  return call.suite == kAIPreferenceSuite && call.function.rfind("Get", 0) == 0;
}

class FaultSweep : public ::testing::TestWithParam<std::string> {};

TEST_P(FaultSweep, EveryHostCallOfEveryStepFailsCleanly) {
  const Example e = LoadExample(GetParam());
  const CleanRun clean = RunClean(e);
  ASSERT_FALSE(::testing::Test::HasFailure()) << "the example does not run without faults";
  int cases = 0;
  for (std::size_t i = 0; i < e.steps.size(); ++i) {
    if (!e.steps[i].swept || clean.StandsInBetween(e, i)) continue;
    const std::vector<Call>& calls = clean.calls[i];
    for (std::size_t k = 0; k < calls.size(); ++k) {
      const Call& call = calls[k];
      if (ReadsWithADefault(call)) continue;
      // Which call of its function this is within the step.
      const int nth = static_cast<int>(std::count(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(k) + 1, call));
      SCOPED_TRACE(e.steps[i].Name() + ": call " + std::to_string(k + 1) + ", " +
                   call.suite + " " + call.function + " #" + std::to_string(nth));
      ++cases;
      // The run up to the failure, the failure, and (once more for the
      // reference below) the same with the tool chosen afresh after it.
      const auto failAt = [&](host::Host& h) {
        EXPECT_TRUE(RunSteps(h, e, 0, i).empty());
        h.faults().Fail(call.suite, call.function, kInjected, nth);
        const AIErr code = RunStep(h, e.steps[i]);
        h.faults().Clear();
        return code;
      };
      // One host at a time (the module keeps one set of globals per process):
      // this one goes before the reference below starts its own.
      std::optional<ExampleHost> h(std::in_place, e);
      const AIErr code = failAt(**h);
      const DocState now = StateOf((*h)->document());
      const DocState &before = clean.state[i], &after = clean.state[i + 1];
      // The one refusal that is not an error: a host that cannot report an
      // editable insertion point is a place where nothing may be drawn, and
      // the gesture there creates nothing (the tool shows it by its cursor).
      const bool noPlaceForArt = call.suite == kAIArtSuite &&
                                 (call.function == "GetInsertionPoint" || call.function == "AcquireSuite");
      const std::optional<std::string> tool = ToolAt(e, i);
      const bool stillLooking = tool && kSearchesQuietly.count(*tool) && k < clean.changeBegins[i];
      EXPECT_TRUE(code != kNoErr || now == after || ((noPlaceForArt || stillLooking) && now == before))
          << "success reported for an incomplete result";
      // A failed event ends its gesture: what the gesture showed in the
      // document on the way (a preview) may go with it.
      const DocState& gestureStart = clean.state[clean.GestureStart(i)];
      EXPECT_TRUE(now == before || now == after || (code != kNoErr && now == gestureStart))
          << "a half-made change stays in the document";
      EXPECT_LE((*h)->LiveHitRefs(), HeldAfterRefusal({}, call).hitRefs);
      // After an error, the steps that would have finished the failed
      // gesture (up to the release that completed it in the run without the
      // fault) are not run: the next gesture starts after them.  The lines
      // that set the scene (keys, tools, the view) still run.
      std::vector<bool> skipped(e.steps.size(), false);
      for (std::size_t j = i; code != kNoErr && !clean.completes[j] && j + 1 < e.steps.size();) {
        ++j;
        skipped[j] = e.steps[j].swept;
      }
      const Aftermath aftermath = RunAftermath(**h, e, i + 1, skipped);
      const bool likeClean = aftermath.restFailed.empty() && aftermath.replayFailed.empty() &&
                             aftermath.replayAdded == clean.aftermath.replayAdded;
      // Where the document no longer matches the run without the fault (the
      // failed gesture made nothing, the gestures after it act on what is
      // there instead), the reference is the same failure followed by a fresh
      // choice of the tool: no unfinished gesture may make a difference.
      const Borrowed borrowed = BorrowedBy(**h);
      h.reset();
      if (!likeClean) {
        ExampleHost r(e);
        failAt(*r);
        if (tool) ChooseAfresh(*r, *tool);
        EXPECT_TRUE(aftermath == RunAftermath(*r, e, i + 1, skipped))
            << "the next gestures do not make what they make after the tool is chosen afresh";
        EXPECT_TRUE(aftermath.restFailed.empty()) << "the rest of the script failed";
      }
      EXPECT_TRUE(borrowed == clean.borrowed || borrowed == HeldAfterRefusal(clean.borrowed, call))
          << "something borrowed was not given back: " << borrowed << " instead of " << clean.borrowed;
      if (::testing::Test::HasFailure()) return;  // one fault's report is enough to go on
    }
  }
  RecordProperty("cases", cases);
  std::printf("fault sweep of %s: %d cases\n", GetParam().c_str(), cases);
}

INSTANTIATE_TEST_SUITE_P(Examples, FaultSweep, ::testing::ValuesIn(ExampleNames()),
                         [](const auto& info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

}  // namespace
}  // namespace plugin_test
