#include "editors/SectorObjects.h"

#include <gtest/gtest.h>

#include "data/StoreTestData.h"
#include "support/UniverseRows.h"

namespace {

using namespace qvtest;

TEST(SectorObjectsTest, StationKindsNameTheirFlagAndWhatTheyTrade) {
  EXPECT_STREQ(qv::StationFlagField(qv::kTradingStation), "Trstation");
  EXPECT_STREQ(qv::StationFlagField(qv::kShipyard), "Shipyard");
  EXPECT_STREQ(qv::StationFlagField(qv::kEquipmentDock), "Eqdock");
  EXPECT_STREQ(qv::StationFlagField(qv::kPirateBase), "Pirate");
  EXPECT_EQ(qv::StationProductFilter(qv::kShipyard), "Type = 2 or Type = 3");
  EXPECT_EQ(qv::StationProductFilter(qv::kEquipmentDock), "Type = 0 or Type = 1");
  EXPECT_EQ(qv::StationProductFilter(qv::kTradingStation), "Type = 0 or Type = 1");
  EXPECT_EQ(qv::StationProductFilter(qv::kPirateBase), "");
  EXPECT_EQ(qv::SectorObjectsCaption("Sector:", "Alpha", 3, 4, "Kessar"),
            "Sector: Alpha (3,4), Kessar");
  EXPECT_EQ(qv::SectorObjectsCaption("Sector:", "Delta", 2, 2, ""), "Sector: Delta (2,2)");
  qv::TStoreTexts texts;
  EXPECT_EQ(qv::CycleTimeText(texts, 125), "(2 min 5 sec)");
}

class StationSwitchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Ore", "Food", "Chips"})
      products.push_back(AddProduct(*s, name));
    alpha = AddSector(*s, {.name = "Alpha", .x = 1, .y = 1, .shipyard = true});
    beta = AddSector(*s, {.name = "Beta", .x = 2, .y = 1});
    for (const int product : products)
      AddTrade(*s, alpha, qv::kTradingStation, product);
    AddTrade(*s, beta, qv::kTradingStation, products[0]);
  }
  bool Flag(int id, const char* field) {
    s->LocateSectorById(id);
    return s->SectorsData.FieldByName(field).AsBoolean();
  }
  qv::TStationChange Switch(int trader, bool on, bool answer) {
    return qv::SwitchStation(*s, alpha, trader, on, [this, answer] {
      ++asked;
      return answer;
    });
  }

  EmptyStore s;
  std::vector<int> products;
  int alpha = 0, beta = 0, asked = 0;
};

TEST_F(StationSwitchTest, AStationWithoutProductsGoesWithoutAQuestion) {
  EXPECT_EQ(Switch(qv::kShipyard, false, false), qv::TStationChange::Changed);
  EXPECT_EQ(asked, 0);
  EXPECT_FALSE(Flag(alpha, "Shipyard"));
  EXPECT_EQ(Switch(qv::kPirateBase, true, false), qv::TStationChange::Changed);
  EXPECT_TRUE(Flag(alpha, "Pirate"));
}

TEST_F(StationSwitchTest, ATradingStationWithProductsGoesOnlyWithThemAndOnYes) {
  EXPECT_EQ(Switch(qv::kTradingStation, false, false), qv::TStationChange::Kept);
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(Flag(alpha, "Trstation"));
  EXPECT_EQ(s->CountTraders(alpha, qv::kTradingStation), 3);

  EXPECT_EQ(Switch(qv::kTradingStation, false, true), qv::TStationChange::Changed);
  EXPECT_FALSE(Flag(alpha, "Trstation"));
  EXPECT_EQ(s->CountTraders(alpha, qv::kTradingStation), 0);
  EXPECT_EQ(s->CountTraders(beta, qv::kTradingStation), 1);
  EXPECT_TRUE(Flag(beta, "Trstation"));
}

TEST_F(StationSwitchTest, SolarCycleIsStoredAtOnceAndAGoneSectorChangesNothing) {
  s->DataChanged = false;
  EXPECT_TRUE(qv::StoreSolarCycle(*s, alpha, 125));
  EXPECT_EQ(s->SectorsData.State(), qv::TableState::Browse);
  EXPECT_EQ(s->SectorsData.FieldByName("SolarCycle").AsInteger(), 125);
  EXPECT_TRUE(s->DataChanged);
  EXPECT_FALSE(qv::StoreSolarCycle(*s, 999, 10));
  EXPECT_EQ(qv::SwitchStation(*s, 999, qv::kShipyard, true, [] { return true; }),
            qv::TStationChange::SectorGone);
}

}  // namespace
