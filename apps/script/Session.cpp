#include "apps/script/Session.h"

#include <algorithm>

#include "apps/script/ErrorCodes.h"
#include "host/runtime/Preferences.h"
#include "host/svg/Svg.h"

namespace cli {
namespace {

class Reporter {
 public:
  Reporter(std::ostream& stream, const std::string& program) : stream_(stream), program_(program) {}
  void operator()(const std::string& message) const { stream_ << program_ << ": " << message << '\n'; }
  void operator()(const Diagnostic& d) const { stream_ << ToString(d) << '\n'; }

 private:
  std::ostream& stream_;
  const std::string& program_;
};

bool StartPlugin(host::Host& host, const std::filesystem::path& plugin, const Reporter& say) {
  try {
    host.LoadPlugin(plugin);
  } catch (const host::HostError& e) {
    say(e.what());
    return false;
  }
  if (const AIErr err = host.Startup()) {
    say("the plug-in " + plugin.string() + " failed to start: it returned " + DescribeCode(err));
    return false;
  }
  return true;
}

bool WriteOutput(const host::Host& host, const std::filesystem::path& output, std::ostream& out,
                 const Reporter& say) {
  try {
    if (output == kStandardStream) {
      out << host::svg::FormatSvg(host.document()) << std::flush;
      return static_cast<bool>(out);
    }
    host.SaveDocument(output);
    return true;
  } catch (const host::HostError& e) {
    say(e.what());
    return false;
  }
}

ExitCode StatusOf(const RunReport& report) {
  if (report.failures.empty()) return ExitCode::Success;
  const bool documentFailed = std::any_of(report.failures.begin(), report.failures.end(),
                                          [](const Failure& f) { return f.kind == FailureKind::Document; });
  return documentFailed ? ExitCode::DocumentError : ExitCode::ScriptFailed;
}

}  // namespace

ExitCode RunSession(const SessionConfig& config, const Script& script, std::ostream& messages, std::ostream& out) {
  const Reporter say(messages, config.programName);
  host::HostOptions options;
  options.preferencesFile = config.preferences;
  host::Host host(options);
  if (const std::string& problem = host.preferences().LoadProblem(); !problem.empty()) {
    say("warning: " + problem +
        "; lines that cannot be read are skipped and kept as they are (a copy of the file is kept as .bad on the "
        "first change)");
  }
  if (!StartPlugin(host, config.plugin, say)) return ExitCode::PluginError;
  try {
    for (const std::string& note : host.OpenDocument(config.input)) say("note: " + config.input.string() + ": " + note);
  } catch (const host::HostError& e) {
    say(e.what());
    return ExitCode::DocumentError;
  }
  const RunReport report = RunScript(host, script, config.run);
  for (const Failure& f : report.failures) say(f.diagnostic);
  ExitCode status = StatusOf(report);
  if (report.completed && config.output && !WriteOutput(host, *config.output, out, say)) {
    status = ExitCode::DocumentError;
  }
  if (const AIErr err = host.Shutdown()) {
    say("the plug-in's shut-down returned " + DescribeCode(err));
    if (status == ExitCode::Success) status = ExitCode::PluginError;
  }
  return status;
}

}  // namespace cli
