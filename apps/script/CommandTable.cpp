#include "apps/script/CommandTable.h"

#include <charconv>
#include <cstdint>
#include <string_view>

#include "apps/script/Diagnostics.h"

namespace cli {
namespace {

// Enough for any gesture a person makes; a larger count is a typo that would
// only make the script slow.
constexpr int64_t kMaxDragSteps = 10000;
constexpr int kDefaultDragSteps = 10;

// Ends a bare press: one that reaches the plug-in without the cursor move
// otherwise sent before a press at a place the cursor has not reached.
constexpr std::string_view kBarePress = "no-move";

Command ParseDragTo(Arguments& a) {
  cmd::DragTo d{.from = a.At(), .to = a.At(), .steps = kDefaultDragSteps, .bare = false};
  if (a.TakeKeyword("steps")) {
    const int64_t steps = a.Count("N");
    if (steps > kMaxDragSteps) throw ScriptSyntaxError("N must be at most " + std::to_string(kMaxDragSteps));
    d.steps = static_cast<int>(steps);
  }
  d.bare = a.TakeKeyword(kBarePress);
  return d;
}

// Braced initialisers run in order: the point, then the keyword after it.
Command ParseDown(Arguments& a) {
  return cmd::Mouse{.kind = cmd::Mouse::Kind::Down, .at = a.At(), .bare = a.TakeKeyword(kBarePress)};
}

template <bool doubleClick>
Command ParseClick(Arguments& a) {
  return cmd::Click{.at = a.At(), .doubleClick = doubleClick, .bare = a.TakeKeyword(kBarePress)};
}

Command ParseFail(Arguments& a) {
  cmd::InjectFault f{.suite = a.Text("SUITE"), .function = a.Text("FUNCTION"), .code = a.Code("CODE"), .nth = 0};
  if (!a.AtEnd()) {
    const int64_t nth = a.Count("NTH");
    if (nth < 1 || nth > INT32_MAX) throw ScriptSyntaxError("NTH must be 1 (the next call) or more");
    f.nth = static_cast<int>(nth);
  }
  return f;
}

Command ParseExpectCursor(Arguments& a) {
  const std::string word = a.Text("CURSOR");
  if (word == "unset") return cmd::ExpectCursor{.kind = cmd::ExpectCursor::Kind::Unset, .id = 0, .name = {}};
  int32_t id = 0;
  const char* end = word.data() + word.size();
  auto [ptr, ec] = std::from_chars(word.data(), end, id);
  if (ec != std::errc{} || ptr != end) {
    return cmd::ExpectCursor{.kind = cmd::ExpectCursor::Kind::ImageName, .id = 0, .name = word};
  }
  const auto kind = id < 0 ? cmd::ExpectCursor::Kind::System : cmd::ExpectCursor::Kind::ImageId;
  return cmd::ExpectCursor{.kind = kind, .id = id, .name = {}};
}

template <cmd::ExpectCount::What what>
Command ParseCount(Arguments& a) {
  return cmd::ExpectCount{.what = what, .count = a.Count("N")};
}

template <cmd::Mouse::Kind kind>
Command ParseMouse(Arguments& a) {
  return cmd::Mouse{.kind = kind, .at = a.At(), .bare = false};
}

Command ParseDialogKey(Arguments& a) {
  if (a.TakeKeyword("escape")) return cmd::DialogKey{kCorvaneKeyEscape};
  if (a.TakeKeyword("enter")) return cmd::DialogKey{kCorvaneKeyEnter};
  throw ScriptSyntaxError("KEY must be escape or enter");
}

Command ParseAppearance(Arguments& a) {
  if (a.TakeKeyword("light")) return cmd::Appearance{false};
  if (a.TakeKeyword("dark")) return cmd::Appearance{true};
  throw ScriptSyntaxError("the appearance must be light or dark");
}

}  // namespace

const std::vector<CommandEntry>& CommandTable() {
  using What = cmd::ExpectCount::What;
  using MouseKind = cmd::Mouse::Kind;
  static const std::vector<CommandEntry> table = {
      {{"tool", "tool TITLE"}, [](Arguments& a) -> Command { return cmd::SelectTool{a.Text("TITLE")}; }},
      {{"edit-options", "edit-options TITLE"},
       [](Arguments& a) -> Command { return cmd::EditOptions{a.Text("TITLE")}; }},
      {{"move", "move POINT"}, ParseMouse<MouseKind::Move>},
      {{"down", "down POINT [no-move]"}, ParseDown},
      {{"drag", "drag POINT"}, ParseMouse<MouseKind::Drag>},
      {{"up", "up POINT"}, ParseMouse<MouseKind::Up>},
      {{"click", "click POINT [no-move]"}, ParseClick<false>},
      {{"dblclick", "dblclick POINT [no-move]"}, ParseClick<true>},
      {{"drag-to", "drag-to POINT POINT [steps N] [no-move]"}, ParseDragTo},
      {{"hold", "hold shift|alt|ctrl"}, [](Arguments& a) -> Command { return cmd::Hold{a.ModifierKey()}; }},
      {{"release", "release shift|alt|ctrl"},
       [](Arguments& a) -> Command { return cmd::Release{a.ModifierKey()}; }},
      {{"zoom", "zoom Z"}, [](Arguments& a) -> Command { return cmd::Zoom{a.Positive("Z")}; }},
      {{"scroll", "scroll X Y"},
       [](Arguments& a) -> Command {
         const double x = a.Real("X");
         return cmd::Scroll{{x, a.Real("Y")}};
       }},
      {{"smartguides", "smartguides on|off"}, [](Arguments& a) -> Command { return cmd::SmartGuides{a.OnOff()}; }},
      {{"menu", "menu ITEM|--list"},
       [](Arguments& a) -> Command {
         if (a.TakeKeyword("--list")) return cmd::ListMenus{};
         return cmd::Menu{a.Text("ITEM")};
       }},
      {{"select", "select all|none"},
       [](Arguments& a) -> Command {
         if (a.TakeKeyword("none")) return cmd::SelectArt{false};
         if (a.TakeKeyword("all")) return cmd::SelectArt{true};
         throw ScriptSyntaxError("expected all or none, not " + (a.AtEnd() ? std::string("nothing") : a.Text("WHAT")));
       }},
      {{"transform-again", "transform-again"}, [](Arguments&) -> Command { return cmd::TransformAgain{}; }},
      {{"undo", "undo"}, [](Arguments&) -> Command { return cmd::Undo{}; }},
      {{"redo", "redo"}, [](Arguments&) -> Command { return cmd::Redo{}; }},
      {{"pref", "pref SECTION KEY bool|int|real VALUE"},
       [](Arguments& a) -> Command {
         std::string section = a.Text("SECTION");
         std::string key = a.Text("KEY");
         return cmd::SetPref{std::move(section), std::move(key), a.TypedValue()};
       }},
      {{"fail", "fail SUITE FUNCTION CODE [NTH]"}, ParseFail},
      {{"save", "save FILE"}, [](Arguments& a) -> Command { return cmd::Save{a.Text("FILE")}; }},
      {{"snapshot", "snapshot FILE.png"}, [](Arguments& a) -> Command { return cmd::Snapshot{a.Text("FILE")}; }},
      {{"expect-error", "expect-error CODE"},
       [](Arguments& a) -> Command { return cmd::ExpectError{a.Code("CODE")}; }},
      {{"expect paths", "expect paths N"}, ParseCount<What::Paths>},
      {{"expect closed-paths", "expect closed-paths N"}, ParseCount<What::ClosedPaths>},
      {{"expect selected", "expect selected N"}, ParseCount<What::Selected>},
      {{"expect undo-depth", "expect undo-depth N"}, ParseCount<What::UndoDepth>},
      {{"expect anchors-on-circle", "expect anchors-on-circle CX CY R TOL"},
       [](Arguments& a) -> Command {
         const double cx = a.Real("CX");
         const double cy = a.Real("CY");
         const double r = a.Positive("R");
         return cmd::ExpectAnchorsOnCircle{{cx, cy}, r, a.Positive("TOL")};
       }},
      {{"expect cursor", "expect cursor unset|ID|NAME"}, ParseExpectCursor},
      {{"expect tool", "expect tool TITLE|none"},
       [](Arguments& a) -> Command {
         if (a.TakeKeyword("none")) return cmd::ExpectTool{std::nullopt};
         return cmd::ExpectTool{a.Text("TITLE")};
       }},
      {{"expect pref", "expect pref SECTION KEY bool|int|real VALUE"},
       [](Arguments& a) -> Command {
         std::string section = a.Text("SECTION");
         std::string key = a.Text("KEY");
         return cmd::ExpectPref{std::move(section), std::move(key), a.TypedValue()};
       }},
      {{"expect no-leaks", "expect no-leaks"}, [](Arguments&) -> Command { return cmd::ExpectNoLeaks{}; }},
      {{"dialog-set", "dialog-set ID TEXT"},
       [](Arguments& a) -> Command {
         const int32_t id = a.Integer("ID");
         return cmd::DialogSet{id, a.Text("TEXT")};
       }},
      {{"dialog-toggle", "dialog-toggle ID"}, [](Arguments& a) -> Command { return cmd::DialogToggle{a.Integer("ID")}; }},
      {{"dialog-press", "dialog-press ID"}, [](Arguments& a) -> Command { return cmd::DialogPress{a.Integer("ID")}; }},
      {{"dialog-key", "dialog-key escape|enter"}, ParseDialogKey},
      {{"dialog-close", "dialog-close"}, [](Arguments&) -> Command { return cmd::DialogClose{}; }},
      {{"appearance", "appearance light|dark"}, ParseAppearance},
      {{"expect opened", "expect opened PATTERN"},
       [](Arguments& a) -> Command { return cmd::ExpectOpened{a.Text("PATTERN")}; }},
      {{"expect dialog", "expect dialog NAME|none"},
       [](Arguments& a) -> Command {
         if (a.TakeKeyword("none")) return cmd::ExpectDialog{std::nullopt};
         return cmd::ExpectDialog{a.Text("NAME")};
       }},
      {{"expect dialog-item", "expect dialog-item ID TEXT"},
       [](Arguments& a) -> Command {
         const int32_t id = a.Integer("ID");
         return cmd::ExpectDialogItem{id, a.Text("TEXT")};
       }},
  };
  return table;
}

}  // namespace cli
