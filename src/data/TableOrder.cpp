#include "data/TableOrder.h"

#include <algorithm>
#include <array>
#include <limits>

namespace qv {

TableOrder::TableOrder(const Table& table, std::vector<int> fields)
    : table_(table), fields_(std::move(fields)) {
  packable_ = !fields_.empty() && fields_.size() <= kPackedFields;
  for (int f : fields_) {
    const Field& field = table_.Fields(f);
    if (!field.IsStored()) storedKeys_ = false;
    const FieldType type = field.ValueType();
    if (type != FieldType::Integer && type != FieldType::Boolean) packable_ = false;
  }
  packable_ = packable_ && storedKeys_;
  packedValid_ = packable_;
}

namespace {

// Null sorts before every number, as CompareValues has it; booleans count as
// 0 and 1 there, like the integers they are compared with.
constexpr std::int64_t kNullRank = std::numeric_limits<std::int64_t>::min();

bool PackValue(const Value& value, std::int64_t& packed) {
  switch (value.GetKind()) {
    case Value::Kind::Null:
      packed = kNullRank;
      return true;
    case Value::Kind::Integer:
    case Value::Kind::Boolean:
      packed = value.ToInteger();
      return true;
    case Value::Kind::String:
      break;
  }
  return false;
}

}  // namespace

bool TableOrder::PackedLess(const PackedKey& a, const PackedKey& b) {
  for (std::size_t i = 0; i < kPackedFields; ++i) {
    if (a.part[i] != b.part[i]) return a.part[i] < b.part[i];
  }
  return a.id < b.id;
}

bool TableOrder::PackRow(const RowNode* row, PackedKey& packed) const {
  packed.id = row->id;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (!PackValue(row->values[static_cast<std::size_t>(fields_[i])], packed.part[i])) return false;
  }
  return true;
}

bool TableOrder::PackSearchKey(std::span<const Value> key, PackedKey& packed,
                               std::size_t& count) const {
  count = std::min(key.size(), fields_.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (!PackValue(key[i], packed.part[i])) return false;
  }
  return true;
}

void TableOrder::DropPacked() {
  packedValid_ = false;
  packed_.clear();
  packed_.shrink_to_fit();
}

void TableOrder::RebuildPacked() {
  if (!packable_) return;
  packed_.resize(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (!PackRow(rows_[i], packed_[i])) {
      DropPacked();
      return;
    }
  }
  packedValid_ = true;
}

bool TableOrder::StartsWith(const std::vector<int>& fields) const {
  return fields.size() <= fields_.size() &&
         std::equal(fields.begin(), fields.end(), fields_.begin());
}

Value TableOrder::KeyValue(const RowNode* row, int field) const {
  if (table_.Fields(field).IsStored()) {
    return field < static_cast<int>(row->values.size()) ? row->values[field] : Value();
  }
  return Record(table_, row).Get(field);
}

int TableOrder::CompareRows(const RowNode* a, const RowNode* b) const {
  if (a == b) return 0;
  if (fields_.empty()) return a->seq < b->seq ? -1 : (a->seq > b->seq ? 1 : 0);
  if (storedKeys_) {
    for (int f : fields_) {
      const int c = CompareValues(a->values[f], b->values[f]);
      if (c != 0) return c;
    }
  } else {
    for (int f : fields_) {
      const int c = CompareValues(KeyValue(a, f), KeyValue(b, f));
      if (c != 0) return c;
    }
  }
  return a->id < b->id ? -1 : (a->id > b->id ? 1 : 0);
}

int TableOrder::CompareKey(const RowNode* row, std::span<const Value> key) const {
  const std::size_t n = std::min(key.size(), fields_.size());
  if (storedKeys_) {
    const Value* values = row->values.data();
    for (std::size_t i = 0; i < n; ++i) {
      const int c = CompareValues(values[fields_[i]], key[i]);
      if (c != 0) return c;
    }
    return 0;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const int c = CompareValues(KeyValue(row, fields_[i]), key[i]);
    if (c != 0) return c;
  }
  return 0;
}

bool TableOrder::KeyDiffers(const RowValues& a, const RowValues& b) const {
  for (int f : fields_) {
    if (CompareValues(a[f], b[f]) != 0 || a[f].GetKind() != b[f].GetKind()) return true;
  }
  return false;
}

std::size_t TableOrder::LowerBound(const std::vector<RowNode*>& rows, const RowNode* row) const {
  PackedKey probe;
  if (UsesPacked(rows) && PackRow(row, probe)) {
    auto it = std::lower_bound(packed_.begin(), packed_.end(), probe, PackedLess);
    return static_cast<std::size_t>(it - packed_.begin());
  }
  auto it = std::lower_bound(
      rows.begin(), rows.end(), row,
      [this](const RowNode* a, const RowNode* b) { return CompareRows(a, b) < 0; });
  return static_cast<std::size_t>(it - rows.begin());
}

int TableOrder::IndexIn(const std::vector<RowNode*>& rows, const RowNode* row) const {
  const std::size_t at = LowerBound(rows, row);
  if (at < rows.size() && rows[at] == row) return static_cast<int>(at);
  if (!storedKeys_) {
    // Computed keys may have changed under the order; fall back to a scan.
    auto it = std::find(rows.begin(), rows.end(), row);
    if (it != rows.end()) return static_cast<int>(it - rows.begin());
  }
  return -1;
}

namespace {

// Compares the first `count` parts of two packed keys.
int ComparePrefix(const std::int64_t* a, const std::int64_t* b, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

}  // namespace

std::size_t TableOrder::LowerBoundKey(const std::vector<RowNode*>& rows,
                                      std::span<const Value> key) const {
  PackedKey probe;
  std::size_t count = 0;
  if (UsesPacked(rows) && PackSearchKey(key, probe, count)) {
    auto it = std::partition_point(packed_.begin(), packed_.end(), [&](const PackedKey& p) {
      return ComparePrefix(p.part.data(), probe.part.data(), count) < 0;
    });
    return static_cast<std::size_t>(it - packed_.begin());
  }
  auto it = std::partition_point(rows.begin(), rows.end(),
                                 [&](const RowNode* r) { return CompareKey(r, key) < 0; });
  return static_cast<std::size_t>(it - rows.begin());
}

std::size_t TableOrder::UpperBoundKey(const std::vector<RowNode*>& rows,
                                      std::span<const Value> key) const {
  PackedKey probe;
  std::size_t count = 0;
  if (UsesPacked(rows) && PackSearchKey(key, probe, count)) {
    auto it = std::partition_point(packed_.begin(), packed_.end(), [&](const PackedKey& p) {
      return ComparePrefix(p.part.data(), probe.part.data(), count) <= 0;
    });
    return static_cast<std::size_t>(it - packed_.begin());
  }
  auto it = std::partition_point(rows.begin(), rows.end(),
                                 [&](const RowNode* r) { return CompareKey(r, key) <= 0; });
  return static_cast<std::size_t>(it - rows.begin());
}

bool TableOrder::KeyEqualsAt(const std::vector<RowNode*>& rows, std::size_t at,
                             std::span<const Value> key) const {
  PackedKey probe;
  std::size_t count = 0;
  if (UsesPacked(rows) && PackSearchKey(key, probe, count)) {
    return ComparePrefix(packed_[at].part.data(), probe.part.data(), count) == 0;
  }
  return CompareKey(rows[at], key) == 0;
}

bool TableOrder::SortPacked(std::vector<RowNode*>& rows) {
  if (!packable_) return false;
  packed_.clear();
  packed_.reserve(rows.size());
  for (const RowNode* row : rows) {
    if (!PackRow(row, packed_.emplace_back())) {
      packed_.clear();
      return false;
    }
  }
  // Rows often arrive in this order already (a file saved from it).
  if (std::is_sorted(packed_.begin(), packed_.end(), PackedLess)) return true;
  struct Entry {
    PackedKey key;
    RowNode* row;
  };
  std::vector<Entry> entries;
  entries.reserve(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i)
    entries.push_back({packed_[i], rows[i]});
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return PackedLess(a.key, b.key); });
  for (std::size_t i = 0; i < entries.size(); ++i) {
    rows[i] = entries[i].row;
    packed_[i] = entries[i].key;
  }
  return true;
}

void TableOrder::Sort(std::vector<RowNode*> rows) {
  // Number keys are compared packed, which is several times quicker.
  if (SortPacked(rows)) {
    rows_ = std::move(rows);
    packedValid_ = true;
    return;
  }
  const auto less = [this](const RowNode* a, const RowNode* b) { return CompareRows(a, b) < 0; };
  // Rows often arrive in this order already (a file saved from it, the
  // stored order itself): one pass sees that.
  const bool sorted =
      fields_.empty()
          ? std::is_sorted(rows.begin(), rows.end(),
                           [](const RowNode* a, const RowNode* b) { return a->seq < b->seq; })
          : std::is_sorted(rows.begin(), rows.end(), less);
  if (sorted) {
    rows_ = std::move(rows);
    RebuildPacked();
  } else {
    std::sort(rows.begin(), rows.end(), less);
    rows_ = std::move(rows);
    RebuildPacked();
  }
}

void TableOrder::Clear() {
  rows_.clear();
  packed_.clear();
  packedValid_ = packable_;
}

void TableOrder::Add(RowNode* row) {
  const std::size_t at = LowerBound(rows_, row);
  if (packedValid_) {
    PackedKey packed;
    if (PackRow(row, packed)) {
      packed_.insert(packed_.begin() + static_cast<std::ptrdiff_t>(at), packed);
    } else {
      DropPacked();
    }
  }
  rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(at), row);
}

void TableOrder::Remove(const RowNode* row) {
  int at = IndexIn(rows_, row);
  if (at < 0) {
    auto it = std::find(rows_.begin(), rows_.end(), row);
    if (it == rows_.end()) return;
    at = static_cast<int>(it - rows_.begin());
  }
  rows_.erase(rows_.begin() + at);
  if (packedValid_) packed_.erase(packed_.begin() + at);
}

void TableOrder::AddTo(std::vector<RowNode*>& rows, RowNode* row) const {
  rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(LowerBound(rows, row)), row);
}

void TableOrder::RemoveFrom(std::vector<RowNode*>& rows, const RowNode* row) const {
  const int at = IndexIn(rows, row);
  if (at >= 0) {
    rows.erase(rows.begin() + at);
    return;
  }
  auto it = std::find(rows.begin(), rows.end(), row);
  if (it != rows.end()) rows.erase(it);
}

}  // namespace qv
