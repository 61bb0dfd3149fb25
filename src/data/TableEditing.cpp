#include <algorithm>

#include "data/RowBatch.h"
#include "data/Table.h"
#include "data/TableImpl.h"
#include "data/TableObserver.h"
#include "data/TextUtil.h"

namespace qv {

namespace {

// Brackets one Post() or Delete() for the table's observer, however it ends.
class ObservedWrite {
 public:
  explicit ObservedWrite(Table& table) : table_(table), observer_(table.Observer()) {
    if (observer_) observer_->WriteBegins(table_);
  }
  ~ObservedWrite() {
    if (observer_) observer_->WriteEnds(table_);
  }
  ObservedWrite(const ObservedWrite&) = delete;
  ObservedWrite& operator=(const ObservedWrite&) = delete;

 private:
  Table& table_;
  TableObserver* const observer_;
};

}  // namespace

void Table::WriteBuffer(int fieldIndex, Value value) {
  impl_->buffer.values.at(fieldIndex) = std::move(value);
}

void Table::FieldValueChanged(Field& field) {
  modified_ = true;
  impl_->Notify(TableChange::RecordChanged);
  if (field.OnChange) {
    const Field::ChangeHandler handler = field.OnChange;
    handler(field);
  }
}

void Table::Edit() {
  if (state_ != TableState::Browse) return;
  Impl& m = *impl_;
  m.EnsureView();
  if (!m.cur) throw TableError("Table " + name_ + " has no record to edit");
  m.Fire(BeforeEdit);
  if (state_ != TableState::Browse) return;
  m.EnsureView();
  if (!m.cur) throw TableError("Table " + name_ + " has no record to edit");
  m.buffer.values = m.cur->values;
  m.buffer.id = m.cur->id;
  m.editId = m.cur->id;
  state_ = TableState::Edit;
  modified_ = false;
  m.Notify(TableChange::StateChanged);
  m.Fire(AfterEdit);
}

bool Table::InsertingAtEnd() const {
  return state_ == TableState::Insert && impl_->anchorId == 0;
}

void Table::Insert() {
  DoInsert(false);
}

void Table::Append() {
  DoInsert(true);
}

void Table::DoInsert(bool append) {
  CheckBrowseMode();
  const bool numbered = std::any_of(fields_.begin(), fields_.end(), [](const auto& field) {
    return field->DataType() == FieldType::AutoInc;
  });
  if (numbered && nextAutoInc_ > kMaxAutoInc) {
    throw TableError("Table " + name_ + " has no identifier left for a new row");
  }
  Impl& m = *impl_;
  m.Fire(BeforeInsert);
  m.EnsureView();
  m.anchorId = (append || !m.cur) ? 0 : m.cur->id;
  m.editId = 0;
  m.buffer = Row{RowValues(fields_.size()), 0};
  for (const auto& field : fields_) {
    if (field->DataType() == FieldType::AutoInc) {
      m.buffer.values[field->Index()] = Value(static_cast<std::int32_t>(nextAutoInc_));
    }
  }
  if (master_) {
    // A new detail row belongs to the master's current row.
    const std::vector<Value> key = m.MasterValues();
    for (std::size_t i = 0; i < key.size() && i < m.detailFields.size(); ++i) {
      if (Fields(m.detailFields[i]).IsStored()) m.buffer.values[m.detailFields[i]] = key[i];
    }
  }
  if (numbered) ++nextAutoInc_;
  state_ = TableState::Insert;
  modified_ = false;
  m.Notify(TableChange::StateChanged);
  m.Fire(AfterInsert);
  m.MovedToAnotherRow();
}

void Table::Post() {
  if (state_ == TableState::Browse) return;
  const ObservedWrite observed(*this);
  Impl& m = *impl_;
  m.Fire(BeforePost);  // may throw: the edit then stays open
  if (state_ == TableState::Browse) return;
  m.EnsureView();
  const RowNode* before = m.cur;
  const bool liveView = m.derived && !m.viewDirty;
  RowNode* row = nullptr;
  if (state_ == TableState::Insert) {
    const std::uint64_t seq = m.AllocateSeq(m.anchorId);
    row = &m.rows.Add(m.buffer.values);
    row->seq = seq;
    m.AddToOrders(row);
    if (observer_) {
      const int place = m.stored->IndexIn(m.stored->Rows(), row);
      observer_->RowChanged(*this, RowChangeKind::Insert, place, nullptr, &row->values);
    }
  } else {
    row = m.rows.Find(m.editId);
    if (row == nullptr) {
      state_ = TableState::Browse;
      modified_ = false;
      m.Notify(TableChange::StateChanged);
      throw TableError("The record being edited in table " + name_ + " has been deleted");
    }
    // Only orders whose key changed need the row moved.
    std::vector<TableOrder*> moved;
    for (auto& [fields, order] : m.orders) {
      if (!order->HasStoredKeys() || order->KeyDiffers(row->values, m.buffer.values)) {
        order->Remove(row);
        moved.push_back(order.get());
      }
    }
    if (liveView) m.active->RemoveFrom(m.derivedRows, row);
    if (observer_) {
      const int place = m.stored->IndexIn(m.stored->Rows(), row);
      observer_->RowChanged(*this, RowChangeKind::Update, place, &row->values, &m.buffer.values);
    }
    row->values = m.buffer.values;
    for (TableOrder* order : moved)
      order->Add(row);
  }
  if (liveView) {
    const std::vector<Value> key = master_ ? m.MasterValues() : std::vector<Value>();
    if (m.Passes(row, key)) m.active->AddTo(m.derivedRows, row);
  }
  state_ = TableState::Browse;
  modified_ = false;
  m.buffer = Row{};
  m.editId = m.anchorId = 0;
  ++changeCount_;
  ++rowsVersion_;
  // The cursor follows the posted row; when it left the view, the row after its place.
  m.cur = row;
  m.resetToFirst = false;
  m.syncPending = true;
  m.EnsureView();
  m.Notify(TableChange::StateChanged);
  m.Notify(TableChange::DataSetChanged);
  m.Fire(AfterPost);
  if (m.cur != before) {
    m.Notify(TableChange::Scrolled);
    m.Fire(AfterScroll);
  }
  m.NotifyDetails();
}

void Table::Cancel() {
  if (state_ == TableState::Browse) return;
  Impl& m = *impl_;
  m.Fire(BeforeCancel);
  if (state_ == TableState::Browse) return;
  const bool wasInsert = state_ == TableState::Insert;
  state_ = TableState::Browse;
  modified_ = false;
  m.buffer = Row{};
  m.editId = m.anchorId = 0;
  m.Notify(TableChange::StateChanged);
  m.Notify(TableChange::RecordChanged);
  m.Fire(AfterCancel);
  if (wasInsert) {
    m.Notify(TableChange::Scrolled);
    m.Fire(AfterScroll);
  }
  m.NotifyDetails();
}

void Table::Delete() {
  if (state_ == TableState::Insert) {
    Cancel();
    return;
  }
  const ObservedWrite observed(*this);
  Impl& m = *impl_;
  m.EnsureView();
  if (!m.cur) throw TableError("Table " + name_ + " is empty");
  const std::uint64_t victimId = m.cur->id;
  // The handlers may run whole walks over other tables (delete cascades).
  m.Fire(BeforeDelete);
  if (state_ != TableState::Browse) {
    state_ = TableState::Browse;
    modified_ = false;
    m.buffer = Row{};
    m.editId = m.anchorId = 0;
    m.Notify(TableChange::StateChanged);
  }
  RowNode* victim = m.rows.Find(victimId);
  if (victim == nullptr) return;  // the handler removed the row itself
  const std::vector<RowNode*>& view = m.View();
  const std::size_t at = m.active->LowerBound(view, victim);
  if (observer_) {
    const int place = m.stored->IndexIn(m.stored->Rows(), victim);
    observer_->RowChanged(*this, RowChangeKind::Delete, place, &victim->values, nullptr);
  }
  m.RemoveFromOrders(victim);
  if (m.derived && !m.viewDirty) m.active->RemoveFrom(m.derivedRows, victim);
  if (m.cur == victim) m.cur = nullptr;
  m.rows.Remove(victimId);
  const std::vector<RowNode*>& rest = m.View();
  if (rest.empty()) {
    m.cur = nullptr;
    m.pos = -1;
    m.eof = m.bof = true;
  } else if (at >= rest.size()) {
    m.SetCursor(static_cast<int>(rest.size()) - 1);
    m.eof = true;
    m.bof = false;
  } else {
    m.SetCursor(static_cast<int>(at));
    m.eof = m.bof = false;
  }
  ++changeCount_;
  ++rowsVersion_;
  m.Notify(TableChange::DataSetChanged);
  m.Fire(AfterDelete);
  m.MovedToAnotherRow();
}

int Table::DeleteStoredRows(std::span<const Bookmark> bookmarks) {
  CheckBrowseMode();
  Impl& m = *impl_;
  const std::vector<RowNode*>& view = m.View();
  RowNode* const before = m.cur;
  const bool eofBefore = m.eof;
  const bool bofBefore = m.bof;
  std::vector<Bookmark> victims;
  for (const Bookmark bookmark : bookmarks)
    if (m.rows.Find(bookmark) != nullptr) victims.push_back(bookmark);
  if (victims.empty()) return 0;
  std::vector<Bookmark> sorted = victims;
  std::sort(sorted.begin(), sorted.end());
  const auto goes = [&sorted](const RowNode* row) {
    return std::binary_search(sorted.begin(), sorted.end(), row->id);
  };
  // Where the cursor lands when its row goes: the next row that stays in the
  // view, else the last one before it (Eof then).
  RowNode* landing = before;
  bool landsAtEnd = false;
  if (before != nullptr && goes(before)) {
    landing = nullptr;
    const int at = m.active->IndexIn(view, before);
    for (int i = at + 1; at >= 0 && i < static_cast<int>(view.size()) && !landing; ++i)
      if (!goes(view[i])) landing = view[i];
    for (int i = at - 1; at >= 0 && i >= 0 && !landing; --i)
      if (!goes(view[i])) {
        landing = view[i];
        landsAtEnd = true;
      }
  }

  int removed = 0;
  {
    const ObservedWrite observed(*this);
    for (const Bookmark bookmark : victims) {
      RowNode* victim = m.rows.Find(bookmark);
      if (victim == nullptr) continue;  // named twice
      if (observer_) {
        const int place = m.stored->IndexIn(m.stored->Rows(), victim);
        observer_->RowChanged(*this, RowChangeKind::Delete, place, &victim->values, nullptr);
      }
      m.RemoveFromOrders(victim);
      if (m.derived && !m.viewDirty) m.active->RemoveFrom(m.derivedRows, victim);
      m.rows.Remove(bookmark);
      ++removed;
      ++changeCount_;
      ++rowsVersion_;
    }
  }
  m.cur = landing;
  m.syncPending = true;
  m.EnsureView();
  if (m.cur == before) {
    m.eof = eofBefore;
    m.bof = bofBefore;
  } else if (m.cur != nullptr) {
    m.eof = landsAtEnd;
    m.bof = false;
  }
  m.Notify(TableChange::DataSetChanged);
  m.Fire(AfterDelete);
  if (m.cur != before) m.MovedToAnotherRow();
  return removed;
}

void Table::CheckBrowseMode() {
  if (state_ == TableState::Browse) return;
  if (modified_) {
    Post();
  } else {
    Cancel();
  }
}

void Table::EmptyDataSet() {
  Impl& m = *impl_;
  const bool wasEditing = state_ != TableState::Browse;
  state_ = TableState::Browse;
  modified_ = false;
  m.buffer = Row{};
  m.editId = m.anchorId = 0;
  m.ClearRows();
  changeCount_ = 0;
  ++rowsVersion_;
  if (observer_) observer_->RowsReplaced(*this);
  if (wasEditing) m.Notify(TableChange::StateChanged);
  m.Notify(TableChange::DataSetChanged);
  m.NotifyDetails();
}

void Table::MergeChangeLog() {
  CheckBrowseMode();
  changeCount_ = 0;
}

void Table::LoadRows(std::vector<Row> rows, std::int64_t nextAutoInc) {
  LoadRowBatch(RowBatch(std::move(rows)), nextAutoInc);
}

void Table::LoadRowBatch(RowBatch batch, std::int64_t nextAutoInc) {
  std::vector<Row>& rows = batch.Rows();
  // Check everything first: a refused load leaves the table as it was.
  for (const Row& row : rows) {
    if (row.values.size() != fields_.size()) {
      throw TableError("A row of table " + name_ + " has " + std::to_string(row.values.size()) +
                       " values instead of " + std::to_string(fields_.size()));
    }
  }
  std::vector<int> autoIncFields;
  for (const auto& field : fields_) {
    if (field->DataType() == FieldType::AutoInc) autoIncFields.push_back(field->Index());
  }
  std::int64_t highest = 0;
  std::vector<std::int32_t> used;
  for (int f : autoIncFields) {
    used.clear();
    used.reserve(rows.size());
    for (const Row& row : rows) {
      if (!row.values[f].IsNull()) used.push_back(row.values[f].ToInteger());
    }
    // Files keep their rows in the order of their identifiers, mostly.
    if (!std::is_sorted(used.begin(), used.end())) std::sort(used.begin(), used.end());
    const auto twice = std::adjacent_find(used.begin(), used.end());
    if (twice != used.end()) {
      throw TableError("Duplicate value " + std::to_string(*twice) + " in field '" +
                       fields_[f]->FieldName() + "' of table " + name_);
    }
    if (!used.empty()) highest = std::max<std::int64_t>(highest, used.back());
  }
  std::vector<int> unstoredFields;
  for (const auto& field : fields_) {
    if (!field->IsStored()) unstoredFields.push_back(field->Index());
  }

  Impl& m = *impl_;
  const bool wasEditing = state_ != TableState::Browse;
  state_ = TableState::Browse;
  modified_ = false;
  m.buffer = Row{};
  m.editId = m.anchorId = 0;
  m.ClearRows();
  std::vector<RowNode*> order;
  order.reserve(rows.size());
  m.rowMemory = std::move(batch.memory_);
  m.rows.Reserve(rows.size());
  std::uint64_t seq = 0;
  for (Row& row : rows) {
    RowNode& node = m.rows.Add(std::move(row.values));
    for (int f : unstoredFields)
      node.values[f] = Value();
    node.seq = (seq += 1u << 16);
    order.push_back(&node);
  }
  m.stored->Sort(order);
  for (auto& [fields, kept] : m.orders) {
    if (kept.get() != m.stored) kept->Sort(order);
  }
  // A counter below the loaded values would hand out an Id a row already has.
  nextAutoInc_ = autoIncFields.empty() ? nextAutoInc : std::max(nextAutoInc, highest + 1);
  changeCount_ = 0;
  ++rowsVersion_;
  if (observer_) observer_->RowsReplaced(*this);
  m.resetToFirst = true;
  m.EnsureView();
  if (wasEditing) m.Notify(TableChange::StateChanged);
  m.Notify(TableChange::DataSetChanged);
  m.NotifyDetails();
}

}  // namespace qv
