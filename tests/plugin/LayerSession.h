// The dialog layer of the test process started for a loaded module, for
// tests that call the plug-in's image and cursor code directly: the layer
// supplies the module handle, the pixel scale and the image id table.
#pragma once

#include "QMDM/ImplCommon/QMDMLayer.h"
#include "host/runtime/Suites.h"
#include "hostcall/HostCall.h"
#include "tests/plugin/PluginHost.h"
#include "tools/framework/Cursors.h"

namespace plugin_test {

inline host::HostOptions DensityOptions(int major, int minor, int dpi) {
  host::HostOptions options = TestOptions();
  options.appMajor = major;
  options.appMinor = minor;
  options.displayDpi = dpi;
  return options;
}

// A host with the module loaded, and inside one host call the test process's
// dialog layer started for its plug-in.
class LayerSession {
 public:
  explicit LayerSession(host::HostOptions options = TestOptions()) : host_(options) {
    ai::SetPluginBasicSuite(&host::runtime::BasicSuite());
    QMDM::Start(host_->PluginRef());
    Tools::LoadImageTable(QMDM::ModuleHandle());
  }
  ~LayerSession() {
    QMDM::Stop();
    ai::SetPluginBasicSuite(nullptr);
  }
  LayerSession(const LayerSession&) = delete;
  LayerSession& operator=(const LayerSession&) = delete;

  host::Host& host() { return *host_; }

 private:
  LoadedHost host_;
  ai::HostCallScope call_{&host::runtime::BasicSuite()};
};

}  // namespace plugin_test
