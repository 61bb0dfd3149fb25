#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "data/ChangeRecord.h"
#include "data/TableObserver.h"

namespace qv {

class ChangeRecorder;

// Hears the finished steps: the record and where it came from.
using ChangeListener = std::function<void(const ChangeRecord& record, ChangeOrigin origin)>;

// One named operation of the store, open while it lives (RAII). Every row
// written meanwhile, in any of the recorded tables, becomes part of one
// record. Scopes nest: the outermost one ends the record.
class ChangeScope {
 public:
  ChangeScope() = default;
  explicit ChangeScope(ChangeRecorder& recorder);
  ChangeScope(ChangeScope&& other) noexcept : recorder_(std::exchange(other.recorder_, nullptr)) {}
  ChangeScope& operator=(ChangeScope&& other) noexcept;
  ChangeScope(const ChangeScope&) = delete;
  ChangeScope& operator=(const ChangeScope&) = delete;
  ~ChangeScope() { End(); }
  // Ends the scope before its end of life (a second call does nothing).
  void End();

 private:
  ChangeRecorder* recorder_ = nullptr;
};

// Turns the row writes of a set of tables into change records, one per step,
// and applies records to them again, either way. A step is what one scope
// holds, or, outside any scope, what one outermost Post() or Delete() wrote
// (its cascade included); a step that wrote no row is no step.
class ChangeRecorder final : public TableObserver {
 public:
  // Observes `tables` from now on, until destroyed.
  explicit ChangeRecorder(std::vector<Table*> tables);
  ~ChangeRecorder() override;
  ChangeRecorder(const ChangeRecorder&) = delete;
  ChangeRecorder& operator=(const ChangeRecorder&) = delete;

  // Takes the tables' counters as they are now as the start of the next step
  // (after loading).
  void TakeCounters();

  // A scope's kind and name; an inner scope's are those of the outermost.
  [[nodiscard]] ChangeScope BeginScope(ChangeKind kind, std::string name);
  // True while a step is being gathered.
  bool InStep() const { return depth_ > 0; }

  // Listeners hear every finished step, in the order they were added.
  int AddListener(ChangeListener listener);
  void RemoveListener(int id);

  // Applies `record` through the tables' raw writes: forwards for Redo and
  // Replay (and Edit), reversed for Undo. The listeners then hear what was
  // applied (for Undo the reversed record). Refused (TableError) inside a
  // step, or when a row at a place is not what the record says it was: the
  // row changes already applied are then taken back.
  void Apply(const ChangeRecord& record, ChangeOrigin origin);

  // TableObserver
  void WriteBegins(Table& table) override;
  void RowChanged(Table& table, RowChangeKind kind, int place, const RowValues* before,
                  const RowValues* after) override;
  void WriteEnds(Table& table) override;

 private:
  friend class ChangeScope;
  void Enter();
  void Leave();
  void Finish();
  void Tell(const ChangeRecord& record, ChangeOrigin origin);
  int Slot(const std::string& table) const;
  void ApplyRows(const ChangeRecord& record, std::size_t& applied);
  void TakeBack(const ChangeRecord& record, std::size_t applied);

  std::vector<Table*> tables_;
  std::vector<std::int64_t> counters_;  // each table's counter when the last step ended
  int depth_ = 0;
  bool named_ = false;  // the step has a scope, so its kind and name are given
  // A step without a scope is named after the row its outermost write wrote
  // (a sector deleted, not the first factory its cascade removed).
  const Table* outerTable_ = nullptr;
  ChangeRecord current_;
  std::vector<std::pair<int, ChangeListener>> listeners_;
  int nextListener_ = 1;
};

}  // namespace qv
