#include "Placement.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "SectorLayout.h"

namespace qv {
namespace {

constexpr int kRaceCount = 6;
constexpr int kPiratesClass = 6;
constexpr int kNoRaceClass = 7;
constexpr int kOwnerClasses = 8;

// Draws items by integer weights.
class WeightedChoice {
 public:
  void Add(int item, int weight) {
    if (weight <= 0) return;
    total_ += weight;
    items_.push_back(item);
    bounds_.push_back(total_);
  }
  int Size() const { return static_cast<int>(items_.size()); }
  int Draw(SplitMix64& random) const {
    const int roll = random.Below(total_);
    const auto it = std::upper_bound(bounds_.begin(), bounds_.end(), roll);
    return items_[it - bounds_.begin()];
  }

 private:
  std::vector<int> items_;
  std::vector<int> bounds_;
  int total_ = 0;
};

int OwnerClass(const std::string& race) {
  for (int i = 0; i <= kPiratesClass; ++i)
    if (race == kRaceNames[i]) return i;
  return kNoRaceClass;
}

bool IsOwnRace(const std::string& race, int ownerClass) {
  return !race.empty() && ownerClass < kNoRaceClass && race == kRaceNames[ownerClass];
}

int FactoryWeight(const GenFactoryType& f, int ownerClass, bool sunny) {
  const bool noRace = ownerClass == kNoRaceClass;
  switch (f.Special) {
    case kSpecialSolar:
      return sunny ? (ownerClass == kPiratesClass ? 4 : 8) : 1;
    case kSpecialOre:
      return noRace ? 8 : 4;
    case kSpecialSilicon:
      return noRace ? 6 : 3;
    default:
      break;
  }
  if (f.Race == kRaceNames[kPiratesClass]) return ownerClass == kPiratesClass ? 8 : 0;
  if (f.Race.empty()) return ownerClass == kPiratesClass ? 1 : 3;
  return IsOwnRace(f.Race, ownerClass) ? 6 : 1;
}

int ProductWeight(const GenProduct& p, int trader, int ownerClass) {
  const bool contraband = p.Race == kRaceNames[kPiratesClass];
  switch (trader) {
    case kTraderStation:
      if (p.Type == kProductGoods) return contraband ? 0 : (IsOwnRace(p.Race, ownerClass) ? 6 : 3);
      return p.Type == kProductUpgrade ? 1 : 0;
    case kTraderDock:
      if (p.Type == kProductUpgrade) return 4;
      return p.Type == kProductGoods && !contraband ? 1 : 0;
    case kTraderShipyard:
      if (p.Type == kProductShip) return IsOwnRace(p.Race, ownerClass) ? 5 : 2;
      return p.Type == kProductFactory ? 2 : 0;
    default:  // pirate base
      if (p.Type != kProductGoods) return 0;
      return contraband ? 8 : 1;
  }
}

// A count around `meanHundredths` / 100 (between half and one and a half
// times it), rounded at random so that the mean holds for small means too.
int DrawCount(long long meanHundredths, SplitMix64& random) {
  const long long c = meanHundredths * random.Between(50, 150) / 100;
  return static_cast<int>(c / 100) + (random.Below(100) < c % 100 ? 1 : 0);
}

}  // namespace

void PlaceFactories(GenUniverse& universe, const GeneratorOptions& options, SplitMix64& random) {
  universe.Factories.clear();
  if (options.factoriesPerSector <= 0 || universe.FactoryTypes.empty()) return;
  universe.Factories.reserve(universe.Sectors.size() * options.factoriesPerSector);

  // One table per owner and per sunny/dark sector.
  std::array<std::array<WeightedChoice, 2>, kOwnerClasses> choices;
  for (int owner = 0; owner < kOwnerClasses; ++owner)
    for (int sunny = 0; sunny < 2; ++sunny)
      for (int i = 0; i < static_cast<int>(universe.FactoryTypes.size()); ++i)
        choices[owner][sunny].Add(i, FactoryWeight(universe.FactoryTypes[i], owner, sunny != 0));

  for (const GenSector& sector : universe.Sectors) {
    const int owner = OwnerClass(sector.Race);
    const bool sunny = sector.Suns > 0 || sector.SolarCycle > 0;
    const WeightedChoice& choice = choices[owner][sunny ? 1 : 0];
    const int count = random.Below(2 * options.factoriesPerSector + 1);
    for (int k = 0; k < count && choice.Size() > 0; ++k) {
      const GenFactoryType& type = universe.FactoryTypes[choice.Draw(random)];
      GenPlacedFactory f;
      f.SectorId = sector.Id;
      f.FactoryId = type.Id;
      f.Your = random.Percent(3);
      if (type.Special == kSpecialOre || type.Special == kSpecialSilicon) {
        // Some asteroids are spent: their mines stand idle.
        f.Yield = random.Percent(6) ? 0 : random.Between(1, type.Special == kSpecialOre ? 30 : 18);
      }
      universe.Factories.push_back(f);
    }
  }
}

void FillTradeLists(GenUniverse& universe, const GeneratorOptions& options, SplitMix64& random) {
  universe.Trades.clear();
  long long stations = 0;
  for (const GenSector& s : universe.Sectors)
    stations += int(s.Trstation) + int(s.Shipyard) + int(s.Eqdock) + int(s.Pirate);
  if (options.tradesPerSector <= 0 || stations == 0) return;
  const long long target =
      static_cast<long long>(universe.Sectors.size()) * options.tradesPerSector;
  const long long meanHundredths = target * 100 / stations;
  universe.Trades.reserve(static_cast<size_t>(target + target / 4));

  std::array<std::array<WeightedChoice, kOwnerClasses>, 4> choices;
  for (int trader = 0; trader < 4; ++trader)
    for (int owner = 0; owner < kOwnerClasses; ++owner)
      for (int i = 0; i < static_cast<int>(universe.Products.size()); ++i)
        choices[trader][owner].Add(i, ProductWeight(universe.Products[i], trader, owner));

  std::vector<int> chosen;
  for (const GenSector& sector : universe.Sectors) {
    const int owner = OwnerClass(sector.Race);
    const bool has[4] = {sector.Trstation, sector.Shipyard, sector.Eqdock, sector.Pirate};
    for (int trader = 0; trader < 4; ++trader) {
      if (!has[trader]) continue;
      const WeightedChoice& choice = choices[trader][owner];
      const int count = std::min(DrawCount(meanHundredths, random), choice.Size());
      chosen.clear();
      // Drawing by weight without repeats; the attempt limit only matters when
      // a few heavy items crowd out the light ones.
      for (int attempts = 0; static_cast<int>(chosen.size()) < count && attempts < 20 * count;
           ++attempts) {
        const int item = choice.Draw(random);
        if (std::find(chosen.begin(), chosen.end(), item) == chosen.end()) chosen.push_back(item);
      }
      for (int item : chosen)
        universe.Trades.push_back({sector.Id, trader, universe.Products[item].Id});
    }
  }
}

}  // namespace qv
