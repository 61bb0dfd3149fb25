#include "data/StoreScopes.h"

#include <utility>

#include "data/DataModule1.h"

namespace qv {

TOpenSector TDataModule1::OpenSector(int sectorId, int trader) {
  return TOpenSector(*this, sectorId, trader);
}

TOpenRecipes TDataModule1::OpenRecipes() {
  return TOpenRecipes(*this);
}

TOpenSector::TOpenSector(TDataModule1& store, int sectorId, int trader) : store_(&store) {
  store.open_.sectorId = sectorId;
  store.open_.trader = trader;
  store.open_.sectorLinked = true;
}

TOpenSector::TOpenSector(TOpenSector&& other) noexcept
    : store_(std::exchange(other.store_, nullptr)) {}

TOpenSector::~TOpenSector() {
  if (store_) store_->open_.sectorLinked = false;
}

void TOpenSector::ShowTrader(int trader) {
  if (store_) store_->open_.trader = trader;
}

TOpenRecipes::TOpenRecipes(TDataModule1& store) : store_(&store) {
  store.open_.recipesLinked = true;
}

TOpenRecipes::TOpenRecipes(TOpenRecipes&& other) noexcept
    : store_(std::exchange(other.store_, nullptr)) {}

TOpenRecipes::~TOpenRecipes() {
  if (store_) store_->open_.recipesLinked = false;
}

TQuietViews::TQuietViews(TDataModule1& store) : store_(store) {
  store_.SuspendViews();
}

TQuietViews::~TQuietViews() {
  store_.ResumeViews();
}

}  // namespace qv
