#include "data/StoreOperations.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "data/DataModule1.h"
#include "data/StoreTestData.h"
#include "data/TableFile.h"
#include "generator/UniverseGenerator.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using qv::Table;
using qv::TDataModule1;
using qv::Value;

// What the edits work on, chosen from the rows so that any universe serves.
struct Picks {
  int sector = 0;  // the smallest sector Id
  int other = 0;   // the next one
  qv::TGridPos free;
  int type = 0;     // the smallest factory type Id
  int product = 0;  // the largest product Id
};

Picks Choose(TDataModule1& s) {
  Picks p;
  const std::vector<qv::Record> sectors = s.SectorsData.AllRecords();
  p.sector = sectors.at(0).Get("Id").ToInteger();
  p.other = sectors.at(1).Get("Id").ToInteger();
  const int x = sectors[0].Get("X").ToInteger();
  const int y = sectors[0].Get("Y").ToInteger();
  for (const qv::TGridPos at : {qv::TGridPos{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}}) {
    if (qv::SectorPositionAllowed(at.x, at.y) && !s.FindSectorAt(at.x, at.y)) {
      p.free = at;
      break;
    }
  }
  p.type = s.FactoriesData.AllRecords().at(0).Get("Id").ToInteger();
  p.product = s.ProductsData.AllRecords().back().Get("Id").ToInteger();
  return p;
}

qv::TSectorValues NewSector(qv::TGridPos at) {
  return {
      .name = "Fresh", .pos = at, .race = "Lumari", .gates = {true, true, true, true}, .suns = 2};
}

void WriteValues(Table& t, const qv::TSectorValues& v) {
  const char* gates[] = {"NorthGate", "SouthGate", "WestGate", "EastGate"};
  t.FieldByName("Name").SetAsString(v.name);
  t.FieldByName("X").SetAsInteger(v.pos.x);
  t.FieldByName("Y").SetAsInteger(v.pos.y);
  t.FieldByName("Race").SetAsString(v.race);
  for (int i = 0; i < 4; ++i)
    t.FieldByName(gates[i]).SetAsBoolean(v.gates[i]);
  t.FieldByName("Suns").SetAsInteger(v.suns);
  t.FieldByName("SolarCycle").SetAsInteger(v.solarCycle);
  t.FieldByName("Visible").SetAsBoolean(v.visible);
  t.FieldByName("NameDx").SetAsInteger(v.nameDx);
  t.FieldByName("NameDy").SetAsInteger(v.nameDy);
}

void SetSectorField(TDataModule1& s, int id, const char* field, const Value& value) {
  ASSERT_TRUE(s.LocateSectorById(id));
  s.SectorsData.Edit();
  s.SectorsData.FieldByName(field).SetValue(value);
  s.SectorsData.Post();
}

void DeleteRowWithId(TDataModule1& s, Table& t, int id) {
  ASSERT_TRUE(t.Locate("Id", {Value(id)}));
  s.SuspendViews();
  t.Delete();
  s.ResumeViews();
  t.MergeChangeLog();
}

// The edits as the windows made them on the tables themselves.
void EditTheTables(TDataModule1& s, const Picks& p) {
  Table& sectors = s.SectorsData;
  sectors.SetIndexName("SectorsDataCoordIndex");
  sectors.Append();
  WriteValues(sectors, NewSector(p.free));
  sectors.Post();
  s.SyncNeighbourGates();
  ASSERT_TRUE(s.LocateSectorById(p.sector));
  qv::TSectorValues edited = NewSector(p.free);
  edited.name = "Renamed";
  edited.pos = {sectors.FieldByName("X").AsInteger(), sectors.FieldByName("Y").AsInteger()};
  edited.gates = {false, true, false, true};
  sectors.Edit();
  WriteValues(sectors, edited);
  sectors.Post();
  s.SyncNeighbourGates();
  SetSectorField(s, p.sector, "Shipyard", Value(true));
  SetSectorField(s, p.sector, "SolarCycle", Value(77));
  SetSectorField(s, p.other, "Visible", Value(false));
  {
    qv::TOpenSector open = s.OpenSector(p.sector, qv::kShipyard);
    s.SectFactoryData.Append();
    s.SectFactoryData.Post();
    s.SectTradeData.Append();
    s.SectTradeData.Post();
  }
  s.DeleteTraders(p.sector, qv::kTradingStation);
  for (sectors.First(); !sectors.Eof(); sectors.Next()) {
    if (sectors.FieldByName("Visible").AsBoolean()) continue;
    sectors.Edit();
    sectors.FieldByName("Visible").SetAsBoolean(true);
    sectors.Post();
  }
  Table& types = s.FactoriesData;
  types.Append();
  types.Post();
  const Value fresh = types.FieldByName("Id").GetValue();
  for (const int operation : {0, 1}) {
    s.FactoryProdData.Append();
    s.FactoryProdData.FieldByName("FactoryId").SetValue(fresh);
    s.FactoryProdData.FieldByName("Operation").SetAsInteger(operation);
    s.FactoryProdData.Post();
  }
  {
    const qv::TOpenRecipes open = s.OpenRecipes();
    s.FactoryProdData.Append();
    s.FactoryProdData.Post();
  }
  s.FactoryProdData.First();
  s.FactoryProdData.Delete();
  s.ProductsData.Append();
  s.ProductsData.Post();
  DeleteRowWithId(s, s.ProductsData, p.product);
  DeleteRowWithId(s, types, p.type);
  ASSERT_TRUE(s.LocateSectorById(p.other));
  sectors.Delete();
  for (int recNo = 1; recNo <= s.SectFactoryData.RecordCount(); ++recNo) {
    s.SectFactoryData.SetRecNo(recNo);
    s.SectFactoryData.Edit();
    s.SectFactoryData.FieldByName("Yield").SetAsInteger(7);
    s.SectFactoryData.Post();
  }
}

// The same edits through the store's operations.
void EditThroughOperations(TDataModule1& s, const Picks& p) {
  qv::AddSector(s, NewSector(p.free));
  ASSERT_TRUE(s.LocateSectorById(p.sector));
  qv::TSectorValues edited = NewSector(p.free);
  edited.name = "Renamed";
  edited.pos = {s.SectorsData.FieldByName("X").AsInteger(),
                s.SectorsData.FieldByName("Y").AsInteger()};
  edited.gates = {false, true, false, true};
  ASSERT_TRUE(qv::EditSector(s, p.sector, edited));
  ASSERT_TRUE(qv::SetSectorStation(s, p.sector, qv::kShipyard, true));
  ASSERT_TRUE(qv::SetSectorSolarCycle(s, p.sector, 77));
  SetSectorField(s, p.other, "Visible", Value(false));  // what a file may hold
  {
    const qv::TOpenSector open = s.OpenSector(p.sector, qv::kShipyard);
    qv::PlaceFactory(s, p.sector);
    qv::PlaceTrader(s, p.sector, qv::kShipyard);
  }
  qv::RemoveTraders(s, p.sector, qv::kTradingStation);
  qv::RevealAllSectors(s);
  qv::AddFactoryType(s);
  qv::AddRecipeRow(s, s.FactoriesData.FieldByName("Id").AsInteger());
  s.FactoryProdData.First();
  qv::RemoveRecipeRow(s, s.FactoryProdData.GetBookmark());
  qv::AddProductType(s);
  qv::DeleteProductType(s, p.product);
  qv::DeleteFactoryType(s, p.type);
  ASSERT_TRUE(qv::DeleteSector(s, p.other));
  Table& placed = s.SectFactoryData;
  const qv::TBulkChange change = qv::ChangeFieldOfRows(
      s, placed, placed.FieldByName("Yield").Index(), Value(7), [] { return true; });
  EXPECT_EQ(change.changed, placed.RecordCount());
  EXPECT_EQ(change.failedRow, 0);
}

class StoreOperationsFilesTest : public ::testing::Test {
 protected:
  // Two stores of one universe: the sample's files, or a generated one.
  void LoadSample() {
    for (qvtest::TempDir* dir : {&dirA, &dirB}) {
      fs::copy(fs::path(QV_SOURCE_DIR) / "Data", dir->Path() / "Data");
    }
    Make();
    a->LoadAllTables(qv::RequestFromThisBuild(a->ProgramFolder()));
    b->LoadAllTables(qv::RequestFromThisBuild(b->ProgramFolder()));
  }
  void Generate(int sectors, int width, int height) {
    qv::GeneratorOptions options;
    options.sectors = sectors;
    options.width = width;
    options.height = height;
    Make();
    qv::GenerateUniverse(*a, options);
    qv::GenerateUniverse(*b, options);
  }
  void ExpectTheSameFiles() {
    const Picks picks = Choose(*a);
    EditTheTables(*a, picks);
    EditThroughOperations(*b, picks);
    const std::vector<Table*> left = a->AllTables();
    const std::vector<Table*> right = b->AllTables();
    for (std::size_t i = 0; i + 1 < left.size(); ++i) {
      const std::string path = a->TableFilePath(*left[i]);
      EXPECT_TRUE(qv::TableFileText(*left[i], path) == qv::TableFileText(*right[i], path))
          << left[i]->Name();
    }
    EXPECT_EQ(a->DataChanged(), b->DataChanged());
  }

  qvtest::TempDir dirA, dirB;
  qvtest::ScriptedDialogs dialogs;
  std::unique_ptr<TDataModule1> a, b;

 private:
  void Make() {
    a = std::make_unique<TDataModule1>(dirA.Folder());
    b = std::make_unique<TDataModule1>(dirB.Folder());
  }
};

TEST_F(StoreOperationsFilesTest, SampleUniverseFilesAreTheSameAsAfterTheTablesOwnEdits) {
  LoadSample();
  ExpectTheSameFiles();
}

TEST_F(StoreOperationsFilesTest, GeneratedUniverseFilesAreTheSameAsAfterTheTablesOwnEdits) {
  Generate(10000, 120, 100);
  ExpectTheSameFiles();
}

// An operation is one step whose record takes it back exactly, cascade
// included, and makes it again.
TEST_F(StoreOperationsFilesTest, AnOperationIsOneStepThatTakesItselfBackExactly) {
  LoadSample();  // loaded as the program does, so the step knows the counters
  const Picks p = Choose(*a);
  const auto files = [this] {
    std::string all;
    for (Table* t : a->AllTables())
      if (t != &a->AuxRequestData) all += qv::TableFileText(*t, a->TableFilePath(*t));
    return all;
  };
  const std::string before = files();
  const int dependants = a->SectFactoryData.RowsWithKey("SectorId", {Value(p.sector)}).Size() +
                         a->SectTradeData.RowsWithKey("SectorId", {Value(p.sector)}).Size();
  int steps = 0;
  const int listener =
      a->AddChangeListener([&steps](const qv::ChangeRecord&, qv::ChangeOrigin) { ++steps; });
  const std::optional<qv::ChangeRecord> removed = qv::DeleteSector(*a, p.sector);
  a->RemoveChangeListener(listener);
  ASSERT_TRUE(removed);
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(removed->kind, qv::ChangeKind::DeleteSector);
  EXPECT_EQ(removed->rows.size(), static_cast<std::size_t>(1 + dependants));
  const std::string after = files();
  a->ApplyChange(*removed, qv::ChangeOrigin::Undo);
  const std::string undone = files();
  EXPECT_TRUE(undone == before);
  a->ApplyChange(*removed, qv::ChangeOrigin::Redo);
  EXPECT_TRUE(files() == after);
}

class StoreOperationsTest : public ::testing::Test {
 protected:
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  TDataModule1 s{dir.Folder()};
};

// A refused sector leaves nothing behind: no row in edit, no neighbour's gate
// changed; a sector that is gone is reported, not created.
TEST_F(StoreOperationsTest, RefusedOrMissingSectorsChangeNothing) {
  const int home = qvtest::AddSector(s, "Home", 5, 5);
  qv::TSectorValues far = NewSector({20000, 5});
  EXPECT_THROW(qv::AddSector(s, far), qv::TableError);
  EXPECT_EQ(s.SectorsData.State(), qv::TableState::Browse);
  EXPECT_EQ(s.SectorsData.RecordCount(), 1);
  EXPECT_FALSE(qv::EditSector(s, home + 99, NewSector({6, 5})));
  EXPECT_FALSE(qv::DeleteSector(s, home + 99));
  EXPECT_FALSE(qv::RevealSector(s, home + 99));
  EXPECT_FALSE(qv::SetSectorStation(s, home + 99, qv::kShipyard, true));
  EXPECT_EQ(s.SectorsData.RecordCount(), 1);

  const int east = qv::InsertedId(qv::AddSector(s, NewSector({6, 5})), s.SectorsData);
  ASSERT_TRUE(s.LocateSectorById(home));
  EXPECT_TRUE(s.SectorsData.FieldByName("EastGate").AsBoolean());  // the pair's other half
  EXPECT_EQ(s.SectorsData.ChangeCount(), 0);
  EXPECT_TRUE(qv::DeleteSector(s, east));
  EXPECT_EQ(qvtest::Column(s.SectorsData, "Name"), "Home");
}

// Rows of the placed factories and traders are named by bookmark, whatever
// row the grid stands on; the bulk change stops at a refused row.
TEST_F(StoreOperationsTest, RowsAreRemovedByBookmarkAndABulkChangeStopsWhereRefused) {
  const int home = qvtest::AddSector(s, "Home", 1, 1);
  qvtest::AddSector(s, "Edge", -9999, 9999);
  qv::PlaceFactory(s, home);
  const Table::Bookmark first = s.SectFactoryData.GetBookmark();
  qv::PlaceFactory(s, home + 1);
  qv::RemoveFactory(s, first);
  EXPECT_EQ(qvtest::Column(s.SectFactoryData, "SectorId"), std::to_string(home + 1));

  Table& sectors = s.SectorsData;
  sectors.SetIndexFieldNames("Id");
  const qv::TBulkChange change = qv::ChangeFieldOfRows(s, sectors, sectors.FieldByName("X").Index(),
                                                       Value(12000), [] { return true; });
  EXPECT_EQ(change.changed, 0);
  EXPECT_EQ(change.failedRow, 1);
  EXPECT_NE(change.error.find("outside the map"), std::string::npos);
  EXPECT_EQ(sectors.State(), qv::TableState::Browse);
  EXPECT_EQ(qvtest::Column(sectors, "X"), "1,-9999");
}

// What a grid stores through the store's writer is one step named after
// the table's rows; an untouched new row is dropped without one.
TEST_F(StoreOperationsTest, TheStoresWriterMakesEachStoredRowOneStep) {
  const int home = qvtest::AddSector(s, "Home", 1, 1);
  qv::PlaceFactory(s, home);
  std::vector<qv::ChangeKind> kinds;
  const int listener = s.AddChangeListener(
      [&kinds](const qv::ChangeRecord& record, qv::ChangeOrigin) { kinds.push_back(record.kind); });
  qv::TRowWriter& writer = s.RowWriter();
  Table& placed = s.SectFactoryData;
  writer.EditRow(placed);
  placed.FieldByName("Yield").SetAsInteger(40);
  writer.FinishRow(placed);
  writer.NewRow(placed, true);
  writer.FinishRow(placed);  // nothing typed: dropped
  writer.DeleteRow(placed);
  s.RemoveChangeListener(listener);
  EXPECT_EQ(kinds, (std::vector<qv::ChangeKind>{qv::ChangeKind::EditPlacedFactory,
                                                qv::ChangeKind::RemoveFactory}));
  EXPECT_EQ(placed.RecordCount(), 0);
}

}  // namespace
