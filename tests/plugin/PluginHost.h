// A stand-in host with the real plug-in module loaded, for the plug-in's
// tests, and small helpers to find what the plug-in registered.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "host/Host.h"

namespace plugin_test {

// The preference file of this test process, removed when it ends.  One per
// process: CTest runs test processes side by side, and a preference one of
// them stores (a script's ruler type) must not reach another.
inline const std::filesystem::path& TestPreferencesFile() {
  static const struct File {
    std::filesystem::path path = std::filesystem::temp_directory_path() /
                                 ("corvane-plugin-tests-" + std::to_string(std::random_device{}()) + ".ini");
    File() { std::filesystem::remove(path); }
    ~File() {
      std::error_code ignored;
      std::filesystem::remove(path, ignored);
    }
  } file;
  return file.path;
}

inline host::HostOptions TestOptions() {
  host::HostOptions options;
  // Tests never touch the user's own preference file.
  options.preferencesFile = TestPreferencesFile();
  return options;
}

// A host with a document and the module loaded ("Reload" sent), not started.
class LoadedHost {
 public:
  explicit LoadedHost(host::HostOptions options = TestOptions()) : host_(options) {
    host_.NewDocument();
    host_.LoadPlugin(CORVANE_MODULE_PATH);
  }
  host::Host& operator*() { return host_; }
  const host::Host& operator*() const { return host_; }
  host::Host* operator->() { return &host_; }
  const host::Host* operator->() const { return &host_; }

 private:
  host::Host host_;
};

// A LoadedHost whose plug-in has started.
class StartedHost : public LoadedHost {
 public:
  StartedHost() { EXPECT_EQ((*this)->Startup(), kNoErr); }
};

inline std::optional<host::ToolInfo> ToolTitled(const host::Host& h, std::string_view title) {
  for (const host::ToolInfo& tool : h.Tools())
    if (tool.title == title) return tool;
  return std::nullopt;
}

inline std::optional<host::AnnotatorInfo> AnnotatorNamed(const host::Host& h, std::string_view name) {
  for (const host::AnnotatorInfo& annotator : h.Annotators())
    if (annotator.name == name) return annotator;
  return std::nullopt;
}

inline std::optional<host::NotifierInfo> NotifierNamed(const host::Host& h, std::string_view name) {
  for (const host::NotifierInfo& notifier : h.Notifiers())
    if (notifier.name == name) return notifier;
  return std::nullopt;
}

inline std::vector<bool> AnnotatorStates(const host::Host& h) {
  std::vector<bool> states;
  for (const host::AnnotatorInfo& annotator : h.Annotators()) states.push_back(annotator.active);
  return states;
}

}  // namespace plugin_test
