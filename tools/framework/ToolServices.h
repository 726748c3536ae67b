// What the plug-in object lends its tools for their lifetime: the listener
// lists of the host notifiers and the record the host's Transform Again
// command repeats.  A tool that needs them takes them when it is made (the
// catalog passes them to every tool whose constructor asks for them); no tool
// reaches for the plug-in object itself.
#pragma once

#include "tools/framework/NotifierList.h"
#include "tools/framework/TransformAgain.h"

namespace Tools {

struct ToolServices {
  NotifierList& selectionChanged;   // "AI Art Selection Changed Notifier"
  NotifierList& modifiersChanged;   // "AI Tool Modifiers Changed Notifier"
  NotifierList& documentChanged;    // "AI Document Changed Notifier"
  TransformAgainRecord& transformAgain;
};

}  // namespace Tools
