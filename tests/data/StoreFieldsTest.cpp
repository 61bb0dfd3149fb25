#include "data/StoreFields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "data/StoreOperations.h"
#include "data/StoreTestData.h"
#include "data/TextUtil.h"
#include "support/TempDir.h"

namespace {

using qv::FieldRef;
using qv::Table;
using qv::TDataModule1;
using qv::Value;

class StoreFieldsTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  TDataModule1 s{dir.Folder()};
};

// Each handle stands for the field of its own table at its own place, and
// every field of the seven tables has one, in file order.
TEST_F(StoreFieldsTest, EveryHandleNamesTheFieldOfItsTableAtItsIndex) {
  const qv::TStoreFields& f = s.Fields();
  const auto& sc = f.Sectors;
  const auto& fa = f.Factories;
  const auto& pr = f.Products;
  const auto& fp = f.FactoryProd;
  const auto& sf = f.SectFactory;
  const auto& st = f.SectTrade;
  const auto& rq = f.AuxRequest;
  struct Expected {
    const Table* table;
    std::vector<const FieldRef*> handles;
    const char* names;
  };
  const Expected tables[] = {
      {&s.SectorsData,
       {&sc.Name, &sc.X, &sc.Y, &sc.Race, &sc.Suns, &sc.NorthGate, &sc.SouthGate, &sc.WestGate,
        &sc.EastGate, &sc.NameDx, &sc.NameDy, &sc.Shipyard, &sc.Trstation, &sc.Eqdock, &sc.Id,
        &sc.Pirate, &sc.Visible, &sc.SolarCycle},
       "Name;X;Y;Race;Suns;NorthGate;SouthGate;WestGate;EastGate;NameDx;NameDy;Shipyard;"
       "Trstation;Eqdock;Id;Pirate;Visible;SolarCycle"},
      {&s.FactoriesData,
       {&fa.Id, &fa.Name, &fa.Buyable, &fa.Special, &fa.Ctime, &fa.Mtime},
       "Id;Name;Buyable;Special;Ctime;Mtime"},
      {&s.ProductsData,
       {&pr.Id, &pr.Name, &pr.Type, &pr.Min, &pr.Max, &pr.Avg, &pr.Mtime, &pr.Qty},
       "Id;Name;Type;Min;Max;Avg;Mtime;Qty"},
      {&s.FactoryProdData,
       {&fp.FactoryId, &fp.Operation, &fp.ProductId, &fp.Qty},
       "FactoryId;Operation;ProductId;Qty"},
      {&s.SectFactoryData,
       {&sf.SectorId, &sf.FactoryId, &sf.Your, &sf.Yield},
       "SectorId;FactoryId;Your;Yield"},
      {&s.SectTradeData, {&st.SectorId, &st.Trader, &st.ProductId}, "SectorId;Trader;ProductId"},
      {&s.AuxRequestData,
       {&rq.Prod[0], &rq.Prod[1], &rq.Prod[2], &rq.Prod[3], &rq.Prod[4], &rq.Prod[5], &rq.Fact1,
        &rq.ProdName[0], &rq.ProdName[1], &rq.ProdName[2], &rq.ProdName[3], &rq.ProdName[4],
        &rq.ProdName[5], &rq.Fact1Name},
       "Prod1;Prod2;Prod3;Prod4;Prod5;Prod6;Fact1;Prod1Name;Prod2Name;Prod3Name;Prod4Name;"
       "Prod5Name;Prod6Name;Fact1Name"},
  };
  for (const Expected& expected : tables) {
    const std::vector<std::string> names = qv::SplitFieldList(expected.names);
    ASSERT_EQ(expected.table->FieldCount(), static_cast<int>(names.size()))
        << expected.table->Name();
    ASSERT_EQ(expected.handles.size(), names.size()) << expected.table->Name();
    for (std::size_t i = 0; i < names.size(); ++i) {
      const FieldRef& handle = *expected.handles[i];
      SCOPED_TRACE(expected.table->Name() + "." + names[i]);
      EXPECT_EQ(handle.Index(), static_cast<int>(i));
      EXPECT_EQ(&*handle, &expected.table->Fields(static_cast<int>(i)));
      EXPECT_EQ(handle->FieldName(), names[i]);
    }
  }
}

// Every stored row of a table, in stored order.
std::string StoredRows(const Table& table) {
  std::string out;
  for (const qv::Record& row : table.AllRecords()) {
    for (int i = 0; i < table.FieldCount(); ++i)
      out += row.Get(i).ToString() + ",";
    out += "\n";
  }
  return out;
}

// A window that shows a detail table filtered, in an order of its own, with
// its cursor on a row, sees none of that move when rows it does not show go
// by a trader sweep or a delete cascade; undo brings the rows back.
TEST_F(StoreFieldsTest, SweepsAndCascadesLeaveWhatAWindowShowsAsItWas) {
  const int a = qvtest::AddSector(s, "A", 1, 1);
  const int b = qvtest::AddSector(s, "B", 2, 1);
  const int mine = qvtest::AddFactory(s, "Mine");
  const int fab = qvtest::AddFactory(s, "Fab");
  qvtest::AddSectFactory(s, a, mine);
  qvtest::AddSectFactory(s, b, mine);
  qvtest::AddSectFactory(s, a, fab);
  qvtest::AddSectFactory(s, b, fab);
  for (const int trader : {0, 1, 0})
    qvtest::AddTrade(s, a, trader, 7);
  qvtest::AddTrade(s, b, 0, 8);
  qvtest::AddTrade(s, b, 0, 9);
  qvtest::AddRecipe(s, mine, 0, 7, 1);
  qvtest::AddRecipe(s, fab, 0, 8, 1);
  s.FactoryProdData.SetMasterSource(&s.FactoriesData, "Id", "FactoryId");
  ASSERT_TRUE(s.FactoriesData.Locate("Id", {Value(mine)}));

  const qv::TOpenSector open = s.OpenSector(b, 0);
  Table& trade = s.SectTradeData;
  Table& placed = s.SectFactoryData;
  trade.SetFiltered(true);
  placed.SetFiltered(true);
  trade.SetIndexFieldNames("SectorId");
  trade.Last();  // the second trader row of B
  const Table::Bookmark tradeCursor = trade.GetBookmark();
  placed.Last();
  const Table::Bookmark placedCursor = placed.GetBookmark();
  const std::string tradeBefore = StoredRows(trade);
  const std::string placedBefore = StoredRows(placed);
  const auto unmoved = [&] {
    EXPECT_TRUE(trade.Filtered());
    EXPECT_TRUE(placed.Filtered());
    EXPECT_EQ(trade.IndexFieldNames(), "SectorId");
    EXPECT_EQ(trade.GetBookmark(), tradeCursor);
    EXPECT_EQ(placed.GetBookmark(), placedCursor);
    EXPECT_EQ(qvtest::Column(trade, "ProductId"), "8,9");
    EXPECT_EQ(s.FactoryProdData.MasterSource(), &s.FactoriesData);
  };

  const qv::ChangeRecord swept = qv::RemoveTraders(s, a, 0);
  EXPECT_EQ(swept.rows.size(), 2u);
  EXPECT_EQ(s.CountTraders(a, 0), 0);
  EXPECT_EQ(s.CountTraders(a, 1), 1);
  EXPECT_EQ(trade.TotalRowCount(), 3);
  unmoved();
  s.ApplyChange(swept, qv::ChangeOrigin::Undo);
  EXPECT_EQ(StoredRows(trade), tradeBefore);
  unmoved();

  const std::optional<qv::ChangeRecord> removed = qv::DeleteSector(s, a);
  ASSERT_TRUE(removed);
  EXPECT_EQ(removed->rows.size(), 1u + 2u + 3u);  // the sector, its factories, its traders
  EXPECT_EQ(placed.RowsWithKey("SectorId", {Value(a)}).Size(), 0);
  EXPECT_EQ(trade.TotalRowCount(), 2);
  EXPECT_EQ(qvtest::Column(placed, "FactoryId"), std::to_string(mine) + "," + std::to_string(fab));
  unmoved();
  s.ApplyChange(*removed, qv::ChangeOrigin::Undo);
  EXPECT_EQ(StoredRows(trade), tradeBefore);
  EXPECT_EQ(StoredRows(placed), placedBefore);
  unmoved();

  // The recipes keep following the factory types when one of them goes.
  ASSERT_TRUE(qv::DeleteFactoryType(s, fab));
  EXPECT_EQ(s.FactoryProdData.MasterSource(), &s.FactoriesData);
  EXPECT_EQ(s.FactoryProdData.TotalRowCount(), 1);
  EXPECT_EQ(qvtest::Column(placed, "FactoryId"), std::to_string(mine));
}

}  // namespace
