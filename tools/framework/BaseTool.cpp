#include "tools/framework/BaseTool.h"

#include "hostcall/BlockMemory.h"
#include "hostcall/Error.h"
#include "hostcall/HostCall.h"
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
  if (!annotator_) return;
  ai::Check(ai::Suites().Annotator().SetAnnotatorActive(annotator_, active));
}

}  // namespace Tools
