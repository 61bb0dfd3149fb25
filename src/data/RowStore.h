#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "data/Table.h"

namespace qv {

// A stored row with the engine's own bookkeeping: `seq` places it in stored
// order (gaps leave room for rows inserted in between).
struct RowNode : Row {
  std::uint64_t seq = 0;
};

// The stored rows of one table, found by id. The store hands out the ids
// itself, in rising order, so the rows lie in blocks in the order of their
// ids: an id finds its row by arithmetic, a table of many rows costs a few
// block allocations instead of a node each, and a row never moves (the
// orders point at it).
class RowStore {
 public:
  // A new row with the next id and these values (taken over with their memory).
  RowNode& Add(RowValues values);
  // The row with `id`; nullptr when it was removed or never was.
  RowNode* Find(std::uint64_t id);
  // Removes the row with `id` (nothing when there is none); its slot stays
  // empty, so the ids of the others keep their places.
  void Remove(std::uint64_t id);
  // Removes every row. Ids go on rising, so no old id finds a row again.
  void Clear();
  // Room for `count` more rows without another block.
  void Reserve(std::size_t count);

  std::size_t Size() const { return size_; }
  bool Empty() const { return size_ == 0; }

 private:
  static constexpr std::size_t kBlockRows = 1024;

  void AddBlock(std::size_t rows);

  std::uint64_t firstId_ = 1;                // the id of the first slot
  std::size_t firstBlockRows_ = kBlockRows;  // more when the store was reserved empty
  std::uint64_t nextId_ = 1;
  std::size_t size_ = 0;  // rows present, removed ones not counted
  // Never grown past their capacity, so their rows stay where they are.
  std::vector<std::vector<RowNode>> blocks_;
};

}  // namespace qv
