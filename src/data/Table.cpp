#include "data/Table.h"

#include <algorithm>

#include "data/TableImpl.h"
#include "data/TextUtil.h"

namespace qv {

Table::Table(std::string name) : name_(std::move(name)), impl_(std::make_unique<Impl>(*this)) {}

Table::~Table() {
  // Neither a master nor a detail may keep a pointer to a table that is gone.
  if (master_) {
    auto& siblings = master_->impl_->details;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (Table* detail : impl_->details) {
    detail->master_ = nullptr;
    detail->impl_->masterFields.clear();
    detail->impl_->detailFields.clear();
    detail->impl_->MarkViewChanged();
  }
}

// ---- Schema ----

Field& Table::AddField(std::string name, FieldType type, int size) {
  if (!impl_->rows.Empty() || state_ != TableState::Browse) {
    throw TableError("The fields of table " + name_ + " cannot change while it holds rows");
  }
  if (FindField(name)) throw TableError("Field '" + name + "' already exists in table " + name_);
  const int index = FieldCount();
  fields_.push_back(std::make_unique<Field>(*this, index, std::move(name), type, size));
  return *fields_.back();
}

Field& Table::AddLookupField(std::string name, int size, std::string keyField, Table* lookupTable,
                             std::string lookupKeyField, std::string resultField) {
  FieldByName(keyField);  // the key field must exist already
  Field& field = AddField(std::move(name), FieldType::Lookup, size);
  field.SetLookup(lookupTable, std::move(keyField), std::move(lookupKeyField),
                  std::move(resultField));
  return field;
}

Field& Table::AddCalculatedField(std::string name, FieldType valueType, int size,
                                 Field::CalculateHandler calculate) {
  Field& field =
      AddField(std::move(name), FieldType::Calculated, valueType == FieldType::String ? size : 0);
  field.valueType_ = valueType;
  field.ResetDisplayDefaults();
  field.OnCalculate = std::move(calculate);
  return field;
}

void Table::AddIndex(std::string name, std::string fields) {
  impl_->ResolveFields(fields);  // unknown fields are refused now, not on first use
  for (const IndexDef& def : indexDefs_) {
    if (EqualNoCase(def.name, name)) throw TableError("Index '" + name + "' already exists");
  }
  indexDefs_.push_back({std::move(name), std::move(fields)});
}

Field* Table::FindField(std::string_view name) {
  for (auto& field : fields_) {
    if (EqualNoCase(field->FieldName(), name)) return field.get();
  }
  return nullptr;
}

const Field* Table::FindField(std::string_view name) const {
  return const_cast<Table*>(this)->FindField(name);
}

Field& Table::FieldByName(std::string_view name) {
  Field* field = FindField(name);
  if (!field) throw TableError("Field '" + std::string(name) + "' not found");
  return *field;
}

const Field& Table::FieldByName(std::string_view name) const {
  return const_cast<Table*>(this)->FieldByName(name);
}

// ---- Rows and cursor ----

int Table::RecordCount() const {
  return static_cast<int>(impl_->View().size());
}

int Table::RecNo() const {
  impl_->EnsureView();
  return impl_->pos + 1;
}

void Table::SetRecNo(int recNo) {
  CheckBrowseMode();
  Impl& m = *impl_;
  const RowNode* before = m.cur;
  if (m.View().empty()) return;
  m.SetCursor(recNo - 1);
  m.eof = m.bof = false;
  m.Scrolled(before);
}

void Table::First() {
  CheckBrowseMode();
  Impl& m = *impl_;
  const RowNode* before = m.cur;
  m.SetCursor(0);
  m.bof = true;
  m.eof = m.cur == nullptr;
  m.Scrolled(before);
}

void Table::Last() {
  CheckBrowseMode();
  Impl& m = *impl_;
  const RowNode* before = m.cur;
  m.SetCursor(static_cast<int>(m.View().size()) - 1);
  m.eof = true;
  m.bof = m.cur == nullptr;
  m.Scrolled(before);
}

void Table::Next() {
  MoveBy(1);
}

void Table::Prior() {
  MoveBy(-1);
}

int Table::MoveBy(int distance) {
  CheckBrowseMode();
  Impl& m = *impl_;
  const RowNode* before = m.cur;
  const int count = static_cast<int>(m.View().size());
  if (count == 0) {
    m.eof = m.bof = true;
    m.Scrolled(before);
    return 0;
  }
  if (distance == 0) return 0;
  const long long target = static_cast<long long>(m.pos) + distance;
  const int from = m.pos;
  m.SetCursor(static_cast<int>(std::clamp<long long>(target, 0, count - 1)));
  m.eof = target > count - 1;
  m.bof = target < 0;
  m.Scrolled(before);
  return m.pos - from;
}

bool Table::Eof() const {
  impl_->EnsureView();
  return impl_->cur == nullptr || impl_->eof;
}

bool Table::Bof() const {
  impl_->EnsureView();
  return impl_->cur == nullptr || impl_->bof;
}

Record Table::CurrentRecord() const {
  if (state_ != TableState::Browse) return Record(*this, &impl_->buffer);
  impl_->EnsureView();
  return Record(*this, impl_->cur);
}

Record Table::RecordAt(int recNo) const {
  const std::vector<RowNode*>& view = impl_->View();
  if (recNo < 1 || recNo > static_cast<int>(view.size())) return Record(*this, nullptr);
  return Record(*this, view[recNo - 1]);
}

std::vector<Record> Table::AllRecords() const {
  std::vector<Record> records;
  records.reserve(impl_->stored->Rows().size());
  for (const RowNode* row : impl_->stored->Rows())
    records.emplace_back(*this, row);
  return records;
}

int Table::TotalRowCount() const {
  return static_cast<int>(impl_->rows.Size());
}

Table::Bookmark Table::GetBookmark() const {
  if (state_ == TableState::Insert) return 0;
  impl_->EnsureView();
  return impl_->cur ? impl_->cur->id : 0;
}

bool Table::BookmarkValid(Bookmark bookmark) const {
  return impl_->rows.Find(bookmark) != nullptr;
}

void Table::GotoBookmark(Bookmark bookmark) {
  CheckBrowseMode();
  Impl& m = *impl_;
  const RowNode* row = m.rows.Find(bookmark);
  const int at = row == nullptr ? -1 : m.ViewIndexOf(row);
  if (at < 0) throw TableError("Record not found in table " + name_);
  const RowNode* before = m.cur;
  m.SetCursor(at);
  m.eof = m.bof = false;
  m.Scrolled(before);
}

// ---- Order and key search ----

void Table::SetIndexName(const std::string& name) {
  std::vector<int> fields;
  std::string found;
  if (!name.empty()) {
    auto def = std::find_if(indexDefs_.begin(), indexDefs_.end(),
                            [&](const IndexDef& d) { return EqualNoCase(d.name, name); });
    if (def == indexDefs_.end()) throw TableError("Index '" + name + "' not found");
    fields = impl_->ResolveFields(def->fields);
    found = def->name;
  }
  CheckBrowseMode();
  indexName_ = found;
  indexFieldNames_.clear();
  impl_->ActivateOrder(impl_->OrderFor(fields));
}

void Table::SetIndexFieldNames(const std::string& fieldList) {
  const std::vector<int> fields = impl_->ResolveFields(fieldList);
  CheckBrowseMode();
  indexFieldNames_ = fields.empty() ? std::string() : fieldList;
  indexName_.clear();
  impl_->ActivateOrder(impl_->OrderFor(fields));
}

std::string Table::ActiveOrderFields() const {
  if (!indexName_.empty()) {
    for (const IndexDef& def : indexDefs_) {
      if (def.name == indexName_) return def.fields;
    }
  }
  return indexFieldNames_;
}

bool Table::FindKey(const std::vector<Value>& key) {
  CheckBrowseMode();
  Impl& m = *impl_;
  std::vector<Value> converted;
  const std::span<const Value> searchKey = m.SearchKey(key, converted);
  const std::vector<RowNode*>& view = m.View();
  const std::size_t at = m.active->LowerBoundKey(view, searchKey);
  if (at >= view.size() || !m.active->KeyEqualsAt(view, at, searchKey)) return false;
  const RowNode* before = m.cur;
  m.SetCursor(static_cast<int>(at));
  m.eof = m.bof = false;
  m.Scrolled(before);
  return true;
}

void Table::FindNearest(const std::vector<Value>& key) {
  CheckBrowseMode();
  Impl& m = *impl_;
  std::vector<Value> converted;
  const std::span<const Value> searchKey = m.SearchKey(key, converted);
  const std::vector<RowNode*>& view = m.View();
  if (view.empty()) return;
  const std::size_t at = m.active->LowerBoundKey(view, searchKey);
  const RowNode* before = m.cur;
  m.SetCursor(static_cast<int>(std::min(at, view.size() - 1)));
  m.eof = at >= view.size();
  m.bof = false;
  m.Scrolled(before);
}

bool Table::Locate(const std::string& fieldList, const std::vector<Value>& values) {
  CheckBrowseMode();
  Impl& m = *impl_;
  const std::vector<int> fields = m.ResolveFields(fieldList);
  if (fields.empty() || fields.size() != values.size()) {
    throw TableError("Locate in table " + name_ + " needs one value per field");
  }
  std::vector<Value> key;
  for (std::size_t i = 0; i < fields.size(); ++i)
    key.push_back(SearchValue(Fields(fields[i]), values[i]));
  const std::vector<RowNode*>& view = m.View();
  int found = -1;
  if (m.active->StartsWith(fields)) {
    const std::size_t at = m.active->LowerBoundKey(view, key);
    if (at < view.size() && m.active->KeyEqualsAt(view, at, key)) found = static_cast<int>(at);
  } else {
    for (std::size_t r = 0; r < view.size() && found < 0; ++r) {
      const Record record(*this, view[r]);
      bool equal = true;
      for (std::size_t i = 0; i < fields.size() && equal; ++i) {
        equal = CompareValues(record.Get(fields[i]), key[i]) == 0;
      }
      if (equal) found = static_cast<int>(r);
    }
  }
  if (found < 0) return false;
  const RowNode* before = m.cur;
  m.SetCursor(found);
  m.eof = m.bof = false;
  m.Scrolled(before);
  return true;
}

Record Table::Lookup(const std::string& field, const Value& value) const {
  return impl_->LookupByIndex(FieldByName(field).Index(), value);
}

Record OrderedRows::At(int i) const {
  return Record(*table_, (*rows_)[begin_ + static_cast<std::size_t>(i)]);
}

OrderedRows Table::RowsInOrder(const std::string& fields) const {
  const std::vector<RowNode*>& rows = impl_->ScanOrder(fields)->Rows();
  return OrderedRows(*this, rows, 0, rows.size());
}

OrderedRows Table::RowsWithKey(const std::string& fields, const std::vector<Value>& key) const {
  Impl& m = *impl_;
  const TableOrder* order = m.ScanOrder(fields);
  const std::vector<int>& indexes = order->Fields();
  if (key.size() > indexes.size())
    throw TableError("Too many key values for the order of table " + name_);
  bool convert = false;
  for (std::size_t i = 0; i < key.size() && !convert; ++i)
    convert = !HasSearchKind(Fields(indexes[i]), key[i]);
  std::span<const Value> search(key);
  if (convert) {
    m.scanKey.clear();
    for (std::size_t i = 0; i < key.size(); ++i)
      m.scanKey.push_back(SearchValue(Fields(indexes[i]), key[i]));
    search = m.scanKey;
  }
  const std::vector<RowNode*>& rows = order->Rows();
  return OrderedRows(*this, rows, order->LowerBoundKey(rows, search),
                     order->UpperBoundKey(rows, search));
}

}  // namespace qv
