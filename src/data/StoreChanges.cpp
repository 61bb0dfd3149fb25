#include <utility>

#include "data/DataModule1.h"

// The store's steps: named operations open a scope, and every finished step
// goes to the listeners (the undo stack, the journal, the windows).

namespace qv {

ChangeScope TDataModule1::BeginChange(ChangeKind kind, std::string name) {
  return recorder_->BeginScope(kind, std::move(name));
}

int TDataModule1::AddChangeListener(ChangeListener listener) {
  return recorder_->AddListener(std::move(listener));
}

void TDataModule1::RemoveChangeListener(int id) {
  recorder_->RemoveListener(id);
}

void TDataModule1::ApplyChange(const ChangeRecord& record, ChangeOrigin origin) {
  // Set before the listeners hear of it: they recalculate what it marks.
  const bool wasChanged = std::exchange(dataChanged_, true);
  try {
    recorder_->Apply(record, origin);
  } catch (...) {
    dataChanged_ = wasChanged;
    throw;
  }
}

}  // namespace qv
