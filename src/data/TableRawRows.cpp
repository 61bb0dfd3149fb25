#include "data/RowStore.h"
#include "data/Table.h"
#include "data/TableImpl.h"

// Raw writes at a place of the stored order: what undo, redo and the journal
// use to put a table back exactly as a step found or left it. No rule runs
// (the step already holds what the rules did), so no event fires.

namespace qv {

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
  m.AddToOrders(&row);
  AfterRawWrite(m.cur, false);
}

void Table::ReplaceRowAt(int place, RowValues values) {
  Impl& m = *impl_;
  CheckRawWrite(place, static_cast<int>(m.stored->Rows().size()) - 1, &values);
  RowNode* row = m.stored->Rows()[place];
  // The row keeps its seq, so its place in stored order stays; the other
  // orders take it out and in again by its new values.
  for (auto& [fields, order] : m.orders) {
    if (order.get() != m.stored) order->Remove(row);
  }
  row->values = std::move(values);
  for (auto& [fields, order] : m.orders) {
    if (order.get() != m.stored) order->Add(row);
  }
  AfterRawWrite(m.cur, m.cur == row);
}

void Table::RemoveRowAt(int place) {
  Impl& m = *impl_;
  CheckRawWrite(place, static_cast<int>(m.stored->Rows().size()) - 1, nullptr);
  RowNode* victim = m.stored->Rows()[place];
  const RowNode* before = m.cur;
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

}  // namespace qv
