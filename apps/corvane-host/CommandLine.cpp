#include "apps/corvane-host/CommandLine.h"

#include <utility>

#include "apps/script/CommandTable.h"

namespace app {
namespace {

// An option that takes a value: its names and where the value goes.
struct ValueOption {
  std::string_view shortName;  // empty when it has none
  std::string_view longName;
  std::optional<std::string> Options::*text = nullptr;
  std::optional<std::filesystem::path> Options::*path = nullptr;
};

constexpr ValueOption kValueOptions[] = {
    {"", "--example", &Options::example, nullptr},
    {"", "--script", &Options::script, nullptr},
    {"-o", "--output", nullptr, &Options::output},
    {"", "--plugin", nullptr, &Options::plugin},
    {"", "--prefs", nullptr, &Options::preferences},
};

const ValueOption* FindValueOption(std::string_view name) {
  for (const ValueOption& o : kValueOptions) {
    if (name == o.longName || (!o.shortName.empty() && name == o.shortName)) return &o;
  }
  return nullptr;
}

void Store(Options& options, const ValueOption& o, std::string value) {
  const bool given = o.text ? (options.*o.text).has_value() : (options.*o.path).has_value();
  if (given) throw UsageError(std::string(o.longName) + " is given twice");
  if (value.empty()) throw UsageError(std::string(o.longName) + " needs a non-empty value");
  if (o.text) {
    options.*o.text = std::move(value);
  } else {
    options.*o.path = std::filesystem::path(std::move(value));
  }
}

void StoreInput(Options& options, std::string_view arg) {
  if (options.input) throw UsageError("only one input document may be given (found '" + std::string(arg) + "')");
  if (arg.empty()) throw UsageError("the input document name is empty");
  if (arg == "-") throw UsageError("the input document must be a file; standard input can only carry the script");
  options.input = std::filesystem::path(arg);
}

void CheckComplete(const Options& options) {
  if (options.input && options.example) throw UsageError("give an input document or --example, not both");
  if (!options.input && !options.example) throw UsageError("no input document (give INPUT.svg or --example NAME)");
}

}  // namespace

Options ParseCommandLine(std::span<const std::string_view> args) {
  Options options;
  bool onlyInputs = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (onlyInputs || arg.empty() || arg[0] != '-' || arg == "-") {
      StoreInput(options, arg);
    } else if (arg == "--") {
      onlyInputs = true;
    } else if (arg == "--help" || arg == "-h") {
      Options help;
      help.help = true;
      return help;
    } else if (arg == "--version") {
      Options version;
      version.version = true;
      return version;
    } else if (arg == "--keep-going") {
      options.keepGoing = true;
    } else {
      const std::size_t equals = arg.find('=');
      const bool inlineValue = arg.starts_with("--") && equals != std::string_view::npos;
      const ValueOption* o = FindValueOption(inlineValue ? arg.substr(0, equals) : arg);
      if (!o) throw UsageError("unknown option '" + std::string(arg) + "'");
      if (inlineValue) {
        Store(options, *o, std::string(arg.substr(equals + 1)));
      } else if (i + 1 == args.size()) {
        throw UsageError(std::string(arg) + " needs a value");
      } else {
        Store(options, *o, std::string(args[++i]));
      }
    }
  }
  CheckComplete(options);
  return options;
}

std::string HelpText() {
  std::string text = std::string("Usage: ") + kProgramName + " [OPTIONS] INPUT.svg\n" + "       " + kProgramName +
                     " [OPTIONS] --example NAME\n" +
                     R"(
Opens an SVG document in a headless host, loads the Corvane plug-in, replays a
script of tool gestures, menu commands and checks, and writes the document.

Options:
  --script FILE     the script to replay; - reads it from standard input
  -o, --output FILE write the document here when the script succeeds
                    (- for standard output); nothing is written otherwise
  --example NAME    open the bundled example NAME.svg, and replay NAME.cvs
                    when there is one and --script is not given
  --plugin PATH     the plug-in module (default: $CORVANE_PLUGIN, then
                    Corvane.aip beside this program, then the one built with it)
  --prefs FILE      the preference file (default: the host's own)
  --keep-going      go on after a command the plug-in failed (it still counts)
  -h, --help        show this help and exit
  --version         show the version and exit

Exit status:
  0  success
  1  the script is malformed, or a command or check in it failed
  2  the command line is wrong, or the script file cannot be read
  3  a document could not be read or written
  4  the plug-in could not be loaded, started or shut down

Script commands (POINT is "X Y" in artwork points, y up, or "view PX PY"):
)";
  for (const cli::CommandEntry& c : cli::CommandTable()) text += "  " + std::string(c.syntax.usage) + "\n";
#if !CORVANE_HAVE_RENDERER
  text += "\nThis build has no renderer (cairo is not available for its platform): snapshot\n"
          "redraws the plug-in's overlay but writes no picture, and says so.\n";
#endif
  return text + "\nThe script format and every command are described in docs/command-line-host.md.\n";
}

std::string VersionText() { return std::string(kProgramName) + " " + CORVANE_VERSION + "\n"; }

}  // namespace app
