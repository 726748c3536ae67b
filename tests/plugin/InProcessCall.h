// The plug-in's objects driven directly in the test process, on a loaded
// host's suites: the basic suite the plug-in keeps from "Reload" set as
// "Reload" would set it, and optionally one host call in progress.
#pragma once

#include "host/runtime/Suites.h"
#include "hostcall/HostCall.h"
#include "tests/plugin/PluginHost.h"

namespace plugin_test {

// The plug-in's stored basic suite for the scope's length.
class PluginBasicScope {
 public:
  PluginBasicScope() : previous_(ai::PluginBasicSuite()) { ai::SetPluginBasicSuite(&host::runtime::BasicSuite()); }
  ~PluginBasicScope() { ai::SetPluginBasicSuite(previous_); }
  PluginBasicScope(const PluginBasicScope&) = delete;
  PluginBasicScope& operator=(const PluginBasicScope&) = delete;

 private:
  const SPBasicSuite* previous_;
};

// A loaded host, the stored basic suite, and no host call in progress: how
// dialog handlers run.
class OutsideHostCall {
 public:
  explicit OutsideHostCall(host::HostOptions options = TestOptions()) : host_(options) {}
  host::Host& host() { return *host_; }

 private:
  LoadedHost host_;
  PluginBasicScope basic_;
};

// The same inside one host call, with tool messages to hand the objects.
class InProcessCall : public OutsideHostCall {
 public:
  using OutsideHostCall::OutsideHostCall;

  // A tool message at p with the modifier word.
  AIToolMessage& Message(AIRealPoint p, uint16_t modifiers = 0) {
    event_ = AIEvent{};
    event_.modifiers = modifiers;
    message_ = AIToolMessage{};
    message_.d.basic = &host::runtime::BasicSuite();
    message_.cursor = p;
    message_.event = &event_;
    return message_;
  }

 private:
  ai::HostCallScope call_{&host::runtime::BasicSuite()};
  AIEvent event_{};
  AIToolMessage message_{};
};

}  // namespace plugin_test
