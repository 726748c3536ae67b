// The last transformation the Orient tool applied, kept for the host's
// Transform Again command ("AI Transform Again" / "AI Go").
#pragma once

#include "sdk/SPTypes.h"

namespace Tools {

struct TransformAgainRecord;

// Applies a recorded transformation to the current selection.
using RepeatTransform = void (*)(const TransformAgainRecord& record);

struct TransformAgainRecord {
  bool recorded = false;
  AIRealMatrix matrix{1, 0, 0, 1, 0, 0};
  bool copy = false;
  // Set together with recorded by the tool that records, which is the one
  // that knows how its transformation is applied.
  RepeatTransform repeat = nullptr;
};

// Repeats the recorded transformation; nothing until one has been recorded.
void TransformAgain(const TransformAgainRecord& record);

}  // namespace Tools
