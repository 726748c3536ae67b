#include "tools/framework/FeedbackPasses.h"

#include <algorithm>

#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
#include "tools/framework/AnnoRenderArea.h"
#include "tools/framework/AnnoRenderDrawCS4.h"
#include "tools/framework/BaseTool.h"
#include "tools/framework/ViewOffset.h"

namespace Tools {

namespace {

AIRect Grown(AIRect r, int64_t by) {
  return {AII::OffsetView(r.left, -by), AII::OffsetView(r.top, -by), AII::OffsetView(r.right, by),
          AII::OffsetView(r.bottom, by)};
}

// Artwork y points up and view y down, so the corners are ordered afresh.
AIRect Ordered(AIPoint a, AIPoint b) {
  return {std::min(a.h, b.h), std::min(a.v, b.v), std::max(a.h, b.h), std::max(a.v, b.v)};
}

}  // namespace

void DrawFeedbackPass(BaseTool& tool, AIAnnotatorMessage* message) {
  if (!message) ai::ThrowBadParameter();
  ai::SuiteSet& suites = ai::Suites();
  AII::AnnoRenderDrawCS4 surface(suites, AII::CurrentView(suites), message->drawer);
  surface.Prepare();
  tool.DrawFeedback(surface, false);
}

void InvalidateFeedback(BaseTool& tool) {
  ai::SuiteSet local(ai::PluginBasicSuite());
  const AIDocumentViewHandle view = AII::CurrentView(local);
  AII::AnnoRenderArea area(local, view);
  tool.DrawFeedback(area, true);
  if (!area.hasMin() || !area.hasMax()) return;
  const AIRect rect = Grown(area.box(), kInvalidationMarginPx);
  ai::Check(local.Annotator().InvalAnnotationRect(view, &rect));
}

void InvalidateWholeView() {
  ai::SuiteSet local(ai::PluginBasicSuite());
  const AIDocumentViewHandle view = AII::CurrentView(local);
  const AIDocumentViewSuite& views = local.DocumentView();
  AIRealRect bounds{};
  ai::Check(views.GetDocumentViewBounds(view, &bounds));
  const AIRealPoint topLeft{bounds.left, bounds.top}, bottomRight{bounds.right, bounds.bottom};
  AIPoint a{}, b{};
  ai::Check(views.ArtworkPointToViewPoint(view, &topLeft, &a));
  ai::Check(views.ArtworkPointToViewPoint(view, &bottomRight, &b));
  const AIRect rect = Ordered(a, b);
  ai::Check(local.Annotator().InvalAnnotationRect(view, &rect));
}

}  // namespace Tools
