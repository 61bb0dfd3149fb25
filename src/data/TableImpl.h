#pragma once

#include <map>
#include <memory>
#include <memory_resource>
#include <span>
#include <vector>

#include "data/FilterExpression.h"
#include "data/RowStore.h"
#include "data/Table.h"
#include "data/TableOrder.h"

namespace qv {

// The private state of a Table: rows, kept orders, the current view, the
// cursor, the edit buffer, the filter program, master-detail links and views.
class Table::Impl {
 public:
  explicit Impl(Table& owner);

  Table& owner;

  // The memory of the values of the rows loaded last (a RowBatch's); it
  // outlives the rows, which are declared after it.
  std::unique_ptr<std::pmr::monotonic_buffer_resource> rowMemory;
  // Rows by id; they live here and nowhere else, and never move, so the
  // orders can point at them.
  RowStore rows;

  // Every order ever used, kept sorted; the key {} is the stored order.
  std::map<std::vector<int>, std::unique_ptr<TableOrder>> orders;
  TableOrder* stored = nullptr;
  TableOrder* active = nullptr;

  // The view: the active order itself, or (with a filter or master range)
  // the rows of it that pass, rebuilt lazily when marked dirty.
  std::vector<RowNode*> derivedRows;
  bool derived = false;
  bool viewDirty = false;
  bool syncPending = false;   // the cursor's position must be found again
  bool resetToFirst = false;  // the master moved: start on the first row
  // Between BeginRawWrites and EndRawWrites: only the stored order is kept.
  bool rawBulk = false;
  const void* bulkCursor = nullptr;  // the cursor's row when the raw writes began

  // Cursor.
  RowNode* cur = nullptr;
  int pos = -1;
  bool eof = true;
  bool bof = true;

  // Edit buffer.
  Row buffer;
  std::uint64_t editId = 0;    // row being edited
  std::uint64_t anchorId = 0;  // insert before this row (0 = at the end)

  FilterExpression filter;

  // Master-detail.
  std::vector<int> masterFields;
  std::vector<int> detailFields;
  std::vector<Table*> details;

  // The field list the scans named last, resolved: a scan asks for the same
  // order again and again.
  std::string scanFieldList;
  std::vector<int> scanFields;
  std::vector<Value> scanKey;

  std::vector<TableView*> views;

  // ---- View and cursor ----
  const std::vector<RowNode*>& View();
  void EnsureView();
  bool WantDerived() const;
  bool Passes(const RowNode* row, const std::vector<Value>& masterKey);
  void MarkViewChanged();  // order, filter or range changed
  void SetCursor(int position);
  int ViewIndexOf(const RowNode* row);

  // ---- Orders ----
  TableOrder* OrderFor(const std::vector<int>& fields);
  TableOrder* ScanOrder(const std::string& list);
  std::vector<int> ResolveFields(const std::string& list) const;
  void AddToOrders(RowNode* row);
  void RemoveFromOrders(const RowNode* row);
  std::uint64_t AllocateSeq(std::uint64_t beforeId);
  Record LookupByIndex(int field, const Value& value);
  void ActivateOrder(TableOrder* order);
  // A key for the active order, each value in its field's kind; TableError
  // without an order or with more values than it has fields. Returns `key`
  // itself when no value needs converting (the usual case, which then costs
  // no allocation), else the converted values, kept in `converted`.
  std::span<const Value> SearchKey(const std::vector<Value>& key,
                                   std::vector<Value>& converted) const;

  // ---- Notifications ----
  void Fire(const Event& event);
  void Notify(TableChange change);
  void NotifyDetails();
  void MasterChanged();
  // After a cursor movement from `before`: events, views and details.
  void Scrolled(const RowNode* before);
  // The cursor stands on another row than before: views, AfterScroll, details.
  void MovedToAnotherRow();
  // After the order, filter or range changed: re-read the view, keep the row.
  void ViewChanged();

  std::vector<Value> MasterValues() const;
  void ClearRows();
};

// The kind of value a field compares as, for search keys.
Value SearchValue(const Field& field, const Value& value);
// Whether SearchValue would leave `value` as it is.
bool HasSearchKind(const Field& field, const Value& value);

}  // namespace qv
