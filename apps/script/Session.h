// One run of the command-line host from start to end: start the host with the
// plug-in, open the input document, replay the script, write the output, shut
// the plug-in down.  The command-line program and the scenario tests both run
// through here, so that a scenario sees exactly what a user would.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "apps/script/Executor.h"
#include "apps/script/Script.h"

namespace cli {

// The program's exit status; each failure class has its own so that a
// calling script can tell them apart.
enum class ExitCode : int {
  Success = 0,
  ScriptFailed = 1,   // a malformed script, a command the host refused or
                      // the plug-in failed, or a check that did not hold
  Usage = 2,          // a wrong command line
  DocumentError = 3,  // the input could not be read, or an output written
  PluginError = 4,    // the plug-in could not be loaded, started or shut down
};

// Written as the output file name, the output goes to standard output.
inline constexpr const char* kStandardStream = "-";

struct SessionConfig {
  std::filesystem::path plugin;
  std::filesystem::path input;
  // Empty: the host's default preference file.
  std::filesystem::path preferences;
  // Nothing: the document is not written (the script's checks are the
  // result).
  std::optional<std::filesystem::path> output;
  RunOptions run;
  // Starts every message that is not about a script line.
  std::string programName = "corvane-host";
};

// The output is written only when the script ran to its end: with no failure
// at all, or with keepGoing and only plug-in codes passed over (the status is
// then ScriptFailed all the same).  Messages go to `messages`, an output named
// "-" to `out`.
ExitCode RunSession(const SessionConfig& config, const Script& script, std::ostream& messages, std::ostream& out);

}  // namespace cli
