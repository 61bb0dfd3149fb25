#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "data/RowStore.h"
#include "data/Table.h"

namespace qv {

// One kept order of a table's rows: sorted by the listed fields with the row
// id breaking ties, or, with no fields, the stored order (by seq). The same
// comparison also searches any vector that is a sorted subset of it (the
// filtered view).
//
// An order on one or two integer or boolean fields also keeps the key numbers
// of its rows in one compact array beside them, so that searching it reads
// that array instead of visiting every row on the way.
class TableOrder {
 public:
  TableOrder(const Table& table, std::vector<int> fields);

  const std::vector<int>& Fields() const { return fields_; }
  bool IsStoredOrder() const { return fields_.empty(); }
  // True when the order's leading fields are exactly `fields`, in sequence.
  bool StartsWith(const std::vector<int>& fields) const;
  // True when every key field is a stored field, so a change of a row is
  // seen by comparing its old and new values.
  bool HasStoredKeys() const { return storedKeys_; }

  const std::vector<RowNode*>& Rows() const { return rows_; }

  int CompareRows(const RowNode* a, const RowNode* b) const;
  // Compares the leading key.size() fields of `row` with `key`, reading the
  // stored values in place.
  int CompareKey(const RowNode* row, std::span<const Value> key) const;
  // Whether the key fields of a row differ between two value sets.
  bool KeyDiffers(const RowValues& a, const RowValues& b) const;

  // Position of `row` in a vector sorted by this order, -1 when absent.
  int IndexIn(const std::vector<RowNode*>& rows, const RowNode* row) const;
  std::size_t LowerBound(const std::vector<RowNode*>& rows, const RowNode* row) const;
  std::size_t LowerBoundKey(const std::vector<RowNode*>& rows, std::span<const Value> key) const;
  std::size_t UpperBoundKey(const std::vector<RowNode*>& rows, std::span<const Value> key) const;
  // Whether rows[at] (which must exist) has the key `key`.
  bool KeyEqualsAt(const std::vector<RowNode*>& rows, std::size_t at,
                   std::span<const Value> key) const;

  // Takes `rows` as this order's rows, sorting them.
  void Sort(std::vector<RowNode*> rows);
  void Clear();
  void Add(RowNode* row);
  void Remove(const RowNode* row);
  // The same for another vector sorted by this order (the filtered view).
  void AddTo(std::vector<RowNode*>& rows, RowNode* row) const;
  void RemoveFrom(std::vector<RowNode*>& rows, const RowNode* row) const;

 private:
  static constexpr std::size_t kPackedFields = 2;
  // The key numbers of one row; unused parts stay 0.
  struct PackedKey {
    std::array<std::int64_t, kPackedFields> part{};
    std::uint64_t id = 0;
  };

  // Key order, ties by row id, as CompareRows has it.
  static bool PackedLess(const PackedKey& a, const PackedKey& b);
  Value KeyValue(const RowNode* row, int field) const;
  // False when a key value is text, which has no number.
  bool PackRow(const RowNode* row, PackedKey& packed) const;
  // Packs the leading values of a search key; false when one is text.
  bool PackSearchKey(std::span<const Value> key, PackedKey& packed, std::size_t& count) const;
  bool UsesPacked(const std::vector<RowNode*>& rows) const {
    return packedValid_ && &rows == &rows_;
  }
  void RebuildPacked();
  void DropPacked();
  // Sorts by the packed keys; false (rows untouched) when a row cannot be packed.
  bool SortPacked(std::vector<RowNode*>& rows);

  const Table& table_;
  std::vector<int> fields_;
  bool storedKeys_ = true;
  bool packable_ = false;     // the fields allow packed keys
  bool packedValid_ = false;  // packed_ holds the keys of rows_, position by position
  std::vector<RowNode*> rows_;
  std::vector<PackedKey> packed_;
};

}  // namespace qv
