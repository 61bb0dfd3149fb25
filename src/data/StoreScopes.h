#pragma once

namespace qv {

class TDataModule1;

// What the objects window is showing, for as long as it shows it: the
// record filters of the placed factories and the traders (when switched on)
// show that sector's rows, the traders those of one kind of station, and
// rows posted to either table belong to that sector (and kind). The filters
// keep showing the sector after the scope ends; posted rows are no longer
// moved into it.
class TOpenSector {
 public:
  ~TOpenSector();
  TOpenSector(TOpenSector&& other) noexcept;
  TOpenSector(const TOpenSector&) = delete;
  TOpenSector& operator=(const TOpenSector&) = delete;
  TOpenSector& operator=(TOpenSector&&) = delete;

  // The kind of station whose goods the traders' filter shows and new rows get.
  void ShowTrader(int trader);

 private:
  friend class TDataModule1;
  TOpenSector(TDataModule1& store, int sectorId, int trader);
  TDataModule1* store_;
};

// While the factory types window shows the recipes of the type the types
// table stands on: a new recipe row belongs to that type.
class TOpenRecipes {
 public:
  ~TOpenRecipes();
  TOpenRecipes(TOpenRecipes&& other) noexcept;
  TOpenRecipes(const TOpenRecipes&) = delete;
  TOpenRecipes& operator=(const TOpenRecipes&) = delete;
  TOpenRecipes& operator=(TOpenRecipes&&) = delete;

 private:
  friend class TDataModule1;
  explicit TOpenRecipes(TDataModule1& store);
  TDataModule1* store_;
};

// Keeps the views of the six universe tables quiet for a scope, so that
// grids and the map do not follow every step of a long walk.
class TQuietViews {
 public:
  explicit TQuietViews(TDataModule1& store);
  ~TQuietViews();
  TQuietViews(const TQuietViews&) = delete;
  TQuietViews& operator=(const TQuietViews&) = delete;

 private:
  TDataModule1& store_;
};

}  // namespace qv
