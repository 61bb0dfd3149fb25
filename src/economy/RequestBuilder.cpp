#include "economy/RequestBuilder.h"

#include "data/DataModule1.h"
#include "settings/MainWindowSettings.h"

namespace qv {

namespace {

constexpr int kRoleNone = 2;

// Product Id and looked-up name of slot k (1..6) of the request row; 0 and
// the empty text when the table has no row.
struct SlotProduct {
  int id = 0;
  std::string name;
};

SlotProduct ReadSlot(TDataModule1& store, int slot) {
  if (store.AuxRequestData.IsEmpty()) return {};
  const TAuxRequestFields& f = store.Fields().AuxRequest;
  const auto at = static_cast<std::size_t>(slot - 1);
  return {f.Prod.at(at)->AsInteger(), f.ProdName.at(at)->AsString()};
}

}  // namespace

TRequestData BuildProcessRequest(TDataModule1& store, const TRequestSettings& settings) {
  TRequestData request;
  if (settings.SimpleRequest) {
    const SlotProduct product = ReadSlot(store, 1);
    request.Count = 2;
    for (int i = 0; i < 2; ++i) {
      request.ProductId[i] = product.id;
      request.ProductName[i] = product.name;
      request.Operation[i] = i;
    }
    request.Color[0] = settings.ProdColor;
    request.Color[1] = settings.DemandColor;
    request.IndividualScale = settings.SimpleIndividualScale;
  } else {
    for (int slot = 0; slot < TRequestData::kMaxProducts; ++slot) {
      const int role = settings.ReqOp[slot];
      if (role == kRoleNone) continue;
      const SlotProduct product = ReadSlot(store, slot + 1);
      const int i = request.Count++;
      request.ProductId[i] = product.id;
      request.ProductName[i] = product.name;
      request.Operation[i] = role;
      request.Color[i] = settings.ReqColor[slot];
    }
    request.IndividualScale = settings.CustomIndividualScale;
  }
  request.Traders = AsCode<TradersMode>(settings.Traders);
  request.CountYour = settings.CountYourFactories;
  request.Rates = settings.ShowRates;
  return request;
}

std::optional<TRequestData> BuildNamedRequest(TDataModule1& store, const TRequestSettings& settings,
                                              const TNamedRequest& named, std::string& error) {
  const int count = static_cast<int>(named.products.size());
  if (count < 1 || count > TRequestData::kMaxProducts) {
    error = "A request names 1 to 6 products";
    return std::nullopt;
  }
  if (named.traders < CodeOf(TradersMode::Ignore) ||
      named.traders > CodeOf(TradersMode::AddToBoth)) {
    error = "Traders mode must be 0 to 3";
    return std::nullopt;
  }
  const TProductsFields& f = store.Fields().Products;
  const std::vector<Record> rows = store.ProductsData.AllRecords();

  TRequestData request;
  for (int i = 0; i < count; ++i) {
    const TNamedRequestProduct& wanted = named.products[i];
    if (wanted.operation != CodeOf(Operation::Produces) &&
        wanted.operation != CodeOf(Operation::Needs)) {
      error = "Unknown role for product \"" + wanted.name + "\"";
      return std::nullopt;
    }
    // Exact comparison: the index order would also accept another case.
    const Record* match = nullptr;
    for (const Record& row : rows) {
      if (f.Name.Of(row).ToString() == wanted.name) {
        match = &row;
        break;
      }
    }
    if (match == nullptr) {
      error = "Unknown product \"" + wanted.name + "\"";
      return std::nullopt;
    }
    request.ProductId[i] = f.Id.Of(*match).ToInteger();
    request.ProductName[i] = wanted.name;
    request.Operation[i] = wanted.operation;
    request.Color[i] = settings.ReqColor[i];
  }
  request.Count = count;
  request.Traders = AsCode<TradersMode>(named.traders);
  request.CountYour = named.countYour;
  request.Rates = named.rates;
  request.IndividualScale = named.individualScale;
  return request;
}

}  // namespace qv
