#include "apps/corvane-host/App.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <system_error>

#include "apps/corvane-host/CommandLine.h"
#include "apps/corvane-host/Locations.h"
#include "apps/script/Parser.h"

namespace app {
namespace {

using cli::ExitCode;

constexpr const char* kStdinName = "<stdin>";
constexpr const char* kStandardInput = "-";

// A problem found before the host starts, with the status it ends the run with.
struct Stop {
  ExitCode code;
  std::string message;
};

std::string Quoted(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

std::string JoinNames(const std::vector<std::string>& names) {
  std::string list;
  for (const std::string& n : names) list += (list.empty() ? "" : ", ") + n;
  return list.empty() ? "(none)" : list;
}

// Fills in the input and the script that --example stands for.
void ResolveExample(Options& options) {
  if (!options.example) return;
  const std::optional<Example> example = FindExample(CORVANE_EXAMPLES_DIR, *options.example);
  if (!example) {
    throw Stop{ExitCode::Usage, "no example named '" + *options.example +
                                    "'; the examples are: " + JoinNames(ExampleNames(CORVANE_EXAMPLES_DIR))};
  }
  options.input = example->document;
  if (!options.script && example->script) options.script = example->script->string();
}

cli::Script LoadScript(const std::optional<std::string>& source, std::istream& in) {
  if (!source) return cli::Script{.name = "(no script)", .lines = {}};
  const bool fromStdin = *source == kStandardInput;
  std::ifstream file;
  std::error_code ec;
  // A folder opens like a file but reads as empty, which would pass for an
  // empty script.
  if (!fromStdin && !std::filesystem::is_directory(*source, ec)) file.open(*source, std::ios::binary);
  std::istream& stream = fromStdin ? in : file;
  const std::string text{std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
  if (!fromStdin && !file.is_open()) throw Stop{ExitCode::Usage, Quoted(*source) + ": cannot read the script"};
  cli::ParseResult parsed = cli::ParseScript(text, fromStdin ? kStdinName : *source);
  if (!parsed.errors.empty()) {
    std::string all;
    for (const cli::Diagnostic& d : parsed.errors) all += (all.empty() ? "" : "\n") + cli::ToString(d);
    throw Stop{ExitCode::ScriptFailed, all};
  }
  return std::move(parsed.script);
}

std::filesystem::path FindPlugin(const Options& options) {
  const char* env = std::getenv(kPluginEnvironmentVariable);
  const PluginLocation location = LocatePlugin({.option = options.plugin,
                                                .environment = env ? std::optional<std::string>(env) : std::nullopt,
                                                .executableDirectory = ExecutableDirectory(),
                                                .builtModule = CORVANE_BUILT_PLUGIN});
  if (location.found) return *location.found;
  std::string tried;
  for (const auto& p : location.tried) tried += (tried.empty() ? "" : ", ") + Quoted(p);
  throw Stop{ExitCode::PluginError, "no plug-in module found (looked at " + tried + "); give --plugin PATH or set " +
                                        kPluginEnvironmentVariable};
}

cli::SessionConfig Configure(const Options& options) {
  return cli::SessionConfig{.plugin = FindPlugin(options),
                            .input = *options.input,
                            .preferences = options.preferences.value_or(std::filesystem::path{}),
                            .output = options.output,
                            .run = {.keepGoing = options.keepGoing, .saveDirectory = {}},
                            .programName = kProgramName};
}

}  // namespace

ExitCode Run(std::span<const std::string_view> args, std::istream& in, std::ostream& out, std::ostream& err) {
  try {
    Options options = ParseCommandLine(args);
    if (options.help) {
      out << HelpText();
      return ExitCode::Success;
    }
    if (options.version) {
      out << VersionText();
      return ExitCode::Success;
    }
    ResolveExample(options);
    const cli::Script script = LoadScript(options.script, in);
    return cli::RunSession(Configure(options), script, err, out);
  } catch (const UsageError& e) {
    err << kProgramName << ": " << e.what() << "\nTry '" << kProgramName << " --help' for more information.\n";
    return ExitCode::Usage;
  } catch (const Stop& stop) {
    const bool scriptLines = stop.code == ExitCode::ScriptFailed;
    err << (scriptLines ? "" : std::string(kProgramName) + ": ") << stop.message << '\n';
    return stop.code;
  } catch (const std::exception& e) {
    // Only the host's own set-up can get here: everything a script or a
    // document does is reported by the session with its own status.
    err << kProgramName << ": the host could not run: " << e.what() << '\n';
    return ExitCode::PluginError;
  }
}

}  // namespace app
