// "QM Orient": swings and scales the selection about a reference axis kept in
// the document.
//
// The axis is a directed segment stored in the document's dictionary and
// drawn (red, with a dot at each end) while the tool is chosen.  Dragging
// either end swings the axis about its other end and turns the selection
// with it (Ctrl: the end follows the cursor and the selection also scales),
// with transformed copies shown while dragging; on release the selection is
// transformed, or with Alt transformed copies are kept.  Dragging anywhere
// else, or clicking and moving, draws a new axis; with Alt, copies of the
// selection go from the old axis onto the new one.  A double-click deletes
// the axis; Alt+double-click turns the selection back by the rotation it
// has accumulated.  Every transform is recorded for the host's Transform
// Again.
//
// States: 0 idle; 1 pressed on an axis end; 2 dragging an axis end; 3 pressed
// elsewhere; 4 clicked, the new axis follows the cursor; 5 pressed again
// after a click; 6 dragging a new axis.
#pragma once

#include <optional>
#include <vector>

#include "tools/edit/OrientGeometry.h"
#include "tools/framework/Cataloged.h"
#include "tools/framework/FSMTool.h"
#include "tools/framework/NotifyHandler.h"
#include "tools/framework/ToolServices.h"

namespace Tools {

class ToolOrient2 final : public Cataloged<FSMTool<ToolOrient2>> {
 public:
  enum State : int32_t {
    kIdle = 0,
    kPressedOnEnd = 1,
    kDraggingEnd = 2,
    kPressedElsewhere = 3,
    kClicked = 4,
    kPressedAgain = 5,
    kDraggingNewAxis = 6,
  };

  ToolOrient2(const ToolIdentity& identity, const ToolServices& services) noexcept;

  void Select(AIToolMessage* message) override;
  void Deselect(AIToolMessage* message) override;
  void Reselect(AIToolMessage* message) override;
  void DrawAnnotation(AIAnnotatorMessage* message) override;
  void DrawFeedback(AII::IAnnoSurface& surface, bool measuring) override;
  void BeforeEvent(AIToolMessage* message) override;
  void OnEvent(ToolEvent& event) override;
  int32_t CursorId() const;
  void AbandonEdits() noexcept;

  // Applies a recorded transform to the current selection, as the release of
  // a drag does; the Transform Again record's repeat operation.
  static void Repeat(const TransformAgainRecord& record);

 private:
  // Entry and do actions.
  void EnterIdle(ToolEvent& event);
  void SnapToAxisEnds(ToolEvent& event);
  void Backup(ToolEvent& event);
  void Swing(ToolEvent& event);
  void DrawNewAxis(ToolEvent& event);
  // Guards.
  bool NearAxisEnd(ToolEvent& event);
  bool Moved(ToolEvent& event);
  // Transition actions.
  void BeginDrag(ToolEvent& event);
  void ApplyTransform(ToolEvent& event);
  void ApplyCopies(ToolEvent& event);

  void HandleDoubleClick(ToolEvent& event);
  void UndoRotation(ToolEvent& event);
  void Preview();
  void DisposePreview();
  void Forget();
  void Record(const AIRealMatrix& m, bool copy);
  void OnModifiersChanged(AINotifierMessage* message);

  static const StateEntry<ToolOrient2> kStates[7];
  static const TransitionEntry<ToolOrient2> kTransitions[11];

  NotifyHandler<ToolOrient2> modifiersHandler_;
  NotifierList& modifiersList_;
  TransformAgainRecord& again_;

  // The stored axis as last read or written (what the overlay shows).
  std::optional<orient::Axis> axis_;
  // The axis at the last entry into states 1, 3, 4 or 5.
  std::optional<orient::Axis> backup_;
  geom::Point press_;
  bool grabbedStart_ = false;
  // The axis when the current drag began: the transform's source.
  std::optional<orient::Axis> oldAxis_;
  bool copy_ = false;
  AIRealMatrix m_{1, 0, 0, 1, 0, 0};
  bool valid_ = false;
  std::vector<AIArtHandle> selection_;
  std::vector<AIArtHandle> preview_;
  // The last event's Alt key and whether its cursor was near an axis end.
  bool alt_ = false;
  bool nearEnd_ = false;
};

}  // namespace Tools
