#include "editors/SectorCommands.h"

#include <gtest/gtest.h>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/StoreOperations.h"
#include "settings/MainTexts.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

using namespace qv;

namespace {

class SectorCommandsTest : public ::testing::Test {
 protected:
  SectorCommandsTest() : store(dir.Folder()) {}

  int Add(const std::string& name, int x, int y, bool visible, const char* gates = "") {
    Table& t = store.SectorsData;
    t.Append();
    t.FieldByName("Name").SetAsString(name);
    t.FieldByName("X").SetAsInteger(x);
    t.FieldByName("Y").SetAsInteger(y);
    t.FieldByName("Visible").SetAsBoolean(visible);
    for (const char* g = gates; *g; ++g) {
      const char* field = *g == 'N'   ? "NorthGate"
                          : *g == 'S' ? "SouthGate"
                          : *g == 'W' ? "WestGate"
                                      : "EastGate";
      t.FieldByName(field).SetAsBoolean(true);
    }
    t.Post();
    return t.FieldByName("Id").AsInteger();
  }

  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  TDataModule1 store;
  TMainTexts texts;
};

TEST(FormatTextTest, FillsPlaceholdersInOrderAndNeverTrustsThePattern) {
  EXPECT_EQ(FormatText("Delete sector \"%s\"?", {std::string("Alpha")}),
            "Delete sector \"Alpha\"?");
  EXPECT_EQ(FormatText("%d x %d BMP", {std::int64_t{640}, std::int64_t{-3}}), "640 x -3 BMP");
  EXPECT_EQ(FormatText("100%% of %s", {std::string("x")}), "100% of x");
  // A translated pattern with too many or mismatched placeholders.
  EXPECT_EQ(FormatText("%s and %s", {std::string("one")}), "one and %s");
  EXPECT_EQ(FormatText("%d", {std::string("text")}), "text");
  EXPECT_EQ(FormatText("%n%x%", {std::string("a")}), "%n%x%");
}

TEST(MainTextsTest, MissingKeysKeepTheCurrentText) {
  IniFile file("unused");
  file.WriteString("MainForm", "DeleteCap", "Entfernen");
  file.WriteString("MainForm", "StatusDock", "");
  TMainTexts texts;
  texts.RevealAllCap = "earlier";
  TranslateMainTexts(file, texts);
  EXPECT_EQ(texts.DeleteCap, "Entfernen");
  EXPECT_EQ(texts.RevealAllCap, "earlier");
  EXPECT_EQ(texts.StatusSuns, "suns");
}

TEST_F(SectorCommandsTest, StatusTextListsWhatTheSectorHolds) {
  Add("Alpha", 3, 4, true);
  Table& t = store.SectorsData;
  t.Edit();
  t.FieldByName("Race").SetAsString("Kessar");
  t.FieldByName("Suns").SetAsInteger(2);
  t.FieldByName("Shipyard").SetAsBoolean(true);
  t.FieldByName("Eqdock").SetAsBoolean(true);
  t.FieldByName("Pirate").SetAsBoolean(true);
  t.Post();
  EXPECT_EQ(SectorStatusText(store, 3, 4, false, texts),
            "Alpha (3,4), Kessar,suns: 2, SHIPYARD, EQ.DOCK, PIRATE BASE");
  Add("Hidden", 5, 5, false);
  EXPECT_FALSE(SectorStatusText(store, 5, 5, false, texts));
  EXPECT_EQ(SectorStatusText(store, 5, 5, true, texts), "Hidden (5,5),suns: 0");
  EXPECT_FALSE(SectorStatusText(store, 9, 9, true, texts));
  EXPECT_FALSE(SectorStatusText(store, -1, 4, true, texts));
}

TEST_F(SectorCommandsTest, RevealDirectionsNeedAGateAndAHiddenNeighbour) {
  Add("Centre", 5, 5, true, "NSWE");
  Add("North", 5, 4, false);
  Add("South", 5, 6, true);  // visible: nothing to reveal
  Add("East", 6, 5, false);
  Add("Lonely", 8, 8, true);  // no gates
  Add("LonelyWest", 7, 8, false);
  const TRevealDirections around = GetRevealDirections(store, 5, 5);
  EXPECT_TRUE(around.north);
  EXPECT_FALSE(around.south);
  EXPECT_FALSE(around.west);  // no sector there
  EXPECT_TRUE(around.east);
  EXPECT_FALSE(GetRevealDirections(store, 8, 8).Any());
  EXPECT_FALSE(GetRevealDirections(store, -1, -1).Any());

  EXPECT_TRUE(RevealSectorAt(store, 5, 4));
  EXPECT_FALSE(GetRevealDirections(store, 5, 5).north);
  EXPECT_FALSE(RevealSectorAt(store, 4, 5));
  EXPECT_EQ(store.SectorsData.ChangeCount(), 0);
}

TEST_F(SectorCommandsTest, RevealAllAndDeleteWorkOnTheWholeTable) {
  Add("A", 0, 0, false);
  Add("B", 1, 0, false);
  Add("C", 2, 0, true);
  EXPECT_TRUE(DrawableSectorAt(store, 2, 0, false));
  EXPECT_FALSE(DrawableSectorAt(store, 0, 0, false));
  EXPECT_TRUE(DrawableSectorAt(store, 0, 0, true));
  RevealAllSectors(store);
  EXPECT_EQ(store.GetSectorBounds().HiddenCount, 0);
  EXPECT_FALSE(store.SectorsData.ControlsDisabled());

  EXPECT_EQ(SectorNameAt(store, 1, 0), "B");
  EXPECT_TRUE(DeleteSectorAt(store, 1, 0));
  EXPECT_FALSE(SectorNameAt(store, 1, 0));
  EXPECT_FALSE(DeleteSectorAt(store, 1, 0));
  EXPECT_EQ(store.SectorsData.RecordCount(), 2);
}

}  // namespace
