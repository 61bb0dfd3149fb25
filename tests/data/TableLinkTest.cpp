#include <gtest/gtest.h>

#include <memory>

#include "data/Table.h"
#include "data/TableTestTables.h"

namespace qv {
namespace {

using qvtest::AddRecipe;
using qvtest::AddSector;
using qvtest::BuildRecipes;
using qvtest::BuildSectors;
using qvtest::Column;
using Names = std::vector<std::string>;

struct RecordingView : TableView {
  std::vector<TableChange> changes;
  void TableChanged(Table&, TableChange change) override { changes.push_back(change); }
};

class MasterDetailTest : public ::testing::Test {
 protected:
  MasterDetailTest() {
    factories_.AddField("Id", FieldType::AutoInc);
    factories_.AddField("Name", FieldType::String, 30);
    for (const char* n : {"Farm", "Mine", "Mill"}) {
      factories_.Append();
      factories_.FieldByName("Name").SetAsString(n);
      factories_.Post();
    }
    BuildRecipes(recipes_);
    AddRecipe(recipes_, 1, 10);
    AddRecipe(recipes_, 2, 20);
    AddRecipe(recipes_, 1, 11);
    AddRecipe(recipes_, 3, 30);
    factories_.First();
  }
  Table factories_{"Factories"};
  Table recipes_{"Recipes"};
};

TEST_F(MasterDetailTest, DetailFollowsTheMastersCursor) {
  int detailScrolls = 0;
  recipes_.AfterScroll = [&detailScrolls](Table&) { ++detailScrolls; };
  recipes_.SetMasterSource(&factories_, "Id", "FactoryId");
  EXPECT_EQ(recipes_.MasterSource(), &factories_);
  EXPECT_EQ(Column(recipes_, "ProductId"), (Names{"10", "11"}));
  recipes_.Last();
  detailScrolls = 0;
  factories_.Next();
  EXPECT_EQ(detailScrolls, 1);
  EXPECT_EQ(Column(recipes_, "ProductId"), (Names{"20"}));
  EXPECT_EQ(recipes_.RecNo(), 1);
  factories_.Prior();
  EXPECT_EQ(recipes_.RecNo(), 1);  // back on its first row, not where it was
  EXPECT_TRUE(recipes_.Bof());

  // With an order that starts with the link field the range is searched.
  recipes_.SetIndexFieldNames("FactoryId;ProductId");
  factories_.Last();
  EXPECT_EQ(Column(recipes_, "ProductId"), (Names{"30"}));

  recipes_.SetMasterSource(nullptr, "", "");
  EXPECT_EQ(recipes_.RecordCount(), 4);
}

TEST_F(MasterDetailTest, InsertedDetailRowsTakeTheMastersKey) {
  recipes_.SetMasterSource(&factories_, "Id", "FactoryId");
  factories_.Locate("Name", {Value("Mill")});
  recipes_.Append();
  EXPECT_EQ(recipes_.FieldByName("FactoryId").AsInteger(), 3);
  recipes_.FieldByName("ProductId").SetAsInteger(31);
  recipes_.Post();
  EXPECT_EQ(Column(recipes_, "ProductId"), (Names{"30", "31"}));
  EXPECT_EQ(recipes_.FieldByName("ProductId").AsInteger(), 31);

  // Changing the link field moves the row out of the detail's view.
  recipes_.Edit();
  recipes_.FieldByName("FactoryId").SetAsInteger(2);
  recipes_.Post();
  EXPECT_EQ(Column(recipes_, "ProductId"), (Names{"30"}));

  // A new master row has no details yet; once posted it keeps none.
  factories_.Append();
  EXPECT_EQ(recipes_.RecordCount(), 0);
  factories_.FieldByName("Name").SetAsString("Lab");
  factories_.Post();
  EXPECT_EQ(recipes_.RecordCount(), 0);
  EXPECT_TRUE(recipes_.Eof());
}

TEST_F(MasterDetailTest, ChainsAndDestroyedTablesLeaveNoDanglingLinks) {
  Table amounts("Amounts");
  amounts.AddField("ProductId", FieldType::Integer);
  amounts.AddField("Amount", FieldType::Integer);
  for (int p : {10, 11, 20, 10}) {
    amounts.Append();
    amounts.FieldByName("ProductId").SetAsInteger(p);
    amounts.FieldByName("Amount").SetAsInteger(p * 100);
    amounts.Post();
  }
  amounts.SetMasterSource(&recipes_, "ProductId", "ProductId");
  recipes_.SetMasterSource(&factories_, "Id", "FactoryId");
  EXPECT_EQ(Column(amounts, "Amount"), (Names{"1000", "1000"}));
  recipes_.Next();
  EXPECT_EQ(Column(amounts, "Amount"), (Names{"1100"}));
  factories_.Next();  // Mine -> recipe 20 -> its amount
  EXPECT_EQ(Column(amounts, "Amount"), (Names{"2000"}));
  EXPECT_THROW(factories_.SetMasterSource(&amounts, "Amount", "Id"), TableError);

  {
    auto detail = std::make_unique<Table>("Temp");
    BuildRecipes(*detail);
    AddRecipe(*detail, 2, 1);
    detail->SetMasterSource(&factories_, "Id", "FactoryId");
    EXPECT_EQ(detail->RecordCount(), 1);
  }
  factories_.Next();  // must not reach the destroyed detail

  auto master = std::make_unique<Table>("Master");
  master->AddField("Id", FieldType::Integer);
  amounts.SetMasterSource(master.get(), "Id", "ProductId");
  EXPECT_EQ(amounts.RecordCount(), 0);
  master.reset();
  EXPECT_EQ(amounts.MasterSource(), nullptr);
  EXPECT_EQ(amounts.RecordCount(), 4);
}

TEST(TableEventsTest, EventsComeInOrderAndHandlersMayWorkOnOtherTables) {
  Table sectors("Sectors");
  BuildSectors(sectors);
  Table factories("SectFactory");
  BuildRecipes(factories);  // FactoryId stands for the sector here
  std::vector<std::string> log;
  auto logged = [&log](const char* name) { return [&log, name](Table&) { log.push_back(name); }; };
  sectors.BeforeInsert = logged("BeforeInsert");
  sectors.AfterInsert = [&log](Table& t) {
    log.push_back("AfterInsert");
    t.FieldByName("Visible").SetAsBoolean(true);  // a default set by a rule
  };
  sectors.BeforePost = logged("BeforePost");
  sectors.AfterPost = logged("AfterPost");
  sectors.BeforeDelete = [&log, &factories](Table& t) {
    log.push_back("BeforeDelete");
    // A cascade: walk the other table and delete the sector's rows.
    const int id = t.FieldByName("Id").AsInteger();
    factories.SetFiltered(false);
    factories.First();
    while (!factories.Eof()) {
      if (factories.FieldByName("FactoryId").AsInteger() == id) {
        factories.Delete();
      } else {
        factories.Next();
      }
    }
    factories.MergeChangeLog();
  };
  sectors.AfterDelete = logged("AfterDelete");
  sectors.AfterScroll = logged("AfterScroll");

  sectors.Append();
  EXPECT_TRUE(sectors.Modified());
  sectors.Post();
  EXPECT_TRUE(sectors.FieldByName("Visible").AsBoolean());
  EXPECT_EQ(log, (Names{"BeforeInsert", "AfterInsert", "AfterScroll", "BeforePost", "AfterPost",
                        "AfterScroll"}));
  AddSector(sectors, "Two", 0, 0);
  for (int sector : {1, 2, 1, 1, 2})
    AddRecipe(factories, sector, 0);
  sectors.First();
  log.clear();
  sectors.Delete();
  EXPECT_EQ(log, (Names{"BeforeDelete", "AfterDelete", "AfterScroll"}));
  EXPECT_EQ(Column(factories, "FactoryId"), (Names{"2", "2"}));
  EXPECT_EQ(sectors.FieldByName("Name").AsString(), "Two");
}

TEST(TableEventsTest, ViewsHearChangesButNothingWhileDisabled) {
  Table t("T");
  BuildSectors(t);
  RecordingView view;
  t.AttachView(&view);
  AddSector(t, "A", 0, 0);
  EXPECT_NE(std::find(view.changes.begin(), view.changes.end(), TableChange::StateChanged),
            view.changes.end());
  EXPECT_NE(std::find(view.changes.begin(), view.changes.end(), TableChange::RecordChanged),
            view.changes.end());

  view.changes.clear();
  t.DisableControls();
  t.DisableControls();
  AddSector(t, "B", 0, 0);
  t.First();
  t.EnableControls();
  EXPECT_TRUE(t.ControlsDisabled());
  EXPECT_TRUE(view.changes.empty());
  t.EnableControls();
  EXPECT_EQ(view.changes, std::vector<TableChange>{TableChange::DataSetChanged});

  view.changes.clear();
  t.Next();
  t.NotifyLayoutChanged();
  EXPECT_EQ(view.changes,
            (std::vector<TableChange>{TableChange::Scrolled, TableChange::LayoutChanged}));
  t.DetachView(&view);
  t.First();
  EXPECT_EQ(view.changes.size(), 2u);
}

}  // namespace
}  // namespace qv
