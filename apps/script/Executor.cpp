#include "apps/script/Executor.h"

#include <optional>
#include <string>
#include <utility>

#include "apps/script/CommandRunner.h"
#include "apps/script/ErrorCodes.h"

namespace cli {
namespace {

// Runs one line; nothing when it succeeded.  expected: the code an
// expect-error before it asked for.
std::optional<Failure> RunLine(CommandRunner& runner, const Script& script, const Line& line,
                               std::optional<AIErr> expected) {
  auto fail = [&](FailureKind kind, const std::string& message) {
    return Failure{kind, {script.name, line.number, line.verb + ": " + message}};
  };
  try {
    const AIErr code = std::visit(runner, line.command);
    if (expected && code != *expected) {
      return fail(FailureKind::Script,
                  "expected the plug-in to return " + DescribeCode(*expected) + ", but it returned " + DescribeCode(code));
    }
    if (!expected && code != kNoErr) return fail(FailureKind::PluginCode, "the plug-in returned " + DescribeCode(code));
    return std::nullopt;
  } catch (const CommandFailure& f) {
    return fail(f.kind, f.message);
  } catch (const std::exception& e) {
    return fail(FailureKind::Script, e.what());
  }
}

}  // namespace

RunReport RunScript(host::Host& host, const Script& script, const RunOptions& options) {
  RunReport report;
  CommandRunner runner(host, options);
  std::optional<AIErr> expected;
  report.completed = true;
  for (const Line& line : script.lines) {
    if (const auto* e = std::get_if<cmd::ExpectError>(&line.command)) {
      expected = e->code;
      continue;
    }
    std::optional<Failure> failure = RunLine(runner, script, line, std::exchange(expected, std::nullopt));
    if (!failure) continue;
    const bool passOver = options.keepGoing && failure->kind == FailureKind::PluginCode;
    report.failures.push_back(std::move(*failure));
    if (!passOver) {
      report.completed = false;
      break;
    }
  }
  host.faults().Clear();
  return report;
}

}  // namespace cli
