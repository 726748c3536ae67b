// Undo and redo over recorded changes.
//
// The host records the changes each outermost message makes as they happen
// (host/model/Changes.h) and hands the record here when the message ends, so
// that the changes of one message (nested messages included) are undone
// together and a step costs what it changed.  A new step clears what could
// be redone.  The history is bounded by a number of steps and by the memory
// the steps occupy: past either limit the oldest steps are forgotten (the
// newest step is kept whatever its size).
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>

#include "host/model/Changes.h"

namespace host {
class Workspace;
}

namespace host::runtime {

class UndoHistory {
 public:
  // Records the step unless it changed nothing; the record must have been
  // pruned against the document (model::Document::Prune).
  void Record(model::Changes step);
  // Takes the document back before the last step (forward again after the
  // last undone step); false when there is none.
  bool Undo(Workspace& workspace);
  bool Redo(Workspace& workspace);
  std::size_t UndoDepth() const { return undo_.size(); }
  std::size_t RedoDepth() const { return redo_.size(); }
  // What the kept steps occupy, about.
  std::size_t Bytes() const { return undoBytes_ + redoBytes_; }
  void Clear();
  // At most this many undo steps are kept (the oldest are dropped); 0 keeps
  // none.
  void SetLimit(std::size_t steps);
  // At most about this many bytes of steps are kept, the newest step always.
  void SetByteLimit(std::size_t bytes);

 private:
  struct Step {
    model::Changes changes;
    std::size_t bytes = 0;
  };
  void Trim();
  static bool Move(Workspace& workspace, std::deque<Step>& from, std::size_t& fromBytes, std::deque<Step>& to,
                   std::size_t& toBytes);

  std::size_t limit_ = 100;
  std::size_t byteLimit_ = SIZE_MAX;
  std::deque<Step> undo_;
  std::deque<Step> redo_;
  std::size_t undoBytes_ = 0;
  std::size_t redoBytes_ = 0;
};

}  // namespace host::runtime
