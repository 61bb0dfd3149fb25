#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "data/DataModule1.h"
#include "data/TableFile.h"
#include "generator/UniverseGenerator.h"
#include "settings/StoreStartExit.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using qv::GeneratorOptions;
using qv::GenSector;
using qv::GenUniverse;

const char* const kRaces[] = {"Kessar", "Lumari", "Vossk", "Orthane", "Drakh", "Zhurr", "Pirates"};

// Everything the tables would hold, as text, to compare two universes.
std::string Dump(const GenUniverse& u) {
  std::ostringstream out;
  for (const GenSector& s : u.Sectors)
    out << s.Id << s.Name << ',' << s.X << ',' << s.Y << s.Race << s.Suns << s.NorthGate
        << s.SouthGate << s.WestGate << s.EastGate << s.NameDx << s.NameDy << s.Shipyard
        << s.Trstation << s.Eqdock << s.Pirate << s.Visible << s.SolarCycle << '\n';
  for (const auto& f : u.Factories)
    out << f.SectorId << ',' << f.FactoryId << f.Your << f.Yield.value_or(-1) << '\n';
  for (const auto& t : u.Trades)
    out << t.SectorId << ',' << t.Trader << ',' << t.ProductId << '\n';
  for (const auto& p : u.Products)
    out << p.Id << p.Name << p.Type << p.Min << p.Max << p.Avg << p.Mtime << p.Qty << '\n';
  for (const auto& f : u.FactoryTypes)
    out << f.Id << f.Name << f.Buyable << f.Special << f.Ctime << f.Mtime << '\n';
  for (const auto& r : u.Recipes)
    out << r.FactoryId << r.Operation << r.ProductId << r.Qty << '\n';
  return out.str();
}

class SectorIndex {
 public:
  explicit SectorIndex(const std::vector<GenSector>& sectors) : sectors_(sectors) {
    for (size_t i = 0; i < sectors.size(); ++i)
      at_[{sectors[i].X, sectors[i].Y}] = static_cast<int>(i);
  }
  int At(int x, int y) const {
    const auto it = at_.find({x, y});
    return it == at_.end() ? -1 : it->second;
  }
  // Sectors reachable from the first one through steps that `linked` allows.
  template <typename Linked>
  int Reachable(int from, Linked linked) const {
    std::vector<char> seen(sectors_.size(), 0);
    std::vector<int> queue{from};
    seen[from] = 1;
    for (size_t head = 0; head < queue.size(); ++head) {
      const GenSector& s = sectors_[queue[head]];
      const int dx[4] = {0, 0, -1, 1}, dy[4] = {-1, 1, 0, 0};
      for (int dir = 0; dir < 4; ++dir) {
        const int t = At(s.X + dx[dir], s.Y + dy[dir]);
        if (t >= 0 && !seen[t] && linked(s, dir, sectors_[t])) {
          seen[t] = 1;
          queue.push_back(t);
        }
      }
    }
    return static_cast<int>(queue.size());
  }

 private:
  const std::vector<GenSector>& sectors_;
  std::map<std::pair<int, int>, int> at_;
};

bool GateTo(const GenSector& s, int dir) {
  const bool gates[4] = {s.NorthGate, s.SouthGate, s.WestGate, s.EastGate};
  return gates[dir];
}

class GeneratorDefaultUniverseTest : public ::testing::Test {
 protected:
  static const GenUniverse& U() {
    static const GenUniverse universe = qv::BuildUniverse(GeneratorOptions{});
    return universe;
  }
};

TEST(GeneratorOptionsTest, SameOptionsGiveTheSameUniverseAndSeedsDiffer) {
  GeneratorOptions options;
  EXPECT_EQ(Dump(qv::BuildUniverse(options)), Dump(qv::BuildUniverse(options)));
  GeneratorOptions other = options;
  other.seed = 2;
  EXPECT_NE(Dump(qv::BuildUniverse(options)), Dump(qv::BuildUniverse(other)));
}

TEST(GeneratorOptionsTest, ImpossibleOptionsAreRefusedAndTinyOnesWork) {
  GeneratorOptions tooMany;
  tooMany.sectors = 13;
  tooMany.width = 3;
  tooMany.height = 4;
  EXPECT_THROW(qv::BuildUniverse(tooMany), std::invalid_argument);
  GeneratorOptions none;
  none.sectors = 0;
  EXPECT_THROW(qv::BuildUniverse(none), std::invalid_argument);

  GeneratorOptions one;
  one.sectors = 1;
  one.width = 1;
  one.height = 1;
  const GenUniverse single = qv::BuildUniverse(one);
  ASSERT_EQ(single.Sectors.size(), 1u);
  EXPECT_FALSE(single.Sectors[0].NorthGate || single.Sectors[0].SouthGate ||
               single.Sectors[0].WestGate || single.Sectors[0].EastGate);

  GeneratorOptions full = tooMany;  // every cell of a small grid
  full.sectors = 12;
  const GenUniverse filled = qv::BuildUniverse(full);
  EXPECT_EQ(filled.Sectors.size(), 12u);
  std::set<std::string> names;
  for (const GenSector& s : filled.Sectors)
    names.insert(s.Name);
  EXPECT_EQ(names.size(), 12u);
}

TEST_F(GeneratorDefaultUniverseTest, SectorsLieOnTheGridWithUniqueNamesAndPositions) {
  const auto& sectors = U().Sectors;
  ASSERT_EQ(sectors.size(), 100u);
  std::set<std::string> names;
  std::set<std::pair<int, int>> cells;
  for (size_t i = 0; i < sectors.size(); ++i) {
    const GenSector& s = sectors[i];
    EXPECT_EQ(s.Id, static_cast<int>(i) + 1);
    EXPECT_TRUE(s.X >= 0 && s.X < 16 && s.Y >= 0 && s.Y < 12) << s.Name;
    EXPECT_FALSE(s.Name.empty());
    EXPECT_LE(s.Name.size(), 40u);
    names.insert(s.Name);
    cells.insert({s.X, s.Y});
    EXPECT_TRUE(s.Suns >= 0 && s.Suns <= 6);
    EXPECT_TRUE(s.NameDx >= -2 && s.NameDx <= 2 && s.NameDy >= -2 && s.NameDy <= 2);
    // One of the twelve places around the square: one code is +-2, the other not.
    EXPECT_NE(std::abs(s.NameDx) == 2, std::abs(s.NameDy) == 2) << s.Name;
  }
  EXPECT_EQ(names.size(), sectors.size());
  EXPECT_EQ(cells.size(), sectors.size());
  EXPECT_TRUE(names.count("Kessar Prime"));
  const auto below = std::count_if(sectors.begin(), sectors.end(), [](const GenSector& s) {
    return s.NameDx == 0 && s.NameDy == 2;
  });
  EXPECT_GT(below, 50);
  EXPECT_LT(below, 100);
  EXPECT_TRUE(std::any_of(sectors.begin(), sectors.end(),
                          [](const GenSector& s) { return s.SolarCycle > 0; }));
}

TEST_F(GeneratorDefaultUniverseTest, GatesArePairedAndConnectEverySector) {
  const auto& sectors = U().Sectors;
  const SectorIndex index(sectors);
  const int dx[4] = {0, 0, -1, 1}, dy[4] = {-1, 1, 0, 0}, opposite[4] = {1, 0, 3, 2};
  for (const GenSector& s : sectors) {
    for (int dir = 0; dir < 4; ++dir) {
      const int t = index.At(s.X + dx[dir], s.Y + dy[dir]);
      if (t < 0) {
        EXPECT_FALSE(GateTo(s, dir)) << s.Name << " has a gate to an empty cell";
      } else {
        EXPECT_EQ(GateTo(s, dir), GateTo(sectors[t], opposite[dir]))
            << s.Name << " / " << sectors[t].Name;
      }
    }
  }
  const int reached = index.Reachable(
      0, [](const GenSector& s, int dir, const GenSector&) { return GateTo(s, dir); });
  EXPECT_EQ(reached, static_cast<int>(sectors.size()));
}

TEST_F(GeneratorDefaultUniverseTest, RacesHoldContiguousRegionsAndAFifthIsHidden) {
  const auto& sectors = U().Sectors;
  const SectorIndex index(sectors);
  for (const char* race : kRaces) {
    std::vector<int> members;
    for (size_t i = 0; i < sectors.size(); ++i)
      if (sectors[i].Race == race) members.push_back(static_cast<int>(i));
    ASSERT_FALSE(members.empty()) << race;
    const int reached = index.Reachable(
        members[0], [&](const GenSector&, int, const GenSector& t) { return t.Race == race; });
    EXPECT_EQ(reached, static_cast<int>(members.size())) << race << " is split";
  }
  const auto noRace = std::count_if(sectors.begin(), sectors.end(),
                                    [](const GenSector& s) { return s.Race.empty(); });
  EXPECT_GT(noRace, 0);
  EXPECT_LT(noRace, 15);

  int hidden = 0, hiddenAtEdge = 0;
  for (const GenSector& s : sectors) {
    if (s.Visible) continue;
    ++hidden;
    const bool edge = index.At(s.X, s.Y - 1) < 0 || index.At(s.X, s.Y + 1) < 0 ||
                      index.At(s.X - 1, s.Y) < 0 || index.At(s.X + 1, s.Y) < 0;
    hiddenAtEdge += edge;
  }
  EXPECT_EQ(hidden, 20);
  EXPECT_GT(hiddenAtEdge, hidden * 3 / 4);
}

TEST_F(GeneratorDefaultUniverseTest, StationsOfEveryKindWithPirateBasesInPirateSpace) {
  const auto& sectors = U().Sectors;
  int trading = 0, yards = 0, docks = 0, pirateBases = 0, pirateBasesInPirateSpace = 0;
  for (const GenSector& s : sectors) {
    trading += s.Trstation;
    yards += s.Shipyard;
    docks += s.Eqdock;
    pirateBases += s.Pirate;
    pirateBasesInPirateSpace += s.Pirate && s.Race == "Pirates";
  }
  EXPECT_GT(trading, 50);
  EXPECT_GT(yards, 0);
  EXPECT_GT(docks, 0);
  EXPECT_GT(pirateBasesInPirateSpace, 0);
  EXPECT_GE(pirateBasesInPirateSpace * 2, pirateBases);
}

TEST_F(GeneratorDefaultUniverseTest, EconomyHasSoundPricesAndOneOutputPerFactoryType) {
  const GenUniverse& u = U();
  std::map<int, const qv::GenProduct*> products;
  int perType[4] = {0, 0, 0, 0};
  for (const auto& p : u.Products) {
    products[p.Id] = &p;
    ASSERT_TRUE(p.Type >= 0 && p.Type <= 3) << p.Name;
    ++perType[p.Type];
    EXPECT_LT(p.Min, p.Avg) << p.Name;
    EXPECT_LT(p.Avg, p.Max) << p.Name;
    EXPECT_LE(p.Name.size(), 30u);
    if (p.Type <= 1) {
      EXPECT_TRUE(p.Mtime > 0 && p.Qty > 0) << p.Name;
    }
  }
  EXPECT_GE(u.Products.size(), 45u);
  for (int count : perType)
    EXPECT_GT(count, 0);
  EXPECT_GE(u.FactoryTypes.size(), 28u);

  std::map<int, int> outputs;
  std::set<int> produced, needed;
  for (const auto& r : u.Recipes) {
    ASSERT_TRUE(products.count(r.ProductId)) << "recipe of factory " << r.FactoryId;
    ASSERT_TRUE(r.Operation == 0 || r.Operation == 1);
    EXPECT_GT(r.Qty, 0);
    (r.Operation == 0 ? produced : needed).insert(r.ProductId);
    if (r.Operation == 0) ++outputs[r.FactoryId];
  }
  std::set<int> specials;
  for (const auto& f : u.FactoryTypes) {
    EXPECT_EQ(outputs[f.Id], 1) << f.Name;
    EXPECT_TRUE(f.Ctime >= 60 && f.Ctime <= 600 && f.Mtime >= 60 && f.Mtime <= 600) << f.Name;
    EXPECT_LE(f.Name.size(), 30u);
    specials.insert(f.Special);
  }
  EXPECT_EQ(specials, (std::set<int>{0, 1, 2, 3}));
  // The economy is closed: whatever a factory needs, some factory makes.
  for (int id : needed)
    EXPECT_TRUE(produced.count(id)) << products[id]->Name;

  // Solar power plants make energy cells from crystals.
  for (const auto& f : u.FactoryTypes) {
    if (f.Special != 1) continue;
    for (const auto& r : u.Recipes)
      if (r.FactoryId == f.Id) {
        EXPECT_EQ(products[r.ProductId]->Name, r.Operation == 0 ? "Energy Cells" : "Crystals");
      }
  }
}

TEST_F(GeneratorDefaultUniverseTest, PlacedFactoriesAndTradeListsReferToRowsThatExist) {
  const GenUniverse& u = U();
  std::map<int, const GenSector*> sectors;
  for (const auto& s : u.Sectors)
    sectors[s.Id] = &s;
  std::map<int, int> special, productType;
  for (const auto& f : u.FactoryTypes)
    special[f.Id] = f.Special;
  for (const auto& p : u.Products)
    productType[p.Id] = p.Type;

  int spentMines = 0, own = 0;
  for (const auto& f : u.Factories) {
    ASSERT_TRUE(sectors.count(f.SectorId));
    ASSERT_TRUE(special.count(f.FactoryId));
    const bool mine = special[f.FactoryId] == 2 || special[f.FactoryId] == 3;
    EXPECT_EQ(f.Yield.has_value(), mine);
    spentMines += mine && f.Yield == 0;
    own += f.Your;
  }
  EXPECT_GT(spentMines, 0);
  EXPECT_GT(own, 0);
  EXPECT_LT(own, static_cast<int>(u.Factories.size()) / 10);
  EXPECT_NEAR(static_cast<double>(u.Factories.size()), 500.0, 75.0);

  std::set<std::tuple<int, int, int>> seen;
  for (const auto& t : u.Trades) {
    ASSERT_TRUE(sectors.count(t.SectorId));
    ASSERT_TRUE(productType.count(t.ProductId));
    EXPECT_TRUE(seen.insert({t.SectorId, t.Trader, t.ProductId}).second) << "repeated product";
    const GenSector& s = *sectors[t.SectorId];
    const int type = productType[t.ProductId];
    switch (t.Trader) {
      case 0:
        EXPECT_TRUE(s.Trstation);
        EXPECT_LE(type, 1);
        break;
      case 1:
        EXPECT_TRUE(s.Shipyard);
        EXPECT_GE(type, 2);
        break;
      case 2:
        EXPECT_TRUE(s.Eqdock);
        EXPECT_LE(type, 1);
        break;
      case 3:
        EXPECT_TRUE(s.Pirate);
        EXPECT_EQ(type, 0);
        break;
      default:
        ADD_FAILURE() << "trader kind " << t.Trader;
    }
  }
  EXPECT_NEAR(static_cast<double>(u.Trades.size()), 300.0, 45.0);
}

TEST(GeneratorLargeUniverseTest, TenThousandSectorsKeepTheirProportions) {
  GeneratorOptions options;
  options.sectors = 10000;
  options.width = 100;
  options.height = 100;
  const GenUniverse u = qv::BuildUniverse(options);
  ASSERT_EQ(u.Sectors.size(), 10000u);
  EXPECT_NEAR(static_cast<double>(u.Factories.size()), 50000.0, 2500.0);
  EXPECT_NEAR(static_cast<double>(u.Trades.size()), 30000.0, 1500.0);
  std::set<std::string> names;
  for (const GenSector& s : u.Sectors)
    names.insert(s.Name);
  EXPECT_EQ(names.size(), u.Sectors.size());
  const auto hidden = std::count_if(u.Sectors.begin(), u.Sectors.end(),
                                    [](const GenSector& s) { return !s.Visible; });
  EXPECT_EQ(hidden, 2000);
  const SectorIndex index(u.Sectors);
  EXPECT_EQ(index.Reachable(
                0, [](const GenSector& s, int dir, const GenSector&) { return GateTo(s, dir); }),
            10000);
}

// ---- Through the store and its files ----

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

const char* const kFiles[] = {"sectors.cds",  "factlist.cds", "products.cds",
                              "factprod.cds", "sectfact.cds", "secttrad.cds"};

TEST(GeneratorStoreTest, TablesHoldTheUniverseInTheStoresOrders) {
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  qv::TDataModule1 store(dir.Folder());
  const GenUniverse u = qv::BuildUniverse(GeneratorOptions{});
  qv::FillUniverseTables(store, u);

  EXPECT_EQ(store.SectorsData.RecordCount(), static_cast<int>(u.Sectors.size()));
  EXPECT_EQ(store.FactoriesData.RecordCount(), static_cast<int>(u.FactoryTypes.size()));
  EXPECT_EQ(store.ProductsData.RecordCount(), static_cast<int>(u.Products.size()));
  EXPECT_EQ(store.FactoryProdData.RecordCount(), static_cast<int>(u.Recipes.size()));
  EXPECT_EQ(store.SectFactoryData.RecordCount(), static_cast<int>(u.Factories.size()));
  EXPECT_EQ(store.SectTradeData.RecordCount(), static_cast<int>(u.Trades.size()));
  EXPECT_EQ(store.SectorsData.IndexName(), "SectorsDataCoordIndex");
  EXPECT_EQ(store.ProductsData.IndexFieldNames(), "Type;Name");
  EXPECT_EQ(store.SectTradeData.IndexFieldNames(), "SectorId;Trader");

  // A sector reads back field by field, found by its position.
  const GenSector& s = u.Sectors[7];
  ASSERT_TRUE(store.LocateSectorAt(s.X, s.Y));
  const qv::Record r = store.SectorsData.CurrentRecord();
  EXPECT_EQ(r.Get("Name").ToString(), s.Name);
  EXPECT_EQ(r.Get("Id").ToInteger(), s.Id);
  EXPECT_EQ(r.Get("Race").ToString(), s.Race);
  EXPECT_EQ(r.Get("Suns").ToInteger(), s.Suns);
  EXPECT_EQ(r.Get("EastGate").ToBoolean(), s.EastGate);
  EXPECT_EQ(r.Get("Visible").ToBoolean(), s.Visible);
  EXPECT_EQ(r.Get("NameDy").ToInteger(), s.NameDy);
  // New rows get Ids after the generated ones.
  EXPECT_EQ(store.SectorsData.NextAutoInc(), static_cast<int>(u.Sectors.size()) + 1);
  EXPECT_EQ(store.CountTraders(u.Trades[0].SectorId, u.Trades[0].Trader),
            static_cast<int>(std::count_if(u.Trades.begin(), u.Trades.end(), [&](const auto& t) {
              return t.SectorId == u.Trades[0].SectorId && t.Trader == u.Trades[0].Trader;
            })));
}

TEST(GeneratorStoreTest, WrittenFilesAreByteIdenticalAndLoadBack) {
  qvtest::TempDir first, second;
  qv::WriteUniverse(first.Path().string(), GeneratorOptions{});
  qv::WriteUniverse(second.Folder(), GeneratorOptions{});
  for (const char* name : kFiles) {
    const std::string a = ReadFile(first.Path() / "Data" / name);
    EXPECT_FALSE(a.empty()) << name;
    EXPECT_EQ(a, ReadFile(second.Path() / "Data" / name)) << name;
  }

  qvtest::ScriptedDialogs dialogs;
  qv::TDataModule1 store(first.Folder());
  qv::LoadStore(store, dialogs);
  EXPECT_TRUE(dialogs.Messages().empty());
  const GenUniverse u = qv::BuildUniverse(GeneratorOptions{});
  EXPECT_EQ(store.SectorsData.RecordCount(), static_cast<int>(u.Sectors.size()));
  EXPECT_EQ(store.SectFactoryData.RecordCount(), static_cast<int>(u.Factories.size()));
  EXPECT_EQ(store.SectTradeData.RecordCount(), static_cast<int>(u.Trades.size()));
  int x = -1, y = -1;
  store.FindSectorByName("Kessar Prime", &x, &y);
  EXPECT_GE(x, 0);
  EXPECT_GE(y, 0);
}

}  // namespace
