// What the host's annotation messages reach: a tool's annotator.
#pragma once

#include "sdk/AIMessages.h"

class IAnnotator {
 public:
  // Whether the object wants a host annotator switched on while selected.
  virtual bool WantsAnnotator() const = 0;
  // "AI Annotation" / "AI Draw": draw the live feedback into the message's view.
  virtual void DrawAnnotation(AIAnnotatorMessage* message) = 0;
  // "AI Annotation" / "AI Invalidate".
  virtual void InvalidateAnnotation(AIAnnotatorMessage* message) = 0;
  // The name the annotator is registered under.
  virtual const char* AnnotatorName() const = 0;

 protected:
  // Objects are owned and destroyed as tools, never through this interface.
  ~IAnnotator() = default;
};
