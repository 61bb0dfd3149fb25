#include <gtest/gtest.h>

#include <utility>

#include "data/DataModule1.h"
#include "data/StoreTestData.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using qv::TDataModule1;
using qvtest::Column;

class CountingView : public qv::TableView {
 public:
  int changes = 0;
  void TableChanged(qv::Table&, qv::TableChange) override { ++changes; }
};

class StoreQueriesTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  TDataModule1 s{dir.Folder()};

  std::string CurrentName() const { return s.SectorsData.FieldByName("Name").AsString(); }
};

TEST_F(StoreQueriesTest, SectorBoundsCoverTheMapAndKeepTheCursor) {
  TDataModule1 empty(dir.Folder());
  const qv::TSectorBounds none = empty.GetSectorBounds();
  EXPECT_EQ(none.MaxX, 0);
  EXPECT_EQ(none.MinVisibleX, 2147483647);
  EXPECT_EQ(none.MinVisibleY, 2147483647);

  qvtest::AddSector(s, "Hidden far", 12, 9, false);
  qvtest::AddSector(s, "A", 3, 4);
  qvtest::AddSector(s, "B", 7, 2);
  qvtest::AddSector(s, "Hidden", 1, 1, false);
  qvtest::AsFromOldFile(s.SectorsData, [&] { return qvtest::AddSector(s, "Stray", 10000, 3); });
  qvtest::AddSector(s, "Negative", -1, 5, false);  // west of column 0: on the map
  qvtest::AddSector(s, "North", 5, -3);
  ASSERT_TRUE(s.LocateSectorAt(7, 2));
  const qv::TSectorBounds b = s.GetSectorBounds();
  EXPECT_EQ(CurrentName(), "B");
  EXPECT_EQ(std::pair(b.MinX, b.MinY), std::pair(-1, -3));
  EXPECT_EQ(b.MaxX, 12);
  EXPECT_EQ(b.MaxY, 9);
  EXPECT_EQ(b.MaxVisibleX, 7);
  EXPECT_EQ(b.MaxVisibleY, 4);
  EXPECT_EQ(b.MinVisibleX, 3);
  EXPECT_EQ(b.MinVisibleY, -3);
  EXPECT_EQ(b.HiddenCount, 3);

  TDataModule1 hiddenOnly(dir.Folder());
  qvtest::AddSector(hiddenOnly, "H", 4, 4, false);
  const qv::TSectorBounds h = hiddenOnly.GetSectorBounds();
  EXPECT_EQ(h.MaxVisibleX, 0);
  EXPECT_EQ(h.MinVisibleY, 2147483647);
  EXPECT_EQ(h.MaxX, 4);
}

TEST_F(StoreQueriesTest, SectorNamesInMapOrder) {
  qvtest::AddSector(s, "C", 2, 1);
  qvtest::AddSector(s, "A", 1, 2);
  qvtest::AddSector(s, "B", 1, 1, false);
  std::vector<std::string> names{"old"};
  s.FillSectorNames(names, "", false);
  EXPECT_EQ(names, (std::vector<std::string>{"B", "A", "C"}));
  s.FillSectorNames(names, "A", true);
  EXPECT_EQ(names, (std::vector<std::string>{"C"}));
  s.FillSectorNames(names, "a", false);  // exact comparison
  EXPECT_EQ(names.size(), 3u);
}

TEST_F(StoreQueriesTest, FindingSectors) {
  const int a = qvtest::AddSector(s, "Alpha", 1, 1);
  qvtest::AddSector(s, "Beta", 2, 1);
  qvtest::AddSector(s, "Gamma", 3, 1);
  ASSERT_TRUE(s.LocateSectorAt(3, 1));

  std::string name;
  EXPECT_TRUE(s.FindSectorAt(2, 1, &name));
  EXPECT_EQ(name, "Beta");
  EXPECT_FALSE(s.FindSectorAt(9, 9, &name));
  EXPECT_EQ(CurrentName(), "Gamma");

  int x = 0, y = 0;
  s.FindSectorByName("Beta", &x, &y);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 1);
  s.FindSectorByName("Nowhere", &x, &y);
  EXPECT_EQ(x, -1);
  EXPECT_EQ(y, -1);
  EXPECT_EQ(CurrentName(), "Gamma");
  EXPECT_EQ(s.SectorsData.IndexName(), "SectorsDataCoordIndex");

  EXPECT_TRUE(s.LocateSectorByName("Beta"));
  EXPECT_EQ(CurrentName(), "Beta");
  EXPECT_FALSE(s.LocateSectorByName("Nowhere"));
  EXPECT_EQ(s.SectorsData.IndexName(), "SectorsDataCoordIndex");

  EXPECT_TRUE(s.LocateSectorById(a));
  EXPECT_EQ(CurrentName(), "Alpha");
  EXPECT_EQ(s.SectorsData.IndexName(), "SectorsDataCoordIndex");
  EXPECT_FALSE(s.LocateSectorById(999));
  EXPECT_TRUE(s.LocateSectorAt(2, 1));
  EXPECT_EQ(CurrentName(), "Beta");
  EXPECT_FALSE(s.LocateSectorAt(5, 5));
}

TEST_F(StoreQueriesTest, CountAndDeleteTradersOfOneSectorAndKind) {
  qvtest::AddTrade(s, 4, 1, 10);
  qvtest::AddTrade(s, 4, 2, 11);
  qvtest::AddTrade(s, 4, 1, 12);
  qvtest::AddTrade(s, 5, 1, 13);
  qvtest::AddTrade(s, 3, 1, 14);
  const qv::TOpenSector open = s.OpenSector(5, 1);
  s.SectTradeData.SetFiltered(true);
  EXPECT_EQ(s.CountTraders(4, 1), 2);
  EXPECT_EQ(s.CountTraders(4, 2), 1);
  EXPECT_EQ(s.CountTraders(4, 0), 0);
  EXPECT_EQ(s.CountTraders(9, 1), 0);
  EXPECT_TRUE(s.SectTradeData.Filtered());
  // A scan that left the table ordered by sector alone.
  s.SectTradeData.SetIndexFieldNames("SectorId");
  EXPECT_EQ(s.CountTraders(4, 1), 2);

  s.DeleteTraders(4, 1);
  EXPECT_TRUE(s.SectTradeData.Filtered());
  s.SectTradeData.SetFiltered(false);
  EXPECT_EQ(Column(s.SectTradeData, "ProductId"), "14,11,13");
  s.DeleteTraders(5, 1);  // the last row
  EXPECT_EQ(Column(s.SectTradeData, "ProductId"), "14,11");
}

TEST_F(StoreQueriesTest, NameListsAndPickLists) {
  const int ship = qvtest::AddProduct(s, "Cruiser", 2);
  qvtest::AddProduct(s, "Wafer", 0);
  qvtest::AddProduct(s, "Shield", 1);
  qvtest::AddProduct(s, "Apple", 0);
  qvtest::AddProduct(s, "Plant kit", 3);
  qvtest::AddFactory(s, "Mine", true);
  const int fab = qvtest::AddFactory(s, "Fab", false);
  s.LoadProductNames();
  ASSERT_EQ(s.ProductNames().Size(), 5);
  EXPECT_EQ(s.ProductNames().Name(0), "Apple");
  EXPECT_EQ(s.ProductNames().Name(3), "Cruiser");
  EXPECT_EQ(s.ProductNames().NumberOf("cruiser"), ship);
  s.LoadFactoryNames();
  EXPECT_EQ(s.FactoryNames().Name(0), "Fab");
  EXPECT_EQ(s.FactoryNames().Number(0), fab);

  std::vector<std::string> list;
  s.FillProductNames(list, true, false);
  EXPECT_EQ(list, (std::vector<std::string>{"Apple", "Wafer", "Shield"}));
  s.FillProductNames(list, false, true);
  EXPECT_EQ(list, (std::vector<std::string>{"Cruiser", "Plant kit"}));
  s.FillProductNames(list, true, true);
  EXPECT_EQ(list.size(), 5u);
  s.FillFactoryNames(list, false);
  EXPECT_EQ(list, (std::vector<std::string>{"Fab", "Mine"}));
  s.FillFactoryNames(list, true);
  EXPECT_EQ(list, (std::vector<std::string>{"Mine"}));
}

// A window may show a type table filtered and in an order of its own: the
// name lists still name every type, and the table stays as the window has it.
TEST_F(StoreQueriesTest, NameListsReadEveryRowAndLeaveTheTablesAsTheyWere) {
  const int mine = qvtest::AddFactory(s, "Mine", true);
  const int fab = qvtest::AddFactory(s, "Fab", false);
  qvtest::AddProduct(s, "Wafer", 0);
  qvtest::AddProduct(s, "Cruiser", 2);
  qv::Table& types = s.FactoriesData;
  types.SetFilter("Buyable");
  types.SetFiltered(true);
  types.First();
  qv::Table& products = s.ProductsData;
  products.SetIndexFieldNames("");
  products.Last();

  s.LoadFactoryNames();
  EXPECT_EQ(s.FactoryNames().NumberOf("Fab"), fab);
  EXPECT_EQ(s.FactoryNames().NumberOf("Mine"), mine);
  std::vector<std::string> list;
  s.FillFactoryNames(list, false);
  EXPECT_EQ(list, (std::vector<std::string>{"Fab", "Mine"}));
  s.LoadProductNames();
  s.FillProductNames(list, true, true);
  EXPECT_EQ(list, (std::vector<std::string>{"Wafer", "Cruiser"}));

  EXPECT_TRUE(types.Filtered());
  EXPECT_EQ(types.IndexName(), "FactoriesDataIdIndex");
  EXPECT_EQ(types.FieldByName("Name").AsString(), "Mine");
  EXPECT_EQ(products.IndexFieldNames(), "");
  EXPECT_EQ(products.FieldByName("Name").AsString(), "Cruiser");
}

TEST_F(StoreQueriesTest, SolarCycleAndApproximateSuns) {
  const auto cycle = [this](int suns, int solarCycle) {
    s.SectorsData.Append();
    s.SectorsData.FieldByName("Suns").SetAsInteger(suns);
    s.SectorsData.FieldByName("SolarCycle").SetAsInteger(solarCycle);
    const int result = s.SectorSolarCycle();
    s.SectorsData.Cancel();
    return result;
  };
  EXPECT_EQ(cycle(3, 0), 54);
  EXPECT_EQ(cycle(0, 0), -1);
  EXPECT_EQ(cycle(3, 100), 100);
  EXPECT_EQ(cycle(1, -5), 92);
  EXPECT_EQ(cycle(2, 0), 72);
  EXPECT_EQ(cycle(4, 0), 51);
  EXPECT_EQ(cycle(5, 0), 46);
  EXPECT_EQ(cycle(6, 0), 45);
  EXPECT_EQ(cycle(10, 0), 41);
  EXPECT_EQ(cycle(-2, 0), -1);          // a negative count is no sun, not a negative cycle
  EXPECT_EQ(s.SectorSolarCycle(), -1);  // no sector at all

  EXPECT_EQ(TDataModule1::ApproxSuns(80), 1);
  EXPECT_EQ(TDataModule1::ApproxSuns(79), 2);
  EXPECT_EQ(TDataModule1::ApproxSuns(60), 2);
  EXPECT_EQ(TDataModule1::ApproxSuns(48), 4);
  EXPECT_EQ(TDataModule1::ApproxSuns(47), 6);
}

TEST_F(StoreQueriesTest, SuspendedViewsHearNothingUntilResumed) {
  CountingView sectors, request;
  s.SectorsData.AttachView(&sectors);
  s.AuxRequestData.AttachView(&request);
  s.SuspendViews();
  EXPECT_FALSE(s.AuxRequestData.ControlsDisabled());
  qvtest::AddSector(s, "A", 1, 1);
  EXPECT_EQ(sectors.changes, 0);
  s.ResumeViews();
  EXPECT_GT(sectors.changes, 0);
  for (qv::Table* t : s.AllTables())
    EXPECT_FALSE(t->ControlsDisabled()) << t->Name();
  s.SectorsData.DetachView(&sectors);
  s.AuxRequestData.DetachView(&request);
}

}  // namespace
