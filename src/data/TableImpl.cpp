#include "data/TableImpl.h"

#include <algorithm>

#include "data/TextUtil.h"

namespace qv {

namespace {
constexpr std::uint64_t kSeqGap = 1u << 16;
// Below this size a lookup scans; above it, it keeps an order on the field.
constexpr std::size_t kLookupScanLimit = 32;
}  // namespace

Value SearchValue(const Field& field, const Value& value) {
  if (value.IsNull()) return value;
  switch (field.ValueType()) {
    case FieldType::Integer:
    case FieldType::AutoInc:
      return Value(value.ToInteger());
    case FieldType::Boolean:
      return Value(value.ToBoolean());
    default:
      return Value(value.ToString());
  }
}

bool HasSearchKind(const Field& field, const Value& value) {
  switch (value.GetKind()) {
    case Value::Kind::Null:
      return true;
    case Value::Kind::Integer:
      return field.ValueType() == FieldType::Integer || field.ValueType() == FieldType::AutoInc;
    case Value::Kind::Boolean:
      return field.ValueType() == FieldType::Boolean;
    case Value::Kind::String: {
      const FieldType type = field.ValueType();
      return type != FieldType::Integer && type != FieldType::AutoInc && type != FieldType::Boolean;
    }
  }
  return false;
}

Table::Impl::Impl(Table& o) : owner(o) {
  auto storedOrder = std::make_unique<TableOrder>(owner, std::vector<int>{});
  stored = storedOrder.get();
  active = stored;
  orders.emplace(std::vector<int>{}, std::move(storedOrder));
}

// ---- View and cursor ----

bool Table::Impl::WantDerived() const {
  return owner.master_ != nullptr ||
         (owner.filtered_ && (owner.OnFilterRecord || !filter.IsEmpty()));
}

std::vector<Value> Table::Impl::MasterValues() const {
  std::vector<Value> values;
  const Record master = owner.master_->CurrentRecord();
  if (!master.IsValid()) return values;
  for (std::size_t i = 0; i < masterFields.size(); ++i) {
    values.push_back(SearchValue(owner.Fields(detailFields[i]), master.Get(masterFields[i])));
  }
  return values;
}

bool Table::Impl::Passes(const RowNode* row, const std::vector<Value>& masterKey) {
  const Record record(owner, row);
  if (owner.master_) {
    if (masterKey.size() != detailFields.size()) return false;
    for (std::size_t i = 0; i < masterKey.size(); ++i) {
      if (CompareValues(record.Get(detailFields[i]), masterKey[i]) != 0) return false;
    }
  }
  if (owner.filtered_) {
    if (!filter.Matches(record)) return false;
    if (owner.OnFilterRecord && !owner.OnFilterRecord(record)) return false;
  }
  return true;
}

const std::vector<RowNode*>& Table::Impl::View() {
  EnsureView();
  return derived ? derivedRows : active->Rows();
}

void Table::Impl::EnsureView() {
  const bool want = WantDerived();
  if (want != derived) {
    derived = want;
    viewDirty = true;
  }
  if (derived && viewDirty) {
    derivedRows.clear();
    const std::vector<RowNode*>& all = active->Rows();
    auto from = all.begin();
    auto to = all.end();
    const std::vector<Value> key = owner.master_ ? MasterValues() : std::vector<Value>();
    if (owner.master_) {
      if (key.size() != detailFields.size()) {
        to = from;  // the master has no current row: no detail rows
      } else if (active->StartsWith(detailFields)) {
        from = all.begin() + static_cast<std::ptrdiff_t>(active->LowerBoundKey(all, key));
        to = all.begin() + static_cast<std::ptrdiff_t>(active->UpperBoundKey(all, key));
      }
    }
    for (auto it = from; it != to; ++it) {
      if (Passes(*it, key)) derivedRows.push_back(*it);
    }
    syncPending = true;
  }
  viewDirty = false;
  const std::vector<RowNode*>& view = derived ? derivedRows : active->Rows();
  if (resetToFirst) {
    resetToFirst = false;
    syncPending = false;
    cur = view.empty() ? nullptr : view.front();
    pos = view.empty() ? -1 : 0;
    bof = true;
    eof = view.empty();
  } else if (syncPending) {
    syncPending = false;
    if (view.empty()) {
      cur = nullptr;
      pos = -1;
      eof = bof = true;
    } else if (!cur) {
      cur = view.front();
      pos = 0;
      bof = true;
      eof = false;
    } else {
      const int at = active->IndexIn(view, cur);
      if (at >= 0) {
        pos = at;
      } else {
        // The row left the view: stand on the row that follows its place.
        pos = static_cast<int>(std::min(active->LowerBound(view, cur), view.size() - 1));
        cur = view[pos];
      }
      eof = bof = false;
    }
  }
}

void Table::Impl::MarkViewChanged() {
  viewDirty = true;
  syncPending = true;
}

void Table::Impl::SetCursor(int position) {
  const std::vector<RowNode*>& view = View();
  if (view.empty()) {
    cur = nullptr;
    pos = -1;
    return;
  }
  pos = std::clamp(position, 0, static_cast<int>(view.size()) - 1);
  cur = view[pos];
}

int Table::Impl::ViewIndexOf(const RowNode* row) {
  return active->IndexIn(View(), row);
}

// ---- Orders ----

std::vector<int> Table::Impl::ResolveFields(const std::string& list) const {
  std::vector<int> fields;
  for (const std::string& name : SplitFieldList(list)) {
    fields.push_back(owner.FieldByName(name).Index());
  }
  return fields;
}

TableOrder* Table::Impl::ScanOrder(const std::string& list) {
  if (list != scanFieldList || scanFields.empty()) {
    scanFields = ResolveFields(list);
    scanFieldList = list;
  }
  return OrderFor(scanFields);
}

TableOrder* Table::Impl::OrderFor(const std::vector<int>& fields) {
  auto it = orders.find(fields);
  if (it != orders.end()) return it->second.get();
  auto order = std::make_unique<TableOrder>(owner, fields);
  order->Sort(stored->Rows());
  TableOrder* result = order.get();
  orders.emplace(fields, std::move(order));
  return result;
}

void Table::Impl::AddToOrders(RowNode* row) {
  for (auto& [fields, order] : orders)
    order->Add(row);
}

void Table::Impl::RemoveFromOrders(const RowNode* row) {
  for (auto& [fields, order] : orders)
    order->Remove(row);
}

std::uint64_t Table::Impl::AllocateSeq(std::uint64_t beforeId) {
  // Only the rows' seq changes here, never the vector.
  const std::vector<RowNode*>& all = stored->Rows();
  RowNode* const anchorRow = beforeId ? rows.Find(beforeId) : nullptr;
  if (anchorRow == nullptr) return all.empty() ? kSeqGap : all.back()->seq + kSeqGap;
  int at = stored->IndexIn(all, anchorRow);
  std::uint64_t prev = at > 0 ? all[at - 1]->seq : 0;
  if (anchorRow->seq - prev < 2) {
    // No room left between the two rows: spread all rows out again.
    for (std::size_t i = 0; i < all.size(); ++i)
      all[i]->seq = (i + 1) * kSeqGap;
    prev = at > 0 ? all[at - 1]->seq : 0;
  }
  return prev + (anchorRow->seq - prev) / 2;
}

Record Table::Impl::LookupByIndex(int field, const Value& value) {
  const Field& f = owner.Fields(field);
  const Value key = SearchValue(f, value);
  TableOrder* order = nullptr;
  for (auto& [fields, o] : orders) {
    if (!fields.empty() && fields.front() == field) {
      order = o.get();
      break;
    }
  }
  if (!order && f.IsStored() && rows.Size() > kLookupScanLimit) order = OrderFor({field});
  if (order) {
    const std::vector<RowNode*>& all = order->Rows();
    const std::span<const Value> oneKey(&key, 1);
    const std::size_t at = order->LowerBoundKey(all, oneKey);
    if (at < all.size() && order->KeyEqualsAt(all, at, oneKey)) return Record(owner, all[at]);
    return Record(owner, nullptr);
  }
  for (const RowNode* row : stored->Rows()) {
    const Record record(owner, row);
    if (CompareValues(record.Get(field), key) == 0) return record;
  }
  return Record(owner, nullptr);
}

void Table::Impl::ActivateOrder(TableOrder* order) {
  active = order;
  ViewChanged();
}

std::span<const Value> Table::Impl::SearchKey(const std::vector<Value>& key,
                                              std::vector<Value>& converted) const {
  if (active->IsStoredOrder()) throw TableError("Table " + owner.name_ + " has no active index");
  const std::vector<int>& fields = active->Fields();
  if (key.size() > fields.size()) {
    throw TableError("Too many key values for the index of table " + owner.name_);
  }
  bool convert = false;
  for (std::size_t i = 0; i < key.size() && !convert; ++i) {
    convert = !HasSearchKind(owner.Fields(fields[i]), key[i]);
  }
  if (!convert) return key;
  converted.clear();
  converted.reserve(key.size());
  for (std::size_t i = 0; i < key.size(); ++i) {
    converted.push_back(SearchValue(owner.Fields(fields[i]), key[i]));
  }
  return converted;
}

// ---- Notifications ----

void Table::Impl::Fire(const Event& event) {
  if (!event) return;
  const Event handler = event;  // the handler may replace itself
  handler(owner);
}

void Table::Impl::Notify(TableChange change) {
  if (owner.disableCount_ > 0 || views.empty()) return;
  const std::vector<TableView*> snapshot = views;
  for (TableView* view : snapshot) {
    // A view may detach others (or itself) while being told.
    if (std::find(views.begin(), views.end(), view) != views.end()) {
      view->TableChanged(owner, change);
    }
  }
}

void Table::Impl::NotifyDetails() {
  const std::vector<Table*> snapshot = details;
  for (Table* detail : snapshot) {
    if (std::find(details.begin(), details.end(), detail) != details.end()) {
      detail->impl_->MasterChanged();
    }
  }
}

void Table::Impl::MasterChanged() {
  owner.CheckBrowseMode();
  viewDirty = true;
  resetToFirst = true;
  Notify(TableChange::DataSetChanged);
  Fire(owner.AfterScroll);
  NotifyDetails();
}

void Table::Impl::Scrolled(const RowNode* before) {
  if (cur != before) {
    MovedToAnotherRow();
  } else {
    Fire(owner.AfterScroll);
  }
}

void Table::Impl::MovedToAnotherRow() {
  Notify(TableChange::Scrolled);
  Fire(owner.AfterScroll);
  NotifyDetails();
}

void Table::Impl::ViewChanged() {
  const RowNode* before = cur;
  MarkViewChanged();
  EnsureView();
  Notify(TableChange::DataSetChanged);
  if (cur != before) {
    Fire(owner.AfterScroll);
    NotifyDetails();
  }
}

void Table::Impl::ClearRows() {
  for (auto& [fields, order] : orders)
    order->Clear();
  derivedRows.clear();
  rows.Clear();
  rowMemory.reset();  // no row is left that uses it
  cur = nullptr;
  pos = -1;
  eof = bof = true;
  viewDirty = true;
  syncPending = true;
  resetToFirst = false;
}

}  // namespace qv
