#include "map/SectorDrawList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "support/UniverseRows.h"

namespace {

using qvtest::AddSector;

// The names of the sectors a grid range holds, in drawing order.
std::vector<std::string> Names(const qv::TSectorDrawList& list, int x0, int x1, int y0, int y1) {
  std::vector<int> found;
  list.Collect(x0, x1, y0, y1, found);
  std::vector<std::string> names;
  for (const int i : found)
    names.push_back(list.Records()[static_cast<size_t>(i)].name);
  return names;
}

TEST(SectorDrawListTest, CellsGiveTheirSectorsInTheTablesOrder) {
  qvtest::EmptyStore store;
  AddSector(*store, {.name = "East", .x = 3, .y = -2, .race = "Zhurr"});
  AddSector(*store, {.name = "West", .x = -4, .y = 5});
  AddSector(*store, {.name = "Twin b", .x = 0, .y = 0});
  AddSector(*store, {.name = "Twin a", .x = 0, .y = 0});
  AddSector(*store, {.name = "Tab\there", .x = 0, .y = 7, .suns = -12345});
  AddSector(*store, {.name = "Hidden", .x = 1, .y = 1, .visible = false});

  qv::TSectorDrawList list;
  list.Update(*store, false);
  EXPECT_EQ(Names(list, -9999, 9999, -9999, 9999),
            (std::vector<std::string>{"West", "Twin b", "Twin a", "Tab\there", "East"}));
  EXPECT_EQ(Names(list, -1, 3, -2, 0), (std::vector<std::string>{"Twin b", "Twin a", "East"}));
  EXPECT_EQ(Names(list, 1, 2, -9999, 9999), std::vector<std::string>{});
  EXPECT_EQ(list.Records()[4].race, 5);  // Zhurr
  EXPECT_EQ(list.Records()[0].race, -1);
  EXPECT_EQ(list.LongestName(), 7 + qv::TSectorDrawList::kTabBytes);
  EXPECT_EQ(list.LongestSuns(), 6u);

  list.Update(*store, true);
  EXPECT_EQ(Names(list, 1, 1, 1, 1), std::vector<std::string>{"Hidden"});
}

}  // namespace
