#include "economy/SectorStat.h"

#include <algorithm>

namespace qv {

void TSectorStat::Add(int productId, int traders, int producers, int consumers, double prodRate,
                      double consRate) {
  if (TProductStat* stat = Find(productId)) {
    stat->TraderCount += traders;
    stat->ProducerCount += producers;
    stat->ConsumerCount += consumers;
    stat->ProdRate += prodRate;
    stat->ConsRate += consRate;
    return;
  }
  records_.push_back(TProductStat{productId, traders, producers, consumers, prodRate, consRate});
}

TProductStat* TSectorStat::Find(int productId) {
  const auto it =
      std::find_if(records_.begin(), records_.end(),
                   [productId](const TProductStat& s) { return s.ProductId == productId; });
  return it == records_.end() ? nullptr : &*it;
}

const TProductStat* TSectorStat::Find(int productId) const {
  return const_cast<TSectorStat*>(this)->Find(productId);
}

}  // namespace qv
