// What the runtime tests share: the fixture plug-in's controls, a Host with
// its preferences in a fresh folder, and a way to run test code as the
// plug-in from inside a real PIMain call.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/Host.h"
#include "sdk/Corvane.h"

namespace host::testing {

inline constexpr const char* kFixturePlugin = CORVANE_FIXTURE_PLUGIN;
inline constexpr const char* kFixtureNoEntry = CORVANE_FIXTURE_NOENTRY;
inline constexpr const char* kFixtureTruncated = CORVANE_FIXTURE_TRUNCATED;

// A message the host's protocol does not know; the fixture only logs it and
// runs its handler, which is how tests act as the plug-in.
inline constexpr const char* kTestCaller = "Corvane Test";
inline constexpr const char* kTestSelector = "Run";

// The controls of the fixture plug-in module.
class FixtureModule {
 public:
  using Handler = std::function<SPErr(void* message)>;

  explicit FixtureModule(const char* path);
  ~FixtureModule();
  FixtureModule(const FixtureModule&) = delete;
  FixtureModule& operator=(const FixtureModule&) = delete;

  // The handler runs when the plug-in receives caller/selector.
  void On(const std::string& caller, const std::string& selector, Handler handler);
  // "caller/selector" per message, oldest first.
  std::vector<std::string> Log() const;
  void Reset();

 private:
  static SPErr Trampoline(void* context, const char* caller, const char* selector, void* message);
  void* handle_ = nullptr;
  void (*setHook_)(SPErr (*)(void*, const char*, const char*, void*), void*) = nullptr;
  const char* (*log_)() = nullptr;
  void (*reset_)() = nullptr;
  std::map<std::string, Handler> handlers_;
};

// A suite acquired through a basic suite for the life of the object.
template <class Suite>
class Acquired {
 public:
  Acquired(const SPBasicSuite* basic, const char* name, int32_t version) : basic_(basic), name_(name), version_(version) {
    const void* table = nullptr;
    error_ = basic_->AcquireSuite(name, version, &table);
    suite_ = static_cast<const Suite*>(table);
  }
  ~Acquired() {
    if (suite_) basic_->ReleaseSuite(name_, version_);
  }
  Acquired(const Acquired&) = delete;
  Acquired& operator=(const Acquired&) = delete;
  AIErr error() const { return error_; }
  const Suite* operator->() const { return suite_; }
  const Suite* get() const { return suite_; }

 private:
  const SPBasicSuite* basic_;
  const char* name_;
  int32_t version_;
  AIErr error_ = kNoErr;
  const Suite* suite_ = nullptr;
};

class RuntimeTest : public ::testing::Test {
 protected:
  RuntimeTest();
  ~RuntimeTest() override;

  HostOptions Options() const;
  std::filesystem::path PreferencesFile() const { return dir_ / "preferences.ini"; }
  // Makes the host, loads the fixture plug-in and starts it.
  Host& StartHost(HostOptions options);
  Host& StartHost() { return StartHost(Options()); }
  // Runs body as the plug-in inside one message and returns PIMain's result.
  AIErr RunInPlugin(const std::function<AIErr(SPMessageData& header)>& body);
  // A document with one open path of two anchors, made through the suites as
  // the plug-in would; the message's result.
  static AIErr AddLine(const SPMessageData& header, AIRealPoint a, AIRealPoint b);

  std::filesystem::path dir_;
  FixtureModule plugin_{kFixturePlugin};
  std::unique_ptr<Host> host_;
};

}  // namespace host::testing
