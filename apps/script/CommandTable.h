// Every script command: the words that name it, its usage line, and how its
// arguments are read.  The order is the one the help and the documentation
// list them in.
#pragma once

#include <string_view>
#include <vector>

#include "apps/script/Arguments.h"
#include "apps/script/Script.h"

namespace cli {

struct CommandSyntax {
  std::string_view words;  // "tool", "expect paths"
  std::string_view usage;  // "tool TITLE"
};

struct CommandEntry {
  CommandSyntax syntax;
  // Reads the arguments after the command words; the caller checks that
  // none are left over.
  Command (*parse)(Arguments&);
};

const std::vector<CommandEntry>& CommandTable();

}  // namespace cli
