#pragma once

#include <vector>

namespace qv {

// What one sector does with one product.
struct TProductStat {
  int ProductId = 0;
  int TraderCount = 0;    // trader rows of the sector for the product
  int ProducerCount = 0;  // recipe rows that make it, over the sector's factories
  int ConsumerCount = 0;  // recipe rows that need it
  double ProdRate = 0.0;  // units per hour made
  double ConsRate = 0.0;  // units per hour needed
};

// The products of one sector, newest first: a product seen again adds to its
// record, a new one goes to the head of the list.
class TSectorStat {
 public:
  void Clear() { records_.clear(); }
  void Add(int productId, int traders, int producers, int consumers, double prodRate,
           double consRate);
  int Count() const { return static_cast<int>(records_.size()); }
  TProductStat* Find(int productId);
  const TProductStat* Find(int productId) const;

  // Iteration in list order (newest first). Records are kept oldest first so
  // that adding is cheap; the iterators turn that round.
  auto begin() { return records_.rbegin(); }
  auto end() { return records_.rend(); }
  auto begin() const { return records_.crbegin(); }
  auto end() const { return records_.crend(); }

 private:
  std::vector<TProductStat> records_;
};

}  // namespace qv
