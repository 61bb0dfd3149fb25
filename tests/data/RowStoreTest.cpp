#include "data/RowStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace qv {
namespace {

// Ids find their rows across the first (reserved) block and the blocks
// added after it; removed rows and rows from before a Clear are never found
// again, and the rows that stay never move.
TEST(RowStoreTest, IdsFindTheirRowsAcrossBlocksUntilRemovedOrCleared) {
  RowStore store;
  store.Reserve(1500);
  std::vector<RowNode*> rows;
  for (int i = 0; i < 4000; ++i) {
    RowNode& row = store.Add(RowValues{Value(i)});
    EXPECT_EQ(row.id, static_cast<std::uint64_t>(i + 1));
    rows.push_back(&row);
  }
  for (std::uint64_t id : {2u, 1500u, 1501u, 2525u, 4000u})
    store.Remove(id);
  store.Remove(2);  // twice: nothing more happens
  EXPECT_EQ(store.Size(), 3995u);
  for (int i = 0; i < 4000; ++i) {
    const std::uint64_t id = rows[i]->id == 0 ? 0 : static_cast<std::uint64_t>(i + 1);
    if (id == 0) {
      EXPECT_EQ(store.Find(static_cast<std::uint64_t>(i + 1)), nullptr) << i;
    } else {
      ASSERT_EQ(store.Find(id), rows[i]) << i;
      EXPECT_EQ(rows[i]->values[0].ToInteger(), i);
    }
  }
  EXPECT_EQ(store.Find(0), nullptr);
  EXPECT_EQ(store.Find(4001), nullptr);

  store.Clear();
  EXPECT_TRUE(store.Empty());
  EXPECT_EQ(store.Find(3), nullptr);
  const RowNode& fresh = store.Add(RowValues(1));
  EXPECT_EQ(fresh.id, 4001u);
  EXPECT_EQ(store.Find(4001), &fresh);
  EXPECT_EQ(store.Find(1), nullptr);
}

}  // namespace
}  // namespace qv
