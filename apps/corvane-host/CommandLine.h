// The command line of corvane-host: options, help and version texts.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace app {

inline constexpr const char* kProgramName = "corvane-host";

struct Options {
  bool help = false;
  bool version = false;
  std::optional<std::filesystem::path> input;
  std::optional<std::string> example;
  std::optional<std::string> script;  // a file, or "-" for standard input
  std::optional<std::filesystem::path> output;
  std::optional<std::filesystem::path> plugin;
  std::optional<std::filesystem::path> preferences;
  bool keepGoing = false;
};

// A command line that cannot be used; the message says why.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// args without the program name.  --help and --version end the parsing where
// they stand, so that they work whatever follows them.  Checks only the form
// of the command line: whether the files exist is found out when they are
// used.
Options ParseCommandLine(std::span<const std::string_view> args);

std::string HelpText();
std::string VersionText();

}  // namespace app
