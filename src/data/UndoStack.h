#pragma once

#include <cstddef>
#include <vector>

#include "data/ChangeRecord.h"

namespace qv {

class TDataModule1;

// The steps of this run that can be taken back and done again: every step
// the store finishes goes on top, an undo takes the top step back and keeps
// it for a redo, and a new step clears what could be redone. The stack lives
// for the run (a saved universe starts the next run with none).
class UndoStack {
 public:
  // Hears the store's steps until it goes; the store must outlive it.
  explicit UndoStack(TDataModule1& store);
  ~UndoStack();
  UndoStack(const UndoStack&) = delete;
  UndoStack& operator=(const UndoStack&) = delete;

  // Nothing is undone or redone in a universe that cannot be saved.
  bool CanUndo() const;
  bool CanRedo() const;
  // The step the next undo or redo would apply; null when there is none.
  const ChangeRecord* NextUndo() const { return CanUndo() ? &undo_.back() : nullptr; }
  const ChangeRecord* NextRedo() const { return CanRedo() ? &redo_.back() : nullptr; }
  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }

  // A row still being edited in a universe table is posted first, so that
  // it is the step an undo takes back and a redo finds no step left (a new
  // edit). A row that cannot be posted is dropped instead, and that is the
  // undo. False when there was nothing to do; TableError passes through with
  // the stacks as they were.
  bool Undo();
  bool Redo();
  void Clear();

 private:
  // Ends the edit of a row still open; true when that dropped one.
  bool EndOpenEdits();
  bool Move(std::vector<ChangeRecord>& from, std::vector<ChangeRecord>& to, ChangeOrigin origin);

  TDataModule1& store_;
  int listener_ = 0;
  std::vector<ChangeRecord> undo_;
  std::vector<ChangeRecord> redo_;
};

}  // namespace qv
