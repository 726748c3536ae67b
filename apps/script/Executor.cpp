#include "apps/script/Executor.h"

#include <optional>
#include <string>
#include <utility>

#include "apps/script/CommandRunner.h"
#include "apps/script/ErrorCodes.h"
#include "host/Dialogs.h"

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

// Replays the lines in order.  While a command runs a dialog's modal loop,
// the host calls back (the modal driver) and the lines after that command
// run inside the loop until the dialog ends; the outer loop then goes on
// after them.
class Replay {
 public:
  Replay(host::Host& host, const Script& script, const RunOptions& options)
      : host_(host), script_(script), options_(options), runner_(host, options) {}

  RunReport Run() {
    report_.completed = true;
    host::SetModalDriver(host_, [this] { DriveModalLoop(); });
    RunUntil([] { return false; });
    host::SetModalDriver(host_, nullptr);
    return std::move(report_);
  }

 private:
  template <class Done>
  void RunUntil(Done&& done) {
    while (!stopped_ && next_ < script_.lines.size() && !done()) {
      const Line& line = script_.lines[next_++];
      if (const auto* e = std::get_if<cmd::ExpectError>(&line.command)) {
        expected_ = e->code;
        continue;
      }
      std::optional<Failure> failure = RunLine(runner_, script_, line, std::exchange(expected_, std::nullopt));
      if (!failure) continue;
      const bool passOver = options_.keepGoing && failure->kind == FailureKind::PluginCode;
      report_.failures.push_back(std::move(*failure));
      if (!passOver) {
        report_.completed = false;
        stopped_ = true;
      }
    }
  }

  // The script's next lines act in the dialog; a script that runs out while
  // the dialog is open fails naming it, and the host then cancels the
  // dialog so that the plug-in can unwind.
  void DriveModalLoop() {
    const int depth = host::ModalDepth(host_);
    const std::optional<host::WindowInfo> dialog = host::ActiveDialog(host_);
    const int opener = next_ > 0 ? script_.lines[next_ - 1].number : 0;
    RunUntil([&] { return host::ModalDepth(host_) < depth; });
    if (stopped_ || host::ModalDepth(host_) < depth) return;
    const std::string name = dialog ? dialog->name : std::string("(unnamed)");
    report_.failures.push_back(Failure{
        FailureKind::Script,
        {script_.name, opener,
         "the script ended while the dialog \"" + name + "\" it opened was still open; the dialog was cancelled"}});
    report_.completed = false;
    stopped_ = true;
  }

  host::Host& host_;
  const Script& script_;
  const RunOptions& options_;
  CommandRunner runner_;
  RunReport report_;
  std::size_t next_ = 0;
  std::optional<AIErr> expected_;
  bool stopped_ = false;
};

}  // namespace

RunReport RunScript(host::Host& host, const Script& script, const RunOptions& options) {
  RunReport report = Replay(host, script, options).Run();
  host.faults().Clear();
  return report;
}

}  // namespace cli
