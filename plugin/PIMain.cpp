// The plug-in's one entry point.  Every host message runs here inside a host
// call scope (the suite set lives while the outermost call runs) and one
// exception boundary (no exception ever reaches the host).
#include "plugin/Dispatch.h"
#include "hostcall/ErrorBoundary.h"
#include "plugin/Export.h"
#include "hostcall/HostCall.h"

extern "C" CORVANE_EXPORT SPErr PIMain(const char* caller, const char* selector, void* message) {
  // Without a header there is no basic suite to reach the host through.
  if (!message) return kBadParameterErr;
  auto& header = *static_cast<SPMessageData*>(message);
  if (!header.basic) return kBadParameterErr;
  const ai::HostCallScope call(header.basic);
  return ai::RunGuarded([&] { plugin::Dispatch(caller, selector, header); });
}
