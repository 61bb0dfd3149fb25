#include "data/UndoStack.h"

#include <exception>
#include <utility>

#include "data/DataModule1.h"

namespace qv {

UndoStack::UndoStack(TDataModule1& store) : store_(store) {
  listener_ = store_.AddChangeListener([this](const ChangeRecord& record, ChangeOrigin origin) {
    if (origin != ChangeOrigin::Edit) return;
    undo_.push_back(record);
    redo_.clear();
  });
}

UndoStack::~UndoStack() {
  store_.RemoveChangeListener(listener_);
}

bool UndoStack::CanUndo() const {
  return !undo_.empty() && !store_.UniverseReadOnly();
}

bool UndoStack::CanRedo() const {
  return !redo_.empty() && !store_.UniverseReadOnly();
}

bool UndoStack::EndOpenEdits() {
  bool dropped = false;
  for (Table* table : store_.AllTables()) {
    if (table == &store_.AuxRequestData || table->State() == TableState::Browse) continue;
    try {
      table->CheckBrowseMode();
    } catch (const std::exception&) {
      // What cannot be stored is what the player wants taken back.
      table->Cancel();
      dropped = true;
    }
  }
  return dropped;
}

bool UndoStack::Undo() {
  return Move(undo_, redo_, ChangeOrigin::Undo);
}

bool UndoStack::Redo() {
  return Move(redo_, undo_, ChangeOrigin::Redo);
}

// Applies the top step of `from` and keeps it on top of `to`.
bool UndoStack::Move(std::vector<ChangeRecord>& from, std::vector<ChangeRecord>& to,
                     ChangeOrigin origin) {
  if (store_.UniverseReadOnly() || store_.ChangeInProgress()) return false;
  if (EndOpenEdits()) return true;
  if (from.empty()) return false;
  store_.ApplyChange(from.back(), origin);
  to.push_back(std::move(from.back()));
  from.pop_back();
  return true;
}

void UndoStack::Clear() {
  undo_.clear();
  redo_.clear();
}

}  // namespace qv
