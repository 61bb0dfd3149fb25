#include "editors/SectorObjects.h"

#include <gtest/gtest.h>

#include "support/UniverseRows.h"

namespace {

using namespace qvtest;

TEST(SectorObjectsTest, StationKindsNameTheirFlagAndWhatTheyTrade) {
  EXPECT_STREQ(qv::StationFlagField(qv::kTradingStation), "Trstation");
  EXPECT_STREQ(qv::StationFlagField(qv::kShipyard), "Shipyard");
  EXPECT_STREQ(qv::StationFlagField(qv::kEquipmentDock), "Eqdock");
  EXPECT_STREQ(qv::StationFlagField(qv::kPirateBase), "Pirate");
  EXPECT_EQ(qv::StationProductFilter(qv::Trader::Shipyard), "Type = 2 or Type = 3");
  EXPECT_EQ(qv::StationProductFilter(qv::Trader::EquipmentDock), "Type = 0 or Type = 1");
  EXPECT_EQ(qv::StationProductFilter(qv::Trader::TradingStation), "Type = 0 or Type = 1");
  EXPECT_EQ(qv::StationProductFilter(qv::Trader::PirateBase), "");
  EXPECT_EQ(qv::SectorObjectsCaption("Sector:", "Alpha", 3, 4, "Kessar"),
            "Sector: Alpha (3,4), Kessar");
  EXPECT_EQ(qv::SectorObjectsCaption("Sector:", "Delta", 2, 2, ""), "Sector: Delta (2,2)");
  qv::TStoreTexts texts;
  EXPECT_EQ(qv::CycleTimeText(texts, 125), "(2 min 5 sec)");
}

TEST(SectorObjectsTest, AGoneSectorChangesNothing) {
  EmptyStore s;
  AddSector(*s, {.name = "Alpha", .shipyard = true});
  bool asked = false;
  EXPECT_EQ(qv::SwitchStation(*s, 999, qv::Trader::Shipyard, false,
                              [&] {
                                asked = true;
                                return true;
                              }),
            qv::TStationChange::SectorGone);
  EXPECT_FALSE(qv::StoreSolarCycle(*s, 999, 10));
  EXPECT_FALSE(asked);
  EXPECT_EQ(s->SectorsData.FieldByName("Shipyard").AsBoolean(), true);
  EXPECT_TRUE(s->SectorsData.FieldByName("SolarCycle").AsInteger() == 0);
}

}  // namespace
