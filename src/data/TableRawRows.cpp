#include "data/RowStore.h"
#include "data/Table.h"
#include "data/TableImpl.h"
#include "data/TableObserver.h"

// Raw writes at a place of the stored order: what undo, redo and the journal
// use to put a table back exactly as a step found or left it. No rule runs
// (the step already holds what the rules did), so no event fires.

namespace qv {

TableWriteGroup::TableWriteGroup(Table& table, ChangeKind kind, const std::string& name)
    : table_(table), observer_(table.Observer()) {
  if (!observer_) return;
  observer_->WriteBegins(table_);
  observer_->NameStep(kind, name);
}

TableWriteGroup::~TableWriteGroup() {
  if (observer_) observer_->WriteEnds(table_);
}

Record Table::StoredRecordAt(int place) const {
  const std::vector<RowNode*>& all = impl_->stored->Rows();
  if (place < 0 || place >= static_cast<int>(all.size())) return Record(*this, nullptr);
  return Record(*this, all[place]);
}

void Table::CheckRawWrite(int place, int limit, const RowValues* values) const {
  if (state_ != TableState::Browse)
    throw TableError("Table " + name_ + " is being edited; its rows cannot be written now");
  if (place < 0 || place > limit)
    throw TableError("Table " + name_ + " has no row at place " + std::to_string(place + 1));
  if (values != nullptr && values->size() != fields_.size()) {
    throw TableError("A row of table " + name_ + " has " + std::to_string(values->size()) +
                     " values instead of " + std::to_string(fields_.size()));
  }
}

void Table::AfterRawWrite(const void* cursorBefore, bool cursorRowChanged) {
  Impl& m = *impl_;
  ++changeCount_;
  ++rowsVersion_;
  if (m.rawBulk) return;  // EndRawWrites tells the views once
  m.MarkViewChanged();
  m.EnsureView();
  m.Notify(TableChange::DataSetChanged);
  if (m.cur != cursorBefore) m.Notify(TableChange::Scrolled);
  // The details follow the master's current row, its values included.
  if (m.cur != cursorBefore || cursorRowChanged) m.NotifyDetails();
}

void Table::PutRowAt(int place, RowValues values) {
  Impl& m = *impl_;
  const std::vector<RowNode*>& all = m.stored->Rows();
  CheckRawWrite(place, static_cast<int>(all.size()), &values);
  const std::uint64_t anchor = place < static_cast<int>(all.size()) ? all[place]->id : 0;
  const std::uint64_t seq = m.AllocateSeq(anchor);
  RowNode& row = m.rows.Add(std::move(values));
  row.seq = seq;
  if (m.rawBulk)
    m.stored->Add(&row);
  else
    m.AddToOrders(&row);
  AfterRawWrite(m.cur, false);
}

void Table::ReplaceRowAt(int place, RowValues values) {
  Impl& m = *impl_;
  CheckRawWrite(place, static_cast<int>(m.stored->Rows().size()) - 1, &values);
  RowNode* row = m.stored->Rows()[place];
  // The row keeps its seq, so its place in stored order stays; only the
  // orders whose key changed take it out and in again.
  std::vector<TableOrder*> moved;
  for (auto& [fields, order] : m.orders) {
    if (order.get() == m.stored || m.rawBulk) continue;
    if (!order->HasStoredKeys() || order->KeyDiffers(row->values, values)) {
      order->Remove(row);
      moved.push_back(order.get());
    }
  }
  row->values = std::move(values);
  for (TableOrder* order : moved)
    order->Add(row);
  AfterRawWrite(m.cur, m.cur == row);
}

void Table::RemoveRowAt(int place) {
  Impl& m = *impl_;
  CheckRawWrite(place, static_cast<int>(m.stored->Rows().size()) - 1, nullptr);
  RowNode* victim = m.stored->Rows()[place];
  const RowNode* before = m.cur;
  if (m.rawBulk) {
    // The other orders are stale, so the cursor's new row is found at the end.
    if (m.cur == victim) m.cur = nullptr;
    m.stored->Remove(victim);
    m.rows.Remove(victim->id);
    AfterRawWrite(before, false);
    return;
  }
  if (m.cur == victim) {
    // The cursor goes to the row that follows in the active order (the view
    // then finds the nearest one it shows), or the one before at the end.
    const std::vector<RowNode*>& active = m.active->Rows();
    const int at = m.active->IndexIn(active, victim);
    RowNode* next = nullptr;
    if (at >= 0 && at + 1 < static_cast<int>(active.size()))
      next = active[at + 1];
    else if (at > 0)
      next = active[at - 1];
    m.cur = next;
  }
  m.RemoveFromOrders(victim);
  if (m.derived) m.active->RemoveFrom(m.derivedRows, victim);
  m.rows.Remove(victim->id);
  AfterRawWrite(before, false);
}

void Table::BeginRawWrites() {
  Impl& m = *impl_;
  if (m.rawBulk) return;
  m.rawBulk = true;
  m.bulkCursor = m.cur;
}

void Table::EndRawWrites() {
  Impl& m = *impl_;
  if (!m.rawBulk) return;
  m.rawBulk = false;
  const std::vector<RowNode*>& all = m.stored->Rows();
  for (auto& [fields, order] : m.orders)
    if (order.get() != m.stored) order->Sort(all);
  // A filtered view may hold rows that are gone: it is built anew.
  m.derivedRows.clear();
  m.viewDirty = true;
  if (m.cur == nullptr && m.bulkCursor != nullptr) {
    const std::vector<RowNode*>& view = m.View();
    if (!view.empty()) m.cur = view.front();
  }
  AfterRawWrite(m.bulkCursor, true);
}

}  // namespace qv
