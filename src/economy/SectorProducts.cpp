#include "economy/SectorProducts.h"

#include <string>

#include "data/DataModule1.h"
#include "economy/SectorStat.h"
#include "economy/SectorStatistics.h"
#include "map/FormatStatValue.h"

namespace qv {

namespace {

std::string CountText(int count) {
  return count > 0 ? std::to_string(count) : std::string();
}

std::string RateText(double rate) {
  return rate > 0.0 ? FormatStatValue(rate, true) : std::string();
}

}  // namespace

TSectorProducts BuildSectorProducts(TDataModule1& store, int x, int y, bool rates) {
  TSectorProducts result;
  TSectorStat stat;
  result.found = CalcSectorStatistics(store, &stat, x, y, rates);
  if (!result.found || stat.Count() == 0) return result;
  store.FindSectorAt(x, y, &result.sectorName);

  // Rows follow the product types' current order ("Type;Name"), not the
  // order in which the products were found. A product whose type row is gone
  // has no name to show: its row stays empty, after the others.
  const Table& products = store.ProductsData;
  const TProductsFields& f = store.Fields().Products;
  const int productCount = products.RecordCount();
  for (int recNo = 1; recNo <= productCount && static_cast<int>(result.rows.size()) < stat.Count();
       ++recNo) {
    const Record product = products.RecordAt(recNo);
    TProductStat* s = stat.Find(f.Id.Of(product).ToInteger());
    if (s == nullptr) continue;
    std::vector<std::string> row{f.Name.Of(product).ToString(), CountText(s->TraderCount),
                                 CountText(s->ProducerCount), CountText(s->ConsumerCount)};
    if (rates) {
      // Traders count as consumers of what they deal in.
      const int mtime = f.Mtime.Of(product).ToInteger();
      if (s->TraderCount > 0 && mtime > 0)
        s->ConsRate += HourlyRate(f.Qty.Of(product).ToInteger(), mtime);
      row.push_back(RateText(s->ProdRate));
      row.push_back(RateText(s->ConsRate));
    }
    result.rows.push_back(std::move(row));
  }
  const std::size_t columns = rates ? 6 : 4;
  while (static_cast<int>(result.rows.size()) < stat.Count())
    result.rows.emplace_back(columns);
  return result;
}

}  // namespace qv
