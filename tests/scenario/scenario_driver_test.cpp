// Runs every scenario under cases/ through the real plug-in module, with the
// same session code the command-line host uses.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>
#include <sstream>

#include "apps/script/Parser.h"
#include "apps/script/Session.h"
#include "host/model/Document.h"
#include "host/svg/Svg.h"
#include "tests/scenario/Process.h"
#include "tests/scenario/ScenarioCase.h"

namespace scenario {
namespace {

using ::testing::HasSubstr;

constexpr const char* kScriptFile = "script.cvs";
constexpr const char* kInputFile = "input.svg";
constexpr const char* kPreferencesFile = "preferences.ini";
constexpr const char* kOutputFile = "output.svg";

class Scenario : public ::testing::TestWithParam<ScenarioCase> {};

cli::Script ParseCaseScript(const ScenarioCase& c) {
  cli::ParseResult parsed = cli::ParseScript(ReadFile(c.folder / kScriptFile), kScriptFile);
  for (const cli::Diagnostic& d : parsed.errors) ADD_FAILURE() << c.name << "/" << cli::ToString(d);
  return std::move(parsed.script);
}

// The preference file a case starts with: its own, copied so that the run
// cannot change it, or none.
std::filesystem::path PreparePreferences(const ScenarioCase& c, const TempDir& work) {
  const std::filesystem::path copy = work / kPreferencesFile;
  if (std::filesystem::exists(c.folder / kPreferencesFile)) {
    std::filesystem::copy_file(c.folder / kPreferencesFile, copy);
  }
  return copy;
}

TEST_P(Scenario, EndsAsExpected) {
  const ScenarioCase& c = GetParam();
  const cli::Script script = ParseCaseScript(c);
  ASSERT_FALSE(HasFailure()) << "the case's script must parse";
  const TempDir work;
  const cli::SessionConfig config{.plugin = CORVANE_PLUGIN_MODULE,
                                  .input = c.folder / kInputFile,
                                  .preferences = PreparePreferences(c, work),
                                  .output = work / kOutputFile,
                                  .run = {.keepGoing = false, .saveDirectory = work.path()},
                                  .programName = "corvane-host"};
  std::ostringstream messages;
  std::ostringstream out;
  const int status = static_cast<int>(cli::RunSession(config, script, messages, out));

  EXPECT_EQ(status, c.expectedExit) << messages.str();
  for (const std::string& text : c.expectedMessages) EXPECT_THAT(messages.str(), HasSubstr(text));
  if (c.expectedExit == 0) {
    EXPECT_EQ(messages.str(), "");
    EXPECT_NO_THROW(host::svg::ReadSvg(work / kOutputFile));
  } else {
    EXPECT_FALSE(std::filesystem::exists(work / kOutputFile)) << "a failed run must not write its output";
  }
}

std::string CaseName(const ::testing::TestParamInfo<ScenarioCase>& info) {
  std::string name = info.param.name;
  for (char& ch : name) {
    if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
  }
  return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, Scenario, ::testing::ValuesIn(FindCases(CORVANE_SCENARIO_CASES)), CaseName);

}  // namespace
}  // namespace scenario
