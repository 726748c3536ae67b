// What each script command does to the host.  Every call returns the code of
// the plug-in call the command makes (kNoErr for commands that make none), or
// throws CommandFailure when the command cannot be done or a check does not
// hold.  std::visit over a Command picks the right one.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "apps/script/Checks.h"
#include "apps/script/Executor.h"
#include "apps/script/Script.h"
#include "host/Host.h"

namespace cli {

struct CommandFailure {
  FailureKind kind;
  std::string message;
};

class CommandRunner {
 public:
  // Takes what the plug-in holds now as the base of `expect no-leaks`.
  CommandRunner(host::Host& host, const RunOptions& options);

  // An unknown title fails and lists the plug-in's tools.
  AIErr operator()(const cmd::SelectTool& c);
  AIErr operator()(const cmd::EditOptions& c);
  // Mouse events carry the held keys in their modifier word.  A press (down,
  // click, dblclick, drag-to) where the cursor is not yet is preceded by one
  // cursor move there, unless the command asks for a bare press.
  AIErr operator()(const cmd::Mouse& c);
  AIErr operator()(const cmd::Click& c);
  AIErr operator()(const cmd::DragTo& c);
  // Changes of the held keys reach the plug-in through the host; holding a
  // key already held or releasing one not held fails.
  AIErr operator()(const cmd::Hold& c);
  AIErr operator()(const cmd::Release& c);
  AIErr operator()(const cmd::Zoom& c);
  AIErr operator()(const cmd::Scroll& c);
  AIErr operator()(const cmd::SmartGuides& c);
  // An unknown item name fails and lists the named items.
  AIErr operator()(const cmd::Menu& c);
  AIErr operator()(const cmd::SelectArt& c);
  AIErr operator()(const cmd::TransformAgain& c);
  // Fail when there is nothing to undo or redo.
  AIErr operator()(const cmd::Undo& c);
  AIErr operator()(const cmd::Redo& c);
  AIErr operator()(const cmd::SetPref& c);
  AIErr operator()(const cmd::InjectFault& c);
  // A file that cannot be written is a FailureKind::Document failure.
  AIErr operator()(const cmd::Save& c);
  // Redraws the overlay, then writes the picture; a file that cannot be
  // written is a FailureKind::Document failure.
  AIErr operator()(const cmd::Snapshot& c);
  // Nothing by itself: RunScript applies it to the command after it.
  AIErr operator()(const cmd::ExpectError& c);
  AIErr operator()(const cmd::ExpectCount& c);
  AIErr operator()(const cmd::ExpectAnchorsOnCircle& c);
  AIErr operator()(const cmd::ExpectCursor& c);
  AIErr operator()(const cmd::ExpectTool& c);
  AIErr operator()(const cmd::ExpectPref& c);
  AIErr operator()(const cmd::ExpectNoLeaks& c);
  // The plug-in's dialogs (DialogCommands.cpp).  Acting with no dialog open,
  // on an item it does not have, or on a disabled or hidden item fails.
  AIErr operator()(const cmd::ListMenus& c);
  AIErr operator()(const cmd::DialogSet& c);
  AIErr operator()(const cmd::DialogToggle& c);
  AIErr operator()(const cmd::DialogPress& c);
  AIErr operator()(const cmd::DialogKey& c);
  AIErr operator()(const cmd::DialogClose& c);
  AIErr operator()(const cmd::Appearance& c);
  AIErr operator()(const cmd::ExpectOpened& c);
  AIErr operator()(const cmd::ExpectDialog& c);
  AIErr operator()(const cmd::ExpectDialogItem& c);

 private:
  AIRealPoint ToArtwork(const Position& p) const;
  AIErr MoveBeforePress(AIRealPoint p, bool bare);
  std::filesystem::path OutputPath(const std::string& file) const;
  void RequireTool(const std::string& title) const;

  host::Host& host_;
  const RunOptions& options_;
  const Holdings before_;
  // Where the last mouse event happened: the cursor is there (the snapshot
  // draws it there, and a press there needs no move first).
  std::optional<AIRealPoint> lastMouse_;
};

}  // namespace cli
