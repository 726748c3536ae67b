#include "tools/framework/BaseTool.h"

#include "plugin/BlockMemory.h"
#include "plugin/Error.h"
#include "plugin/HostCall.h"
#include "plugin/PluginGlobals.h"
#include "tools/framework/FeedbackPasses.h"

namespace Tools {

void* BaseTool::operator new(std::size_t size) { return ai::AllocateBlock(size, "Tools::BaseTool"); }

void BaseTool::operator delete(void* block) noexcept { ai::FreeBlock(block); }

void BaseTool::DrawAnnotation(AIAnnotatorMessage* message) { DrawFeedbackPass(*this, message); }

void BaseTool::InvalidateAnnotation(AIAnnotatorMessage*) { InvalidateFeedback(*this); }

void BaseTool::Select(AIToolMessage*) {
  if (WantsAnnotator()) SetAnnotatorActive(true);
}

void BaseTool::Deselect(AIToolMessage*) {
  if (WantsAnnotator()) SetAnnotatorActive(false);
}

void BaseTool::SetAnnotatorActive(bool active) {
  const AIAnnotatorHandle annotator = plugin::AnnotatorHandleOf(this);
  if (!annotator) return;
  ai::Check(ai::Suites().Annotator().SetAnnotatorActive(annotator, active));
}

}  // namespace Tools
