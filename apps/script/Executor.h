// Replays a parsed script on a running host, command by command.
//
// A command fails when the plug-in returns a non-zero code (unless an
// expect-error before it asked for that code), when the host refuses it (an
// unknown tool title or menu item, nothing to undo, a document that cannot be
// saved), or when a check finds something other than it expected.  The first
// failure ends the run; with keepGoing only plug-in codes are passed over, as
// the other failures leave the script's own assumptions broken.
//
// Faults injected by the script last until the run ends and are then cleared,
// so that they never reach the plug-in's shut-down.
#pragma once

#include <filesystem>
#include <vector>

#include "apps/script/Diagnostics.h"
#include "apps/script/Script.h"
#include "host/Host.h"

namespace cli {

struct RunOptions {
  bool keepGoing = false;
  // Where a relative `save FILE` goes; empty: the working directory.
  std::filesystem::path saveDirectory;
};

enum class FailureKind {
  PluginCode,  // the plug-in returned a code nobody asked for
  Document,    // a document could not be written
  Script,      // the host refused a command, or a check failed
};

struct Failure {
  FailureKind kind = FailureKind::Script;
  Diagnostic diagnostic;
};

struct RunReport {
  std::vector<Failure> failures;  // in the order they happened
  bool completed = false;         // every line was run
};

RunReport RunScript(host::Host& host, const Script& script, const RunOptions& options);

}  // namespace cli
