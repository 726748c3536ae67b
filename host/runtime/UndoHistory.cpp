#include "host/runtime/UndoHistory.h"

#include "host/model/Workspace.h"

namespace host::runtime {
namespace {

// Moves the workspace to the snapshot on top of `from`, keeping the present
// state on `to`.  The stacks change only after the restore succeeded.
bool Step(Workspace& workspace, std::vector<model::Document>& from, std::vector<model::Document>& to) {
  if (from.empty() || !workspace.HasDocument()) return false;
  model::Document present = workspace.Snapshot();
  workspace.Restore(from.back());
  from.pop_back();
  to.push_back(std::move(present));
  return true;
}

}  // namespace

void UndoHistory::Record(model::Document before, const model::Document& after) {
  if (before == after) return;
  undo_.push_back(std::move(before));
  redo_.clear();
  Trim();
}

void UndoHistory::SetLimit(std::size_t steps) {
  limit_ = steps;
  Trim();
}

void UndoHistory::Trim() {
  if (undo_.size() <= limit_) return;
  undo_.erase(undo_.begin(), undo_.begin() + static_cast<std::ptrdiff_t>(undo_.size() - limit_));
}

bool UndoHistory::Undo(Workspace& workspace) { return Step(workspace, undo_, redo_); }
bool UndoHistory::Redo(Workspace& workspace) { return Step(workspace, redo_, undo_); }

void UndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

}  // namespace host::runtime
