// A scenario: a folder under cases/ holding
//   input.svg        the document the script starts on
//   script.cvs       the gestures and the checks
//   preferences.ini  (optional) the preference file the host starts with
//   expected-exit    (optional) the exit status the run must end with
//                    (default 0) on its first line; every further non-empty
//                    line is text the messages must contain
// A run that must succeed must also print nothing and write an output
// document that reads back; a run that must fail must write none.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace scenario {

struct ScenarioCase {
  std::string name;  // the folder's name
  std::filesystem::path folder;
  int expectedExit = 0;
  std::vector<std::string> expectedMessages;
};

// Test names show the case by its folder.
inline void PrintTo(const ScenarioCase& c, std::ostream* os) { *os << c.name; }

// Every case folder under `root`, sorted by name.  Throws std::runtime_error
// for a malformed expected-exit file.
std::vector<ScenarioCase> FindCases(const std::filesystem::path& root);

}  // namespace scenario
