#include "economy/ComplexCalculation.h"

#include <algorithm>
#include <charconv>
#include <exception>
#include <memory>
#include <optional>
#include <set>
#include <unordered_map>

#include "data/AtomicFile.h"

namespace qv {

namespace {

// C's "%9.2lf" without the locale: the trace always uses a point.
std::string Rate9(double value) {
  char buffer[400];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
  std::string text(buffer, result.ec == std::errc() ? result.ptr : buffer);
  if (text.size() < 9) text.insert(0, 9 - text.size(), ' ');
  return text;
}

// The trace file of one calculation, put in place when the calculation ends
// as every file the program writes is. A file that cannot be created or
// written leaves its reason and is written no further; the calculation goes
// on without it. A trace that reaches its size limit ends in whole lines
// with a line that says so.
class TraceWriter {
 public:
  TraceWriter(const std::string& path, std::size_t limit, std::string& error)
      : path_(path), limit_(limit), error_(error) {
    error_.clear();
    try {
      file_.emplace(path);
    } catch (const std::exception& failure) {
      Fail(failure);
    }
  }
  ~TraceWriter() {
    try {
      if (file_) file_->Commit();
    } catch (const std::exception& failure) {
      Fail(failure);
    }
  }

  // False once nothing more is written: the file failed or was cut.
  bool Open() const { return file_.has_value() && !cut_; }

  void Write(const std::string& text) {
    if (!Open()) return;
    std::string_view part = text;
    if (written_ + part.size() > limit_) {
      // The lines that still fit, then the closing line.
      const std::size_t room = limit_ - written_;
      const std::size_t end = part.substr(0, room).rfind("\r\n");
      part = end == std::string_view::npos ? std::string_view() : part.substr(0, end + 2);
      cut_ = true;
    }
    Append(part);
    if (cut_)
      Append("***** The trace was cut here: it reached its limit of " +
             std::to_string(limit_ / (1024 * 1024)) + " MB\r\n");
  }

  void Pass(int iteration, const TFactorySet& factories) {
    if (!Open()) return;
    std::string text = "\r\n\r\n***** Iteration " + std::to_string(iteration) + "\r\n";
    for (const TFactory& factory : factories.Factories()) {
      text += "Factory " + std::to_string(factory.RecId) + "\r\n";
      for (const TProduct& p : factory.Outputs)
        text += "  prod -      ir:" + Rate9(p.Rate) + "      er:" + Rate9(p.Demand) + "      - " +
                p.Name + "/" + std::to_string(p.Price) + "\r\n";
      for (const TProduct& r : factory.Inputs)
        text += "   res -      ir:" + Rate9(r.Rate) + "                        - " + r.Name + "/" +
                std::to_string(r.Price) + "\r\n";
      // A pass of a very large complex goes out in parts.
      if (text.size() > (1u << 20)) {
        Write(text);
        text.clear();
      }
    }
    Write(text);
  }

 private:
  void Append(std::string_view text) {
    try {
      if (file_ && !text.empty()) file_->Append(text);
      written_ += text.size();
    } catch (const std::exception& failure) {
      Fail(failure);
    }
  }
  // "<path>: <reason>", from the writer's "Cannot write file <path>: <reason>".
  void Fail(const std::exception& failure) {
    file_.reset();
    if (!error_.empty()) return;
    const std::string what = failure.what();
    const std::string::size_type at = what.find(path_ + ": ");
    error_ = at == std::string::npos ? path_ + ": " + what : what.substr(at);
  }
  std::string path_;
  std::size_t limit_;
  std::string& error_;
  std::optional<StagedFile> file_;
  std::size_t written_ = 0;
  bool cut_ = false;
};

// Every input and output of one product type in the complex, in scan order
// (factories in set order, products in list order), with the factory each
// belongs to, and what the passes need of them. Prices do not change during
// a calculation, so neither do the supplier counts nor the price levels.
struct ProductLinks {
  struct Entry {
    TProduct* product;
    int factory;  // index in set order
  };
  int productId = -1;
  std::vector<Entry> outputs;
  std::vector<Entry> inputs;
  std::vector<int> levels;        // the outputs' prices, each once, ascending
  std::vector<int> outputLevel;   // each output's level, -1 when it sums alone
  std::vector<bool> levelShared;  // a level that some output takes its sum from
  std::vector<double> shares;     // each input's rate per supplier, in this pass
  std::vector<double> levelSums;  // the shared sum of each level, in this pass
};

// What a calculation keeps between its passes: the links of every product
// type, and each factory's place in set order.
class Links {
 public:
  explicit Links(TFactorySet& set) {
    std::unordered_map<int, std::size_t> index;  // product -> place in products_
    const auto links = [&](int productId) -> ProductLinks& {
      const auto [at, fresh] = index.try_emplace(productId, products_.size());
      if (fresh) products_.emplace_back().productId = productId;
      return products_[at->second];
    };
    for (TFactory& factory : set.Factories()) {
      const int place = static_cast<int>(factories_.size());
      factories_.push_back(&factory);
      for (TProduct& p : factory.Outputs)
        links(p.ProductId).outputs.push_back({&p, place});
      for (TProduct& r : factory.Inputs)
        links(r.ProductId).inputs.push_back({&r, place});
    }
    for (ProductLinks& links : products_)
      Prepare(links);
  }

  // Every input's rate spread evenly over its suppliers as their demand.
  //
  // Each supplier adds up the shares of its consumers in scan order, so
  // that every sum comes out exactly as when each consumer hands its share
  // to each supplier in turn. The suppliers of one product at one price
  // share one sum, except those whose own factory needs the product at
  // that price or above: they leave out their own factory's shares.
  void SpreadDemand() {
    for (TFactory* factory : factories_)
      for (TProduct& p : factory->Outputs)
        p.Demand = 0;
    for (ProductLinks& links : products_) {
      if (links.inputs.empty() || links.outputs.empty()) continue;
      for (std::size_t i = 0; i < links.inputs.size(); ++i) {
        const TProduct& r = *links.inputs[i].product;
        links.shares[i] = r.SupplierCount > 0 ? r.Rate / static_cast<double>(r.SupplierCount) : 0;
      }
      for (std::size_t l = 0; l < links.levels.size(); ++l)
        if (links.levelShared[l]) links.levelSums[l] = Sum(links, links.levels[l], -1);
      for (std::size_t k = 0; k < links.outputs.size(); ++k) {
        const ProductLinks::Entry& q = links.outputs[k];
        const int level = links.outputLevel[k];
        q.product->Demand =
            level >= 0 ? links.levelSums[level] : Sum(links, q.product->Price, q.factory);
      }
    }
  }

  const std::vector<TFactory*>& Factories() const { return factories_; }

 private:
  // The suppliers of each input (every output of that product of every
  // other factory at a price not above the input's), and each output's
  // price level.
  void Prepare(ProductLinks& links) const {
    std::vector<int> prices;
    for (const ProductLinks::Entry& q : links.outputs)
      prices.push_back(q.product->Price);
    std::sort(prices.begin(), prices.end());
    for (const ProductLinks::Entry& r : links.inputs) {
      const int price = r.product->Price;
      int count =
          static_cast<int>(std::upper_bound(prices.begin(), prices.end(), price) - prices.begin());
      for (const TProduct& own : factories_[r.factory]->Outputs)
        if (own.ProductId == links.productId && own.Price <= price) --count;
      r.product->SupplierCount = count;
    }
    prices.erase(std::unique(prices.begin(), prices.end()), prices.end());
    links.levels = prices;
    links.levelShared.assign(prices.size(), false);
    for (const ProductLinks::Entry& q : links.outputs) {
      const int price = q.product->Price;
      int level = -1;
      if (!NeedsOwnProduct(*factories_[q.factory], links.productId, price)) {
        level = static_cast<int>(std::lower_bound(prices.begin(), prices.end(), price) -
                                 prices.begin());
        links.levelShared[level] = true;
      }
      links.outputLevel.push_back(level);
    }
    links.shares.assign(links.inputs.size(), 0.0);
    links.levelSums.assign(prices.size(), 0.0);
  }

  static bool NeedsOwnProduct(const TFactory& factory, int productId, int price) {
    for (const TProduct& r : factory.Inputs)
      if (r.ProductId == productId && r.Price >= price) return true;
    return false;
  }

  // The shares of the inputs that take an output at `price`, leaving out
  // those of the factory at place `skip`.
  static double Sum(const ProductLinks& links, int price, int skip) {
    double sum = 0;
    for (std::size_t i = 0; i < links.inputs.size(); ++i) {
      const ProductLinks::Entry& r = links.inputs[i];
      if (r.factory != skip && r.product->SupplierCount > 0 && r.product->Price >= price)
        sum += links.shares[i];
    }
    return sum;
  }

  std::vector<TFactory*> factories_;
  std::vector<ProductLinks> products_;
};

void ComputeFullRates(TFactorySet& set, int powerCycle, bool& noExport) {
  for (TFactory& factory : set.Factories()) {
    factory.ComputeCycle(powerCycle);
    if (factory.AllowNPS) noExport = false;
    const double cycle = factory.Cycle;
    const auto fullRate = [cycle](int qty) { return cycle > 0 ? qty * 3600.0 / cycle : 0.0; };
    double income = 0;
    double cost = 0;
    for (TProduct& p : factory.Outputs) {
      p.FullRate = p.Rate = fullRate(p.Qty);
      income += static_cast<double>(p.Price) * p.Qty;
    }
    for (TProduct& r : factory.Inputs) {
      r.FullRate = r.Rate = fullRate(r.Qty);
      cost += static_cast<double>(r.Price) * r.Qty;
    }
    factory.MaxProfit = cycle > 0 ? (income - cost) * 3600.0 / cycle : 0.0;
  }
}

// Slows one factory that may not sell outside down to what the complex takes
// of its first over-produced output; true when it changed.
bool Throttle(TFactory& factory, TraceWriter* trace) {
  for (TProduct& p : factory.Outputs) {
    if (!(p.Rate > p.Demand)) continue;
    if (trace)
      trace->Write("***** Correction: factory " + std::to_string(factory.RecId) + ", product " +
                   p.Name + "\r\n");
    if (p.Demand == 0) {
      for (std::list<TProduct>* list : {&factory.Outputs, &factory.Inputs})
        for (TProduct& product : *list)
          product.Rate = 0;
      return true;
    }
    // An output without a positive quantity cannot set a pace; the next
    // output may.
    if (p.Qty <= 0) continue;
    const double cyclesPerHour = p.Demand / p.Qty;
    p.Rate = p.Demand;
    for (TProduct& other : factory.Outputs)
      if (&other != &p) other.Rate = other.Qty * cyclesPerHour;
    for (TProduct& r : factory.Inputs)
      r.Rate = r.Qty * cyclesPerHour;
    return true;
  }
  return false;
}

// The factories throttled in the last `passes` changing passes, and what
// they pass among themselves (an output of one that feeds another).
TUnsettled FindUnsettled(const std::vector<TFactory*>& factories,
                         const std::vector<int>& lastChange, int iterationCount, int passes) {
  TUnsettled unsettled;
  std::vector<const TFactory*> changing;
  // product -> the changing factories that make it, with their price
  std::unordered_map<int, std::vector<std::pair<const TFactory*, int>>> makers;
  for (std::size_t i = 0; i < factories.size(); ++i) {
    if (lastChange[i] < 0 || lastChange[i] < iterationCount - passes) continue;
    const TFactory* factory = factories[i];
    changing.push_back(factory);
    unsettled.RecIds.push_back(factory->RecId);
    unsettled.Names.push_back(factory->Name.empty() ? "#" + std::to_string(factory->RecId)
                                                    : factory->Name);
    for (const TProduct& q : factory->Outputs)
      makers[q.ProductId].emplace_back(factory, q.Price);
  }
  std::set<std::string> products;
  for (const TFactory* consumer : changing) {
    for (const TProduct& r : consumer->Inputs) {
      const auto found = makers.find(r.ProductId);
      if (found == makers.end() || products.count(r.Name)) continue;
      for (const auto& [supplier, price] : found->second) {
        if (supplier != consumer && price <= r.Price) {
          products.insert(r.Name);
          break;
        }
      }
    }
  }
  if (products.empty())
    for (const TFactory* factory : changing)
      for (const TProduct& p : factory->Outputs)
        products.insert(p.Name);
  unsettled.Products.assign(products.begin(), products.end());
  return unsettled;
}

}  // namespace

void TComplexCalculation::CalculateRates(int powerCycle) {
  IterationCount = 0;
  NoExport = true;
  Unsettled = {};
  std::unique_ptr<TraceWriter> trace;
  if (TraceOn)
    trace = std::make_unique<TraceWriter>(TracePath, TraceLimit, TraceError);
  else
    TraceError.clear();

  ComputeFullRates(Factories, powerCycle, NoExport);
  Links links(Factories);
  const std::vector<TFactory*>& factories = links.Factories();
  std::vector<int> lastChange(factories.size(), -1);  // the pass that last throttled it
  for (;;) {
    links.SpreadDemand();
    if (trace) trace->Pass(IterationCount, Factories);
    if (NoExport) break;
    bool changed = false;
    for (std::size_t i = 0; i < factories.size(); ++i) {
      if (factories[i]->AllowNPS || !Throttle(*factories[i], trace.get())) continue;
      changed = true;
      lastChange[i] = IterationCount;
    }
    if (changed) ++IterationCount;
    if (IterationCount > MaxIterations || !changed) break;
  }
  if (PassLimitReached())
    Unsettled = FindUnsettled(factories, lastChange, IterationCount, kUnsettledPasses);
}

}  // namespace qv
