// Steps a test runs inside the modal loops of the dialogs it opens, the way
// the command-line host replays a script: each loop takes the next steps
// until its dialog ends, so a step that opens a nested dialog hands the
// steps after it to the nested loop.
#pragma once

#include <functional>
#include <utility>
#include <vector>

#include "host/Dialogs.h"

namespace plugin_test {

class DialogDriver {
 public:
  DialogDriver(host::Host& host, std::vector<std::function<void()>> steps) : host_(host), steps_(std::move(steps)) {
    host::SetModalDriver(host_, [this] { Drive(); });
  }
  ~DialogDriver() { host::SetModalDriver(host_, nullptr); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  bool AllRun() const { return next_ == steps_.size(); }

 private:
  void Drive() {
    const int depth = host::ModalDepth(host_);
    while (next_ < steps_.size() && host::ModalDepth(host_) >= depth) steps_[next_++]();
  }

  host::Host& host_;
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
};

}  // namespace plugin_test
