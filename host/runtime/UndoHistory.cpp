#include "host/runtime/UndoHistory.h"

#include <utility>

#include "host/model/Document.h"
#include "host/model/Workspace.h"

namespace host::runtime {
// Reverts the step on top of `from` and keeps what takes the document
// forward again on `to`.
bool UndoHistory::Move(Workspace& workspace, std::deque<Step>& from, std::size_t& fromBytes, std::deque<Step>& to,
                       std::size_t& toBytes) {
  if (from.empty() || !workspace.HasDocument()) return false;
  Step step = std::move(from.back());
  from.pop_back();
  fromBytes -= step.bytes;
  model::Changes back = workspace.document().Revert(std::move(step.changes));
  const std::size_t bytes = back.Bytes();
  to.push_back({std::move(back), bytes});
  toBytes += bytes;
  return true;
}

void UndoHistory::Record(model::Changes step) {
  if (step.empty()) return;
  const std::size_t bytes = step.Bytes();
  undo_.push_back({std::move(step), bytes});
  undoBytes_ += bytes;
  redo_.clear();
  redoBytes_ = 0;
  Trim();
}

void UndoHistory::SetLimit(std::size_t steps) {
  limit_ = steps;
  Trim();
}

void UndoHistory::SetByteLimit(std::size_t bytes) {
  byteLimit_ = bytes;
  Trim();
}

void UndoHistory::Trim() {
  while (!undo_.empty() && (undo_.size() > limit_ || (undo_.size() > 1 && undoBytes_ + redoBytes_ > byteLimit_))) {
    undoBytes_ -= undo_.front().bytes;
    undo_.pop_front();
  }
}

bool UndoHistory::Undo(Workspace& workspace) { return Move(workspace, undo_, undoBytes_, redo_, redoBytes_); }
bool UndoHistory::Redo(Workspace& workspace) { return Move(workspace, redo_, redoBytes_, undo_, undoBytes_); }

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
  undoBytes_ = redoBytes_ = 0;
}

}  // namespace host::runtime
