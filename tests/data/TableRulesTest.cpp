#include <gtest/gtest.h>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/StoreTestData.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using qv::Field;
using qv::Table;
using qv::TDataModule1;
using qvtest::Column;

class TableRulesTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  TDataModule1 s{dir.Folder()};

  // Types `text` into `field` of a new row of its table and returns what was stored.
  static qv::Value TypeInto(Table& t, const char* field, const std::string& text) {
    t.Append();
    t.FieldByName(field).SetText(text);
    t.Post();
    return t.FieldByName(field).GetValue();
  }
  static std::string ShownFor(Table& t, const char* field, int stored) {
    return t.FieldByName(field).TextOf(qv::Value(stored));
  }
};

TEST_F(TableRulesTest, ProductTypeTextsIgnoreCase) {
  EXPECT_EQ(TypeInto(s.ProductsData, "Type", "ship"), qv::Value(2));
  EXPECT_EQ(TypeInto(s.ProductsData, "Type", "PRODUCT"), qv::Value(0));
  EXPECT_EQ(TypeInto(s.ProductsData, "Type", "upGrade"), qv::Value(1));
  EXPECT_EQ(TypeInto(s.ProductsData, "Type", "Factory"), qv::Value(3));
  EXPECT_EQ(TypeInto(s.ProductsData, "Type", "no such type"), qv::Value(3));
  EXPECT_EQ(ShownFor(s.ProductsData, "Type", 2), "Ship");
  EXPECT_EQ(ShownFor(s.ProductsData, "Type", 3), "Factory");
  EXPECT_EQ(ShownFor(s.ProductsData, "Type", 7), "Product");
  EXPECT_EQ(ShownFor(s.ProductsData, "Type", -1), "Product");
}

TEST_F(TableRulesTest, OperationAndSpecialTexts) {
  EXPECT_EQ(TypeInto(s.FactoryProdData, "Operation", "produces"), qv::Value(0));
  EXPECT_EQ(TypeInto(s.FactoryProdData, "Operation", "Needs"), qv::Value(1));
  EXPECT_EQ(TypeInto(s.FactoryProdData, "Operation", "whatever"), qv::Value(1));
  EXPECT_EQ(ShownFor(s.FactoryProdData, "Operation", 0), "Produces");
  EXPECT_EQ(ShownFor(s.FactoryProdData, "Operation", 5), "Needs");

  EXPECT_EQ(TypeInto(s.FactoriesData, "Special", "- None -"), qv::Value(0));
  EXPECT_EQ(s.FactoriesData.FieldByName("Special").DisplayText(), "");
  EXPECT_EQ(TypeInto(s.FactoriesData, "Special", "suns"), qv::Value(1));
  EXPECT_EQ(TypeInto(s.FactoriesData, "Special", "ORE"), qv::Value(2));
  EXPECT_EQ(TypeInto(s.FactoriesData, "Special", "Silicon"), qv::Value(3));
  EXPECT_EQ(TypeInto(s.FactoriesData, "Special", ""), qv::Value(0));
  EXPECT_EQ(ShownFor(s.FactoriesData, "Special", 2), "Ore");
  EXPECT_EQ(ShownFor(s.FactoriesData, "Special", 4), "");
}

TEST_F(TableRulesTest, ReferencingFieldsShowNamesOnlyWithANameList) {
  const int ore = qvtest::AddProduct(s, "Ore", 0);
  const int mine = qvtest::AddFactory(s, "Ore Mine");
  // Without name lists the numbers themselves are shown and typed.
  EXPECT_EQ(ShownFor(s.SectTradeData, "ProductId", ore), std::to_string(ore));
  EXPECT_EQ(TypeInto(s.SectTradeData, "ProductId", "12"), qv::Value(12));
  EXPECT_THROW(s.SectTradeData.FieldByName("ProductId").SetText("Ore"), qv::TableError);
  s.SectTradeData.Cancel();
  EXPECT_EQ(s.SectTradeData.FieldByName("ProductId").GetValue(), qv::Value(12));

  s.LoadProductNames();
  s.LoadFactoryNames();
  EXPECT_EQ(ShownFor(s.FactoryProdData, "ProductId", ore), "Ore");
  EXPECT_EQ(ShownFor(s.SectTradeData, "ProductId", 99), "");
  EXPECT_EQ(ShownFor(s.SectFactoryData, "FactoryId", mine), "Ore Mine");
  EXPECT_EQ(TypeInto(s.FactoryProdData, "ProductId", "ORE"), qv::Value(ore));
  EXPECT_EQ(TypeInto(s.SectTradeData, "ProductId", "iron"), qv::Value(-1));
  EXPECT_EQ(s.SectTradeData.FieldByName("ProductId").DisplayText(), "");
  EXPECT_EQ(TypeInto(s.SectFactoryData, "FactoryId", "ore mine"), qv::Value(mine));
}

TEST_F(TableRulesTest, NewRowsGetTheirDefaults) {
  s.SectorsData.Append();
  EXPECT_TRUE(s.SectorsData.FieldByName("Trstation").AsBoolean());
  EXPECT_TRUE(s.SectorsData.FieldByName("Visible").AsBoolean());
  EXPECT_EQ(s.SectorsData.FieldByName("Shipyard").GetValue(), qv::Value(false));
  EXPECT_EQ(s.SectorsData.FieldByName("Pirate").GetValue(), qv::Value(false));
  EXPECT_EQ(s.SectorsData.FieldByName("Eqdock").GetValue(), qv::Value(false));
  EXPECT_TRUE(s.SectorsData.FieldByName("Name").IsNull());
  EXPECT_TRUE(s.SectorsData.FieldByName("NorthGate").IsNull());
  s.SectorsData.Cancel();

  const int fab = qvtest::AddFactory(s, "Fab");
  s.FactoryProdData.Append();
  EXPECT_EQ(s.FactoryProdData.FieldByName("Operation").GetValue(), qv::Value(1));
  EXPECT_TRUE(s.FactoryProdData.FieldByName("FactoryId").IsNull());
  s.FactoryProdData.Cancel();
  const qv::TOpenRecipes open = s.OpenRecipes();
  s.FactoryProdData.Append();
  EXPECT_EQ(s.FactoryProdData.FieldByName("FactoryId").GetValue(), qv::Value(fab));
  s.FactoryProdData.Cancel();
}

TEST_F(TableRulesTest, PostedSectorRowsFollowTheCurrentSectorWhenLinked) {
  { const qv::TOpenSector closed = s.OpenSector(7, 2); }
  EXPECT_FALSE(s.SectorLinked());
  qvtest::AddSectFactory(s, 1, 1);
  qvtest::AddTrade(s, 1, 0, 1);
  EXPECT_EQ(Column(s.SectFactoryData, "SectorId"), "1");
  const qv::TOpenSector open = s.OpenSector(7, 2);
  qvtest::AddSectFactory(s, 1, 1);
  qvtest::AddTrade(s, 1, 0, 1);
  EXPECT_EQ(Column(s.SectFactoryData, "SectorId"), "1,7");
  EXPECT_EQ(Column(s.SectTradeData, "SectorId") + "/" + Column(s.SectTradeData, "Trader"),
            "1,7/0,2");
}

// A position beyond the map cannot enter the sectors table, whether typed
// into a new row or by moving one; a row an older file put there stays
// editable where it is.
TEST_F(TableRulesTest, SectorPositionsBeyondTheMapAreRefused) {
  qvtest::AddSector(s, "Edge", -9999, 9999);
  for (const auto& [x, y] : {std::pair{10000, 0}, {0, -10000}, {-2147483647 - 1, 0}}) {
    EXPECT_THROW(qvtest::AddSector(s, "Far", x, y), qv::TableError) << x << ", " << y;
    s.SectorsData.Cancel();
  }
  ASSERT_TRUE(s.LocateSectorAt(-9999, 9999));
  s.SectorsData.Edit();
  s.SectorsData.FieldByName("Y").SetAsInteger(10000);
  EXPECT_THROW(s.SectorsData.Post(), qv::TableError);
  s.SectorsData.Cancel();

  const int old =
      qvtest::AsFromOldFile(s.SectorsData, [&] { return qvtest::AddSector(s, "Old", 20000, 1); });
  ASSERT_TRUE(s.LocateSectorById(old));
  s.SectorsData.Edit();
  s.SectorsData.FieldByName("Name").SetAsString("Renamed");
  s.SectorsData.Post();
  EXPECT_EQ(s.SectorsData.RecordCount(), 2);
}

TEST_F(TableRulesTest, SectorSideChangesMarkTheStatisticsStale) {
  const auto changedBy = [this](auto&& change) {
    s.ClearDataChanged();
    change();
    return s.DataChanged();
  };
  EXPECT_TRUE(changedBy([&] { qvtest::AddSector(s, "A", 1, 1); }));
  EXPECT_TRUE(changedBy([&] { qvtest::AddSectFactory(s, 1, 1); }));
  EXPECT_TRUE(changedBy([&] { qvtest::AddTrade(s, 1, 0, 1); }));
  EXPECT_TRUE(changedBy([&] { s.SectTradeData.Delete(); }));
  EXPECT_TRUE(changedBy([&] { s.SectFactoryData.Delete(); }));
  EXPECT_FALSE(changedBy([&] { qvtest::AddProduct(s, "P", 0); }));
  EXPECT_FALSE(changedBy([&] { qvtest::AddFactory(s, "F"); }));
}

TEST_F(TableRulesTest, DeletingAProductRemovesItsRecipeAndTradeRowsEverywhere) {
  const int ore = qvtest::AddProduct(s, "Ore", 0);
  const int gas = qvtest::AddProduct(s, "Gas", 0);
  qvtest::AddRecipe(s, 1, 0, ore, 1);
  qvtest::AddRecipe(s, 2, 1, ore, 2);
  qvtest::AddRecipe(s, 2, 1, gas, 3);
  qvtest::AddRecipe(s, 3, 1, ore, 4);
  qvtest::AddTrade(s, 1, 0, ore);
  qvtest::AddTrade(s, 2, 0, gas);
  qvtest::AddTrade(s, 3, 2, ore);
  // An editor has the traders filtered to one sector and kind.
  const qv::TOpenSector open = s.OpenSector(2, 0);
  s.SectTradeData.SetFiltered(true);
  ASSERT_TRUE(s.ProductsData.Locate("Id", {qv::Value(ore)}));
  s.ProductsData.Delete();
  EXPECT_EQ(Column(s.FactoryProdData, "ProductId"), std::to_string(gas));
  EXPECT_TRUE(s.SectTradeData.Filtered());
  s.SectTradeData.SetFiltered(false);
  EXPECT_EQ(Column(s.SectTradeData, "ProductId"), std::to_string(gas));
  EXPECT_EQ(s.FactoryProdData.ChangeCount(), 0);
  EXPECT_EQ(s.SectTradeData.ChangeCount(), 0);
}

TEST_F(TableRulesTest, DeletingASectorOrFactoryTypeRemovesItsDependants) {
  const int a = qvtest::AddSector(s, "A", 1, 1);
  const int b = qvtest::AddSector(s, "B", 2, 1);
  const int mine = qvtest::AddFactory(s, "Mine");
  const int fab = qvtest::AddFactory(s, "Fab");
  qvtest::AddSectFactory(s, a, mine);
  qvtest::AddSectFactory(s, b, fab);
  qvtest::AddSectFactory(s, a, fab);
  qvtest::AddTrade(s, a, 0, 1);
  qvtest::AddTrade(s, b, 0, 1);
  qvtest::AddRecipe(s, mine, 0, 1, 1);
  qvtest::AddRecipe(s, fab, 0, 2, 1);
  // The recipe grid follows the factory types through a master-detail link.
  s.FactoryProdData.SetMasterSource(&s.FactoriesData, "Id", "FactoryId");
  const qv::TOpenSector open = s.OpenSector(b, 0);
  s.SectFactoryData.SetFiltered(true);

  ASSERT_TRUE(s.LocateSectorAt(1, 1));
  s.SectorsData.Delete();
  s.SectFactoryData.SetFiltered(false);
  EXPECT_EQ(Column(s.SectFactoryData, "SectorId"), std::to_string(b));
  EXPECT_EQ(Column(s.SectTradeData, "SectorId"), std::to_string(b));

  ASSERT_TRUE(s.FactoriesData.Locate("Id", {qv::Value(fab)}));
  s.FactoriesData.Delete();
  EXPECT_EQ(s.FactoryProdData.MasterSource(), &s.FactoriesData);  // the link stays
  EXPECT_EQ(Column(s.FactoryProdData, "FactoryId"), std::to_string(mine));
  EXPECT_EQ(s.SectFactoryData.RecordCount(), 0);
}

TEST_F(TableRulesTest, RecordFiltersFollowTheCurrentSectorAndTrader) {
  qvtest::AddSectFactory(s, 1, 1);
  qvtest::AddSectFactory(s, 2, 1);
  qvtest::AddTrade(s, 1, 0, 1);
  qvtest::AddTrade(s, 1, 1, 2);
  qvtest::AddTrade(s, 2, 1, 3);
  qvtest::AddFactory(s, "F");
  { const qv::TOpenSector open = s.OpenSector(1, 1); }
  s.SectFactoryData.SetFiltered(true);
  s.SectTradeData.SetFiltered(true);
  s.FactoriesData.SetFiltered(true);
  EXPECT_EQ(Column(s.SectFactoryData, "SectorId"), "1");
  EXPECT_EQ(Column(s.SectTradeData, "ProductId"), "2");
  EXPECT_EQ(s.FactoriesData.RecordCount(), 1);
  { const qv::TOpenSector open = s.OpenSector(2, 1); }
  s.SectTradeData.Refresh();
  EXPECT_EQ(Column(s.SectTradeData, "ProductId"), "3");
}

TEST_F(TableRulesTest, GatesArePairedWithTheNeighbours) {
  qvtest::AddSector(s, "North", 5, 4);
  qvtest::AddSector(s, "West", 4, 5);
  qvtest::AddSector(s, "East", 6, 5);
  ASSERT_TRUE(s.LocateSectorAt(5, 4));
  s.SectorsData.Edit();
  s.SectorsData.FieldByName("SouthGate").SetAsBoolean(true);
  s.SectorsData.Post();
  qvtest::AddSector(s, "Centre", 5, 5);
  s.SectorsData.Edit();
  s.SectorsData.FieldByName("NorthGate").SetAsBoolean(false);
  s.SectorsData.FieldByName("EastGate").SetAsBoolean(true);
  s.SectorsData.Post();
  s.ClearDataChanged();
  s.SyncNeighbourGates();
  EXPECT_EQ(s.SectorsData.FieldByName("Name").AsString(), "Centre");
  EXPECT_TRUE(s.DataChanged());
  const auto gate = [this](int x, int y, const char* name) {
    EXPECT_TRUE(s.LocateSectorAt(x, y));
    return s.SectorsData.FieldByName(name).AsBoolean();
  };
  EXPECT_FALSE(gate(5, 4, "SouthGate"));
  EXPECT_TRUE(gate(6, 5, "WestGate"));
  EXPECT_FALSE(gate(4, 5, "EastGate"));

  // Deleting a sector leaves the gates of its neighbours alone.
  ASSERT_TRUE(s.LocateSectorAt(5, 5));
  s.SectorsData.Delete();
  EXPECT_TRUE(gate(6, 5, "WestGate"));
}

TEST_F(TableRulesTest, LanguageFileReplacesTextsKeyByKey) {
  qv::IniFile german(dir.File("Deutsch.LNG"));
  german.WriteString("DataModule1", "ProductShip", "Schiff");
  german.WriteString("DataModule1", "SpecialOre", "Erz");
  german.WriteString("DataModule1", "FactoryOwnerYour", "Eigen");
  german.WriteString("DataModule1", "FactoryBuyableValues", "Ja;Nein");
  german.WriteString("DataModule1", "TimeText", "(%d Min %d Sek)");
  s.TranslateStoreTexts(german);
  EXPECT_EQ(s.Texts().ProductShip, "Schiff");
  EXPECT_EQ(s.Texts().TimeText, "(%d Min %d Sek)");
  EXPECT_EQ(s.Texts().ProductUsual, "Product");
  EXPECT_EQ(s.SectFactoryData.FieldByName("Your").DisplayValues(), "Eigen");
  EXPECT_EQ(s.FactoriesData.FieldByName("Buyable").TextOf(qv::Value(false)), "Nein");
  EXPECT_EQ(TypeInto(s.ProductsData, "Type", "SCHIFF"), qv::Value(2));
  EXPECT_EQ(ShownFor(s.FactoriesData, "Special", 2), "Erz");

  // A file without those keys keeps the texts of the language before it.
  qv::IniFile other(dir.File("Other.LNG"));
  other.WriteString("DataModule1", "SpecialSuns", "Sonnen");
  s.TranslateStoreTexts(other);
  EXPECT_EQ(ShownFor(s.FactoriesData, "Special", 2), "Erz");
  EXPECT_EQ(ShownFor(s.FactoriesData, "Special", 1), "Sonnen");
  EXPECT_EQ(s.FactoriesData.FieldByName("Buyable").DisplayValues(), "Ja;Nein");
  EXPECT_EQ(s.Texts().FactoryOwnerYour, "Eigen");
}

}  // namespace
