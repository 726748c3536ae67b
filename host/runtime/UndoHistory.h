// Undo and redo over whole-document snapshots.
//
// The host takes a snapshot before each outermost message and records a step
// when the document afterwards differs from it, so the changes of one
// message (nested messages included) are undone together.  A new step
// clears what could be redone.  The history is bounded: past the limit the
// oldest step is forgotten.
#pragma once

#include <cstddef>
#include <vector>

#include "host/model/Document.h"

namespace host {
class Workspace;
}

namespace host::runtime {

class UndoHistory {
 public:
  // Records a step back to `before` unless it equals `after`.
  void Record(model::Document before, const model::Document& after);
  // Restores the document before the last step (after the last undone step);
  // false when there is none.
  bool Undo(Workspace& workspace);
  bool Redo(Workspace& workspace);
  std::size_t UndoDepth() const { return undo_.size(); }
  std::size_t RedoDepth() const { return redo_.size(); }
  void Clear();
  // At most this many undo steps are kept (the oldest are dropped); 0 keeps
  // none.
  void SetLimit(std::size_t steps);

 private:
  void Trim();

  std::size_t limit_ = 100;
  std::vector<model::Document> undo_;
  std::vector<model::Document> redo_;
};

}  // namespace host::runtime
