#include "tools/framework/ToolView.h"

#include "hostcall/HostCall.h"
#include "tools/framework/AnnoRenderBase.h"

namespace Tools {

AIPoint CurrentViewPoint(AIRealPoint p) {
  ai::SuiteSet& suites = ai::Suites();
  return AII::ArtworkToView(suites, AII::CurrentView(suites), p);
}

}  // namespace Tools
