#include "data/RowStore.h"

namespace qv {

void RowStore::AddBlock(std::size_t rows) {
  if (blocks_.empty()) firstBlockRows_ = rows;
  blocks_.emplace_back().reserve(rows);
}

RowNode& RowStore::Add(RowValues values) {
  if (blocks_.empty() || blocks_.back().size() == blocks_.back().capacity()) AddBlock(kBlockRows);
  RowNode& row = blocks_.back().emplace_back(RowNode{{std::move(values), nextId_++}});
  ++size_;
  return row;
}

RowNode* RowStore::Find(std::uint64_t id) {
  if (id < firstId_ || id >= nextId_) return nullptr;
  std::uint64_t slot = id - firstId_;
  RowNode* row = nullptr;
  if (slot < firstBlockRows_) {
    row = &blocks_.front()[slot];
  } else {
    slot -= firstBlockRows_;
    row = &blocks_[1 + slot / kBlockRows][slot % kBlockRows];
  }
  return row->id == id ? row : nullptr;
}

void RowStore::Remove(std::uint64_t id) {
  RowNode* row = Find(id);
  if (row == nullptr) return;
  // The values go at once (into the memory they came from); the empty slot
  // keeps the places of the others.
  row->values = RowValues(row->values.get_allocator());
  row->id = 0;
  --size_;
}

void RowStore::Clear() {
  blocks_.clear();
  firstId_ = nextId_;
  size_ = 0;
}

void RowStore::Reserve(std::size_t count) {
  // A table loaded whole keeps all its rows in its first block.
  if (blocks_.empty() && count > kBlockRows) AddBlock(count);
}

}  // namespace qv
