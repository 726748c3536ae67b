// The dispatch table of PIMain: callers in the order they are recognised
// (the first matching caller wins), each with its selectors.
//
//   "SP Access"          "Reload", "Unload"
//   "SP Interface"       "Startup", "Shutdown"
//   "AI Tool"            the tool selectors, routed by tool handle
//   "AI Annotation"      "AI Draw", "AI Invalidate", routed by annotator handle
//   "AI Notifier"        "AI Notify": dialog layer, then the listener lists
//   "AI Menu"            "AI Go", "AI Update", routed by menu item handle
//   "AI Transform Again" "AI Go"
//
// Any other caller or selector is ignored.  Runs inside a host call; failures
// propagate as exceptions to PIMain's boundary.
#pragma once

#include "sdk/SPBasic.h"

namespace plugin {

// message: the host's record, starting with an SPMessageData whose basic
// suite is set.
void Dispatch(const char* caller, const char* selector, SPMessageData& message);

}  // namespace plugin
