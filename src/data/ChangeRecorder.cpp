#include "data/ChangeRecorder.h"

#include <algorithm>

#include "data/TableError.h"

namespace qv {

namespace {

// Whether the stored fields of a row hold `values` (lookup and calculated
// slots are not the row's own).
bool HoldsStored(const Table& table, const Record& row, const RowValues& values) {
  if (!row.IsValid() || values.size() != static_cast<std::size_t>(table.FieldCount())) return false;
  const RowValues& held = row.GetRow()->values;
  for (int i = 0; i < table.FieldCount(); ++i) {
    if (table.Fields(i).IsStored() && !(held[i] == values[i])) return false;
  }
  return true;
}

std::string RowName(const Table& table, const RowValues& values) {
  const Field* name = table.FindField("Name");
  if (name == nullptr || name->Index() >= static_cast<int>(values.size())) return {};
  const Value& value = values[name->Index()];
  return value.IsNull() ? std::string() : value.ToString();
}

}  // namespace

// ---- ChangeScope ----

ChangeScope::ChangeScope(ChangeRecorder& recorder) : recorder_(&recorder) {
  recorder_->Enter();
}

ChangeScope& ChangeScope::operator=(ChangeScope&& other) noexcept {
  if (this != &other) {
    End();
    recorder_ = std::exchange(other.recorder_, nullptr);
  }
  return *this;
}

void ChangeScope::End() {
  if (ChangeRecorder* recorder = std::exchange(recorder_, nullptr)) recorder->Leave();
}

// ---- ChangeRecorder ----

ChangeRecorder::ChangeRecorder(std::vector<Table*> tables) : tables_(std::move(tables)) {
  for (Table* table : tables_)
    table->SetObserver(this);
  TakeCounters();
}

ChangeRecorder::~ChangeRecorder() {
  for (Table* table : tables_)
    if (table->Observer() == this) table->SetObserver(nullptr);
}

void ChangeRecorder::TakeCounters() {
  counters_.clear();
  for (const Table* table : tables_)
    counters_.push_back(table->NextAutoInc());
}

ChangeScope ChangeRecorder::BeginScope(ChangeKind kind, std::string name) {
  if (depth_ == 0 || !named_) {
    // The outermost scope names the step, even when a bare write began it.
    current_.kind = kind;
    current_.name = std::move(name);
    named_ = true;
  }
  return ChangeScope(*this);
}

int ChangeRecorder::AddListener(ChangeListener listener) {
  listeners_.emplace_back(nextListener_, std::move(listener));
  return nextListener_++;
}

void ChangeRecorder::RemoveListener(int id) {
  std::erase_if(listeners_, [id](const auto& entry) { return entry.first == id; });
}

void ChangeRecorder::WriteBegins(Table& table) {
  if (depth_ == 0) outerTable_ = &table;
  Enter();
}

void ChangeRecorder::WriteEnds(Table&) {
  Leave();
}

void ChangeRecorder::RowChanged(Table& table, RowChangeKind kind, int place,
                                const RowValues* before, const RowValues* after) {
  if (kind == RowChangeKind::Update && before && after && *before == *after) return;
  RowChange& change = current_.rows.emplace_back();
  change.table = table.Name();
  change.kind = kind;
  change.place = place;
  if (before) change.before = *before;
  if (after) change.after = *after;
  if (!named_ && &table == outerTable_) {
    current_.kind = KindOfRowChange(table.Name(), kind);
    current_.name = RowName(table, after ? *after : *before);
    named_ = true;
  }
}

void ChangeRecorder::Enter() {
  ++depth_;
}

void ChangeRecorder::Leave() {
  if (depth_ == 0) return;
  if (--depth_ == 0) Finish();
}

// The outermost write or scope is over: the step is complete.
void ChangeRecorder::Finish() {
  ChangeRecord record = std::move(current_);
  current_ = ChangeRecord();
  const bool named = std::exchange(named_, false);
  outerTable_ = nullptr;
  if (record.Empty()) return;  // nothing written (a refused post, a cancelled insert)
  if (!named) {
    // The outermost write wrote no row of its own: the first row names the step.
    const RowChange& first = record.rows.front();
    record.kind = KindOfRowChange(first.table, first.kind);
    record.name = RowName(*tables_[Slot(first.table)],
                          first.kind == RowChangeKind::Delete ? first.before : first.after);
  }
  for (std::size_t slot = 0; slot < tables_.size(); ++slot) {
    const Table& table = *tables_[slot];
    const bool touched = std::ranges::any_of(
        record.rows, [&table](const RowChange& row) { return row.table == table.Name(); });
    if (!touched && table.NextAutoInc() == counters_[slot]) continue;
    record.counters.push_back({table.Name(), counters_[slot], table.NextAutoInc()});
    counters_[slot] = table.NextAutoInc();
  }
  Tell(record, ChangeOrigin::Edit);
}

void ChangeRecorder::Tell(const ChangeRecord& record, ChangeOrigin origin) {
  // A listener may add or remove listeners while it is told.
  const auto snapshot = listeners_;
  for (const auto& [id, listener] : snapshot)
    if (listener) listener(record, origin);
}

int ChangeRecorder::Slot(const std::string& table) const {
  for (std::size_t i = 0; i < tables_.size(); ++i)
    if (tables_[i]->Name() == table) return static_cast<int>(i);
  throw TableError("A change names table " + table + ", which is not recorded here");
}

void ChangeRecorder::ApplyRows(const ChangeRecord& record, std::size_t& applied) {
  for (const RowChange& change : record.rows) {
    Table& table = *tables_[Slot(change.table)];
    if (change.kind != RowChangeKind::Insert &&
        !HoldsStored(table, table.StoredRecordAt(change.place), change.before)) {
      throw TableError("Row " + std::to_string(change.place + 1) + " of table " + table.Name() +
                       " is not as the change found it");
    }
    switch (change.kind) {
      case RowChangeKind::Insert:
        table.PutRowAt(change.place, change.after);
        break;
      case RowChangeKind::Update:
        table.ReplaceRowAt(change.place, change.after);
        break;
      case RowChangeKind::Delete:
        table.RemoveRowAt(change.place);
        break;
    }
    ++applied;
  }
}

// Takes back the first `applied` row changes of `record`, newest first.
void ChangeRecorder::TakeBack(const ChangeRecord& record, std::size_t applied) {
  ChangeRecord done;
  done.rows.assign(record.rows.begin(), record.rows.begin() + static_cast<std::ptrdiff_t>(applied));
  std::size_t undone = 0;
  ApplyRows(done.Reversed(), undone);
}

void ChangeRecorder::Apply(const ChangeRecord& given, ChangeOrigin origin) {
  if (depth_ > 0) throw TableError("A change cannot be applied while another one is being made");
  const ChangeRecord record = origin == ChangeOrigin::Undo ? given.Reversed() : given;
  // Every table named must be one of these before anything is written.
  for (const CounterChange& counter : record.counters)
    Slot(counter.table);
  for (const RowChange& change : record.rows) {
    Table& table = *tables_[Slot(change.table)];
    if (table.State() != TableState::Browse) table.Cancel();
  }
  std::size_t applied = 0;
  try {
    ApplyRows(record, applied);
  } catch (...) {
    TakeBack(record, applied);
    throw;
  }
  for (const CounterChange& counter : record.counters) {
    const int slot = Slot(counter.table);
    tables_[slot]->SetNextAutoInc(counter.after);
    counters_[slot] = counter.after;
  }
  Tell(record, origin);
}

}  // namespace qv
