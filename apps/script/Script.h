// A gesture script in parsed form: what the command-line host replays on a
// document.  One command per script line; every command keeps its line number
// so that a failure can name it.
//
// Parsing (Parser.h) and running (Executor.h) are separate steps: the whole
// script is parsed before anything runs, so a mistake on the last line is
// reported before the first gesture reaches the plug-in.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "host/runtime/Preferences.h"
#include "sdk/Corvane.h"

namespace cli {

// A place for a mouse event.  Artwork points are in points with y up; view
// points are pixels of the host's view with y down.  View points are turned
// into artwork points when the command runs, so an earlier zoom or scroll
// counts.
struct Position {
  enum class Space { Artwork, View };
  Space space = Space::Artwork;
  double x = 0;
  double y = 0;
};

// A modifier key a script can hold; the value is its bit in the event's
// modifier word.
enum class Key : uint16_t {
  Ctrl = aiEventModifiers_cmdKey,
  Shift = aiEventModifiers_shiftKey,
  Alt = aiEventModifiers_optionKey,
};

// A typed preference value, as the host's preference store keeps it: a
// boolean is the byte stored (so "2 written by another program" can be set up
// and seen), an integer 32 bits, a real a double.
using PrefValue = host::Preferences::Value;
using PrefType = host::Preferences::Type;

// The section the script writes as "-": the host's own keys, stored without a
// section.
inline constexpr const char* kHostPrefSection = "-";

namespace cmd {

struct SelectTool { std::string title; };
struct EditOptions { std::string title; };  // a double-click on the tool's button

// A press where the cursor is not yet comes after one cursor move there, as
// a real pointer passes over a place before it presses there; a bare press
// (written "no-move") comes alone.
struct Mouse {
  enum class Kind { Move, Down, Drag, Up };
  Kind kind = Kind::Move;
  Position at;
  bool bare = false;  // Down only
};
// A press and a release at one place; doubleClick sets the double-click bit
// on the press.
struct Click {
  Position at;
  bool doubleClick = false;
  bool bare = false;
};
// A press at from, `steps` drags evenly spaced towards to (the last one at
// to), and a release at to.
struct DragTo {
  Position from;
  Position to;
  int steps = 1;
  bool bare = false;
};

struct Hold { Key key; };
struct Release { Key key; };

struct Zoom { double zoom = 1; };
struct Scroll { AIRealPoint origin{}; };  // the artwork point at the view's top-left pixel
struct SmartGuides { bool on = false; };

struct Menu { std::string item; };
// Edit > Select All (every object of the unlocked, visible layers) or
// Deselect, as the host does it without the plug-in.
struct SelectArt { bool all = true; };
struct TransformAgain {};
struct Undo {};
struct Redo {};

struct SetPref {
  std::string section;  // kHostPrefSection for the host's own keys
  std::string key;
  PrefValue value;
};
struct InjectFault {
  std::string suite;
  std::string function;
  AIErr code = kNoErr;
  int nth = 0;  // 0: every call until the script ends
};
struct Save { std::string file; };
// A PNG of the view: the document, the overlay the tool draws now and the
// cursor at the last mouse position.
struct Snapshot { std::string file; };

// The next command must make the plug-in return this code; the script goes
// on when it does.
struct ExpectError { AIErr code = kNoErr; };

// --- checks of the host's state; each fails with what it expected and found
struct ExpectCount {
  enum class What { Paths, ClosedPaths, Selected, UndoDepth };
  What what = What::Paths;
  int64_t count = 0;
};
// Every anchor of every selected path lies within tolerance of the circle.
struct ExpectAnchorsOnCircle {
  AIRealPoint centre{};
  double radius = 0;
  double tolerance = 0;
};
// The cursor the plug-in last set: none at all, a system cursor by its
// (negative) id, or an image cursor by its name or by the number its name
// ends with.
struct ExpectCursor {
  enum class Kind { Unset, System, ImageId, ImageName };
  Kind kind = Kind::Unset;
  int32_t id = 0;
  std::string name;
};
struct ExpectTool { std::optional<std::string> title; };  // nullopt: no tool chosen
struct ExpectPref {
  std::string section;
  std::string key;
  PrefValue value;
};
// Nothing the plug-in borrowed during the script is still held: as many
// suites acquired, hit records and dictionary references as when it began.
struct ExpectNoLeaks {};

// --- the plug-in's dialogs (DialogCommands.cpp); each acts on the open
// dialog, inside the modal loop of the command that opened it.
struct ListMenus {};  // "menu --list": prints the host's menu tree
struct DialogSet {    // typed into an edit field, then Enter
  int32_t id = 0;
  std::string text;
};
struct DialogToggle { int32_t id = 0; };
struct DialogPress { int32_t id = 0; };
struct DialogKey { int32_t key = 0; };  // kCorvaneKeyEscape, kCorvaneKeyEnter
struct DialogClose {};                  // the close box
struct Appearance { bool dark = false; };
// The last file or address opened with the default application matches the
// pattern ('*' any run of characters, '?' one).
struct ExpectOpened { std::string pattern; };
struct ExpectDialog { std::optional<std::string> name; };  // nullopt: none open
struct ExpectDialogItem {
  int32_t id = 0;
  std::string text;
};

}  // namespace cmd

using Command = std::variant<cmd::SelectTool, cmd::EditOptions, cmd::Mouse, cmd::Click, cmd::DragTo, cmd::Hold,
                             cmd::Release, cmd::Zoom, cmd::Scroll, cmd::SmartGuides, cmd::Menu, cmd::SelectArt, cmd::TransformAgain,
                             cmd::Undo, cmd::Redo, cmd::SetPref, cmd::InjectFault, cmd::Save, cmd::Snapshot, cmd::ExpectError,
                             cmd::ExpectCount, cmd::ExpectAnchorsOnCircle, cmd::ExpectCursor, cmd::ExpectTool,
                             cmd::ExpectPref, cmd::ExpectNoLeaks, cmd::ListMenus, cmd::DialogSet, cmd::DialogToggle,
                             cmd::DialogPress, cmd::DialogKey, cmd::DialogClose, cmd::Appearance, cmd::ExpectOpened,
                             cmd::ExpectDialog, cmd::ExpectDialogItem>;

struct Line {
  int number = 0;  // 1-based line in the script file
  std::string verb;  // the command word as written, for messages
  Command command;
};

struct Script {
  std::string name;  // how messages name the script: its path, or "<stdin>"
  std::vector<Line> lines;
};

}  // namespace cli
