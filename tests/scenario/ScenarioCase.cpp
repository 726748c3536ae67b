#include "tests/scenario/ScenarioCase.h"

#include <algorithm>
#include <charconv>
#include <sstream>
#include <stdexcept>

#include "tests/scenario/Process.h"

namespace scenario {
namespace {

constexpr const char* kExpectedExitFile = "expected-exit";

void ReadExpectedExit(ScenarioCase& c) {
  const std::filesystem::path file = c.folder / kExpectedExitFile;
  if (!std::filesystem::exists(file)) return;
  std::istringstream lines(ReadFile(file));
  std::string first;
  std::getline(lines, first);
  auto [end, ec] = std::from_chars(first.data(), first.data() + first.size(), c.expectedExit);
  if (ec != std::errc{} || end != first.data() + first.size()) {
    throw std::runtime_error(file.string() + ":1: expected an exit status, found '" + first + "'");
  }
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty()) c.expectedMessages.push_back(line);
  }
}

}  // namespace

std::vector<ScenarioCase> FindCases(const std::filesystem::path& root) {
  std::vector<ScenarioCase> cases;
  for (const auto& entry : std::filesystem::directory_iterator(root)) {
    if (!entry.is_directory()) continue;
    ScenarioCase c{.name = entry.path().filename().string(), .folder = entry.path(), .expectedExit = 0,
                   .expectedMessages = {}};
    ReadExpectedExit(c);
    cases.push_back(std::move(c));
  }
  std::sort(cases.begin(), cases.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
  return cases;
}

}  // namespace scenario
