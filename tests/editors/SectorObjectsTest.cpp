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

// The window reads a station's flag through its handle, the store's
// operations write it by name: both must mean the same field, a code no kind
// has included.
TEST(SectorObjectsTest, TheFlagReadIsTheFlagTheStoreWrites) {
  EmptyStore s;
  const qv::TSectorsFields& sectors = s->Fields().Sectors;
  for (const int code : {0, 1, 2, 3, 7}) {
    const qv::FieldRef& flag = qv::StationFlag(sectors, qv::AsCode<qv::Trader>(code));
    EXPECT_EQ(flag->FieldName(), qv::StationFlagField(code)) << code;
    EXPECT_EQ(&flag->DataSet(), &s->SectorsData) << code;
  }
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
