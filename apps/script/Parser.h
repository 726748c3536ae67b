// Turns the text of a gesture script into a Script.
//
// The format, one command per line:
//   # a comment, from a '#' that starts a word to the end of the line
//   tool "QM Circle by 2 or 3 points"
//   down 100 200          # artwork points, y up
//   drag view 340 260     # view pixels, y down
//   up 150 200
// The command words and their arguments are listed by CommandTable(); the
// command-line host's documentation describes each one.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "apps/script/Diagnostics.h"
#include "apps/script/Script.h"

namespace cli {

struct ParseResult {
  Script script;
  // Every malformed line, in order; the script must not run unless empty.
  std::vector<Diagnostic> errors;
};

// name is how messages refer to the script (its path, or "<stdin>").
ParseResult ParseScript(std::string_view text, const std::string& name);

}  // namespace cli
