#include "SectorLayout.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <string>
#include <vector>

namespace qv {
namespace {

// Directions in the order of the gate fields: north, south, west, east.
constexpr int kDx[4] = {0, 0, -1, 1};
constexpr int kDy[4] = {-1, 1, 0, 0};
constexpr int kOpposite[4] = {1, 0, 3, 2};
constexpr int kRaceCount = 6;  // kRaceNames without the pirates
constexpr int kPirates = 6;

// Sector index per grid cell (-1: empty).
class SectorGrid {
 public:
  SectorGrid(int width, int height)
      : width_(width), height_(height), cells_(static_cast<size_t>(width) * height, -1) {}

  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  int At(int x, int y) const { return Inside(x, y) ? cells_[Cell(x, y)] : -1; }
  void Set(int x, int y, int sector) { cells_[Cell(x, y)] = sector; }
  size_t Cell(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  int Neighbour(const GenSector& s, int dir) const { return At(s.X + kDx[dir], s.Y + kDy[dir]); }

 private:
  int width_;
  int height_;
  std::vector<int> cells_;
};

bool& Gate(GenSector& s, int dir) {
  switch (dir) {
    case 0:
      return s.NorthGate;
    case 1:
      return s.SouthGate;
    case 2:
      return s.WestGate;
    default:
      return s.EastGate;
  }
}

// Gates always come in pairs: a gate of one sector and the opposite gate of
// its neighbour.
void OpenGate(std::vector<GenSector>& sectors, const SectorGrid& grid, int sector, int dir) {
  const int other = grid.Neighbour(sectors[sector], dir);
  if (other < 0) return;
  Gate(sectors[sector], dir) = true;
  Gate(sectors[other], kOpposite[dir]) = true;
}

// Grows one connected region from the centre by adding random cells of its
// border, and joins every new sector to one older neighbour by a gate, so that
// the gates span the whole region.
void GrowRegion(std::vector<GenSector>& sectors, SectorGrid& grid, int count, SplitMix64 random) {
  std::vector<int> frontier;
  std::vector<char> queued(static_cast<size_t>(grid.Width()) * grid.Height(), 0);
  auto add = [&](int x, int y) {
    GenSector s;
    s.X = x;
    s.Y = y;
    grid.Set(x, y, static_cast<int>(sectors.size()));
    sectors.push_back(s);
    for (int dir = 0; dir < 4; ++dir) {
      const int nx = x + kDx[dir], ny = y + kDy[dir];
      if (!grid.Inside(nx, ny) || grid.At(nx, ny) >= 0 || queued[grid.Cell(nx, ny)]) continue;
      queued[grid.Cell(nx, ny)] = 1;
      frontier.push_back(static_cast<int>(grid.Cell(nx, ny)));
    }
  };
  add(grid.Width() / 2, grid.Height() / 2);
  while (static_cast<int>(sectors.size()) < count && !frontier.empty()) {
    const int pick = random.Below(static_cast<int>(frontier.size()));
    const int cell = frontier[pick];
    frontier[pick] = frontier.back();
    frontier.pop_back();
    const int x = cell % grid.Width(), y = cell / grid.Width();
    std::array<int, 4> links{};
    int linkCount = 0;
    for (int dir = 0; dir < 4; ++dir)
      if (grid.At(x + kDx[dir], y + kDy[dir]) >= 0) links[linkCount++] = dir;
    add(x, y);
    OpenGate(sectors, grid, static_cast<int>(sectors.size()) - 1, links[random.Below(linkCount)]);
  }
}

// A few more gates between neighbours, so that the network has loops.
void AddExtraGates(std::vector<GenSector>& sectors, const SectorGrid& grid, SplitMix64 random) {
  for (int i = 0; i < static_cast<int>(sectors.size()); ++i) {
    for (int dir : {1, 3}) {
      if (grid.Neighbour(sectors[i], dir) >= 0 && !Gate(sectors[i], dir) && random.Percent(30))
        OpenGate(sectors, grid, i, dir);
    }
  }
}

// Grid steps from the given sectors to every sector of the region.
std::vector<int> Distances(const std::vector<GenSector>& sectors, const SectorGrid& grid,
                           const std::vector<int>& sources) {
  std::vector<int> dist(sectors.size(), -1);
  std::vector<int> queue;
  queue.reserve(sectors.size());
  for (int s : sources) {
    dist[s] = 0;
    queue.push_back(s);
  }
  for (size_t head = 0; head < queue.size(); ++head) {
    const int s = queue[head];
    for (int dir = 0; dir < 4; ++dir) {
      const int t = grid.Neighbour(sectors[s], dir);
      if (t >= 0 && dist[t] < 0) {
        dist[t] = dist[s] + 1;
        queue.push_back(t);
      }
    }
  }
  return dist;
}

// Seeds far from one another: each next seed is the sector farthest from
// all seeds chosen so far.
std::vector<int> SpreadSeeds(const std::vector<GenSector>& sectors, const SectorGrid& grid,
                             int count, SplitMix64 random) {
  std::vector<int> seeds;
  const int n = static_cast<int>(sectors.size());
  if (count <= 0) return seeds;
  seeds.push_back(random.Below(n));
  std::vector<int> nearest = Distances(sectors, grid, {seeds[0]});
  while (static_cast<int>(seeds.size()) < count) {
    const int next =
        static_cast<int>(std::max_element(nearest.begin(), nearest.end()) - nearest.begin());
    seeds.push_back(next);
    const std::vector<int> d = Distances(sectors, grid, {next});
    for (int i = 0; i < n; ++i)
      nearest[i] = std::min(nearest[i], d[i]);
  }
  return seeds;
}

// Owner of every sector: claimant c < 7 is kRaceNames[c], later claimants
// are the no-race pockets. Every claimant grows from its seed over
// neighbouring cells, so each race holds one contiguous region; races grow
// fastest, pirates at half their pace, the no-race pockets slowest.
std::vector<int> ClaimRegions(const std::vector<GenSector>& sectors, const SectorGrid& grid,
                              const std::vector<int>& seeds, SplitMix64 random) {
  const int n = static_cast<int>(sectors.size());
  const int k = static_cast<int>(seeds.size());
  std::vector<int> owner(n, -1);
  std::vector<std::vector<int>> frontier(k);
  auto claim = [&](int c, int s) {
    owner[s] = c;
    for (int dir = 0; dir < 4; ++dir) {
      const int t = grid.Neighbour(sectors[s], dir);
      if (t >= 0 && owner[t] < 0) frontier[c].push_back(t);
    }
  };
  for (int c = 0; c < k; ++c)
    claim(c, seeds[c]);
  int claimed = k;
  bool grew = true;
  while (claimed < n && grew) {
    grew = false;
    for (int c = 0; c < k; ++c) {
      const int pace = c < kRaceCount ? 4 : (c == kPirates ? 2 : 1);
      for (int step = 0; step < pace; ++step) {
        while (!frontier[c].empty()) {
          const int pick = random.Below(static_cast<int>(frontier[c].size()));
          const int t = frontier[c][pick];
          frontier[c][pick] = frontier[c].back();
          frontier[c].pop_back();
          if (owner[t] >= 0) continue;
          claim(c, t);
          ++claimed;
          grew = true;
          break;
        }
      }
    }
  }
  return owner;
}

constexpr const char* kNameFirst[] = {
    "Amber",     "Cobalt",  "Silent",   "Crimson",   "Hollow",   "Iron",    "Veiled",   "Golden",
    "Shattered", "Distant", "Frozen",   "Burning",   "Ashen",    "Emerald", "Obsidian", "Pale",
    "Scarlet",   "Silver",  "Twilight", "Wandering", "Broken",   "Ancient", "Bright",   "Lonely",
    "Sapphire",  "Verdant", "Storm",    "Hidden",    "Drifting", "Radiant", "Sunken",   "Glass",
    "Velvet",    "Ember",   "Copper",   "Ivory",     "Jade",     "Onyx",    "Quiet",    "Wild"};
constexpr const char* kNameSecond[] = {
    "Reach",     "Expanse", "Drift",    "Gate",      "Haven",  "Rift",    "Deep",   "Frontier",
    "Hollows",   "Nebula",  "Crossing", "Veil",      "Shoals", "Belt",    "Cradle", "Spire",
    "Anchorage", "Verge",   "Basin",    "Maze",      "Orbit",  "Harbour", "Lanes",  "Wastes",
    "Corridor",  "Fields",  "Sanctum",  "Threshold", "Tides",  "Outpost"};

// Unique names: race homes are "<Race> Prime", the pirates' seed is their
// den, everything else draws word pairs in a shuffled order and numbers them
// once all pairs are used.
void NameSectors(std::vector<GenSector>& sectors, const std::vector<int>& seeds,
                 SplitMix64 random) {
  constexpr int firstCount = static_cast<int>(std::size(kNameFirst));
  constexpr int secondCount = static_cast<int>(std::size(kNameSecond));
  std::vector<int> pairs(firstCount * secondCount);
  std::iota(pairs.begin(), pairs.end(), 0);
  for (int i = static_cast<int>(pairs.size()) - 1; i > 0; --i)
    std::swap(pairs[i], pairs[random.Below(i + 1)]);

  std::vector<char> named(sectors.size(), 0);
  for (int c = 0; c < static_cast<int>(seeds.size()) && c <= kPirates; ++c) {
    sectors[seeds[c]].Name =
        c < kRaceCount ? std::string(kRaceNames[c]) + " Prime" : std::string("Corsair Den");
    named[seeds[c]] = 1;
  }
  size_t next = 0;
  for (size_t i = 0; i < sectors.size(); ++i) {
    if (named[i]) continue;
    const int pair = pairs[next % pairs.size()];
    const size_t round = next / pairs.size();
    ++next;
    std::string name =
        std::string(kNameFirst[pair / secondCount]) + " " + kNameSecond[pair % secondCount];
    if (round > 0) name += " " + std::to_string(round + 1);
    sectors[i].Name = std::move(name);
  }
}

// About a fifth of the sectors stay undiscovered, mostly near the edge of
// the region; the race homes are always known.
void HideSectors(std::vector<GenSector>& sectors, const SectorGrid& grid,
                 const std::vector<int>& seeds, SplitMix64 random) {
  const int n = static_cast<int>(sectors.size());
  std::vector<int> edge;
  for (int i = 0; i < n; ++i) {
    for (int dir = 0; dir < 4; ++dir) {
      if (grid.Neighbour(sectors[i], dir) < 0) {
        edge.push_back(i);
        break;
      }
    }
  }
  const std::vector<int> depth = Distances(sectors, grid, edge);
  std::vector<char> home(n, 0);
  for (int c = 0; c < static_cast<int>(seeds.size()) && c < kRaceCount; ++c)
    home[seeds[c]] = 1;
  std::vector<std::pair<int, int>> scored;  // score, sector
  for (int i = 0; i < n; ++i)
    if (!home[i]) scored.emplace_back(depth[i] * 3 + random.Below(4), i);
  std::sort(scored.begin(), scored.end());
  const int hidden = std::min(n / 5, static_cast<int>(scored.size()));
  for (int i = 0; i < hidden; ++i)
    sectors[scored[i].second].Visible = false;
}

int DrawSuns(SplitMix64& random) {
  constexpr int kWeights[] = {10, 25, 25, 15, 12, 7, 6};  // 0 to 6 suns, sums to 100
  int roll = random.Below(100);
  for (int suns = 0; suns < 7; ++suns) {
    if (roll < kWeights[suns]) return suns;
    roll -= kWeights[suns];
  }
  return 1;
}

// Label places other than the usual one below the square.
constexpr int kOtherNamePlaces[][2] = {{-1, -2}, {0, -2}, {1, -2}, {-1, 2}, {1, 2}, {-2, -1},
                                       {-2, 0},  {-2, 1}, {2, -1}, {2, 0},  {2, 1}};

void FurnishSector(GenSector& s, int claimant, bool isSeed, SplitMix64& random) {
  s.Suns = DrawSuns(random);
  if (random.Percent(5)) s.SolarCycle = random.Between(40, 110);
  if (!random.Percent(70)) {
    const auto& place =
        kOtherNamePlaces[random.Below(static_cast<int>(std::size(kOtherNamePlaces)))];
    s.NameDx = place[0];
    s.NameDy = place[1];
  }
  if (claimant < kRaceCount) {
    s.Trstation = isSeed || random.Percent(85);
    s.Shipyard = isSeed || random.Percent(18);
    s.Eqdock = isSeed || random.Percent(30);
    s.Pirate = !isSeed && random.Percent(3);
  } else if (claimant == kPirates) {
    s.Trstation = random.Percent(10);
    s.Shipyard = random.Percent(5);
    s.Eqdock = random.Percent(10);
    s.Pirate = isSeed || random.Percent(80);
  } else {
    s.Trstation = random.Percent(40);
    s.Eqdock = random.Percent(10);
    s.Pirate = random.Percent(15);
  }
}

}  // namespace

void BuildSectors(GenUniverse& universe, const GeneratorOptions& options, SplitMix64& random) {
  std::vector<GenSector>& sectors = universe.Sectors;
  sectors.clear();
  sectors.reserve(options.sectors);
  SectorGrid grid(options.width, options.height);
  GrowRegion(sectors, grid, options.sectors, random.Fork(1));
  AddExtraGates(sectors, grid, random.Fork(2));

  const int n = static_cast<int>(sectors.size());
  const int noRacePockets = n >= 40 ? 2 : 0;
  const std::vector<int> seeds =
      SpreadSeeds(sectors, grid, std::min(n, kPirates + 1 + noRacePockets), random.Fork(3));
  const std::vector<int> owner = ClaimRegions(sectors, grid, seeds, random.Fork(4));
  NameSectors(sectors, seeds, random.Fork(5));
  HideSectors(sectors, grid, seeds, random.Fork(6));

  std::vector<char> isSeed(n, 0);
  for (int s : seeds)
    isSeed[s] = 1;
  SplitMix64 details = random.Fork(7);
  for (int i = 0; i < n; ++i) {
    GenSector& s = sectors[i];
    s.Id = i + 1;
    const int claimant = owner[i] >= 0 ? owner[i] : kPirates + 1;
    s.Race = claimant <= kPirates ? kRaceNames[claimant] : "";
    FurnishSector(s, claimant, isSeed[i] != 0, details);
  }
}

}  // namespace qv
