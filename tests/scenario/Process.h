// Runs a program as a child process and collects what it did: its exit
// status and everything it wrote to standard output and standard error.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace scenario {

struct ProcessResult {
  int exitCode = -1;  // -1 when the child did not exit normally
  std::string out;
  std::string err;
};

struct ProcessOptions {
  // Variables to set in the child's environment (nullopt: remove it).
  std::map<std::string, std::optional<std::string>> environment;
  std::string input;  // standard input
  std::filesystem::path workingDirectory;  // empty: this process's
};

// Throws std::runtime_error when the child cannot be started.
ProcessResult RunProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const ProcessOptions& options = {});

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string ReadFile(const std::filesystem::path& file);
void WriteFile(const std::filesystem::path& file, const std::string& text);

}  // namespace scenario
