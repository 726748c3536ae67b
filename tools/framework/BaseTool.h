// The root of every tool: what the host's tool and annotation messages are
// routed to, with the framework's defaults.
//
// Virtual operations keep the order of the framework's operation table:
// IAnnotator's four, the destructor, the mouse events, the selection events,
// the registration identity, the feedback drawing, the snapping control and
// the two event hooks.  A tool overrides what it needs; the state-machine
// template adds the event handling on top.
//
// Tool objects live in the host's block memory (class operator new/delete),
// so they must be created and destroyed while the host can be reached: inside
// a host call, or while the plug-in's basic suite is stored.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tools/framework/IAnnotator.h"
#include "tools/framework/ToolEvent.h"
#include "tools/framework/ToolIdentity.h"

namespace AII {
class IAnnoSurface;
}

namespace Tools {

class BaseTool : public IAnnotator {
 public:
  static void* operator new(std::size_t size);
  static void operator delete(void* block) noexcept;

  BaseTool() = default;
  BaseTool(const BaseTool&) = delete;
  BaseTool& operator=(const BaseTool&) = delete;

  // IAnnotator
  bool WantsAnnotator() const override { return false; }
  // Draws DrawFeedback through the message's drawer.
  void DrawAnnotation(AIAnnotatorMessage* message) override;
  // Invalidates the area DrawFeedback covers.
  void InvalidateAnnotation(AIAnnotatorMessage* message) override;
  const char* AnnotatorName() const override { return Title(); }

  virtual ~BaseTool() = default;

  virtual void MouseDown(AIToolMessage*) {}
  virtual void MouseDrag(AIToolMessage*) {}
  virtual void MouseUp(AIToolMessage*) {}
  virtual void TrackCursor(AIToolMessage*) {}

  // Switches the tool's annotator on when the tool wants one.
  virtual void Select(AIToolMessage* message);
  // Switches the tool's annotator off when the tool wants one.
  virtual void Deselect(AIToolMessage* message);
  virtual void Reselect(AIToolMessage*) {}
  virtual void EditOptions(AIToolMessage*) {}

  // Registration identity: the icon id (the dark-interface icon is id + 1000),
  // the ASCII title, the tooltip in the platform encoding (GBK bytes).
  virtual int32_t IconResourceId() const = 0;
  virtual const char* Title() const = 0;
  virtual const char* Tooltip() const = 0;
  virtual int32_t ToolOptions() const { return 1; }
  virtual int32_t GroupId() const { return kNoToolGroup; }
  virtual int32_t ToolsetId() const { return kNoToolGroup; }

  // Draws (or, with measuring set, only measures) the live feedback.
  virtual void DrawFeedback(AII::IAnnoSurface&, bool /*measuring*/) {}
  // The host's cursor-snapping control string, or null for no snapping.
  virtual const char* SnapControl() const { return kDefaultSnapControl; }
  virtual void BeforeEvent(AIToolMessage*) {}
  // May change event.message->cursor (constraints applied to the snapped point).
  virtual void OnEvent(ToolEvent&) {}

  // The host's handle of the tool's own annotator, given at registration (and
  // again when the object is rebuilt after an "Unload"); null when the host
  // refused it.
  void SetAnnotatorHandle(AIAnnotatorHandle handle) noexcept { annotator_ = handle; }
  AIAnnotatorHandle annotatorHandle() const noexcept { return annotator_; }

 protected:
  // The tool's own annotator on or off; nothing when its registration failed.
  void SetAnnotatorActive(bool active);

 private:
  AIAnnotatorHandle annotator_ = nullptr;
};

}  // namespace Tools
