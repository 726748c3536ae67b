// How the command-line host words a problem found in a script: "FILE:LINE:
// message", the form editors and compilers use, so that a failing line can be
// jumped to.
#pragma once

#include <stdexcept>
#include <string>

namespace cli {

struct Diagnostic {
  std::string file;
  int line = 0;  // 0: about the file as a whole
  std::string message;
};

std::string ToString(const Diagnostic& d);

// The shortest text that reads back as the same double, so that a message
// never shows two different numbers alike.
std::string FormatNumber(double value);

// A malformed line; the parser adds the file and line number.
class ScriptSyntaxError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace cli
