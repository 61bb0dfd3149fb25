#include "economy/ComplexCalculation.h"

#include <charconv>
#include <exception>
#include <memory>
#include <optional>

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
// on without it.
class TraceWriter {
 public:
  TraceWriter(const std::string& path, std::string& error) : path_(path), error_(error) {
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

  void Write(const std::string& text) {
    try {
      if (file_) file_->Append(text);
    } catch (const std::exception& failure) {
      Fail(failure);
    }
  }

  void Pass(int iteration, const TFactorySet& factories) {
    std::string text = "\r\n\r\n***** Iteration " + std::to_string(iteration) + "\r\n";
    for (const TFactory& factory : factories.Factories()) {
      text += "Factory " + std::to_string(factory.RecId) + "\r\n";
      for (const TProduct& p : factory.Outputs)
        text += "  prod -      ir:" + Rate9(p.Rate) + "      er:" + Rate9(p.Demand) + "      - " +
                p.Name + "/" + std::to_string(p.Price) + "\r\n";
      for (const TProduct& r : factory.Inputs)
        text += "   res -      ir:" + Rate9(r.Rate) + "                        - " + r.Name + "/" +
                std::to_string(r.Price) + "\r\n";
    }
    Write(text);
  }

 private:
  // "<path>: <reason>", from the writer's "Cannot write file <path>: <reason>".
  void Fail(const std::exception& failure) {
    file_.reset();
    if (!error_.empty()) return;
    const std::string what = failure.what();
    const std::string::size_type at = what.find(path_ + ": ");
    error_ = at == std::string::npos ? path_ + ": " + what : what.substr(at);
  }
  std::string path_;
  std::string& error_;
  std::optional<StagedFile> file_;
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
      r.Suppliers.clear();
      for (TFactory& other : set.Factories()) {
        if (&other == &factory) continue;
        for (TProduct& q : other.Outputs)
          if (q.ProductId == r.ProductId && q.Price <= r.Price) r.Suppliers.push_back(&q);
      }
    }
    factory.MaxProfit = cycle > 0 ? (income - cost) * 3600.0 / cycle : 0.0;
  }
}

void SpreadDemand(TFactorySet& set) {
  for (TFactory& factory : set.Factories())
    for (TProduct& p : factory.Outputs)
      p.Demand = 0;
  for (TFactory& factory : set.Factories()) {
    for (const TProduct& r : factory.Inputs) {
      if (r.Suppliers.empty()) continue;
      const double share = r.Rate / static_cast<double>(r.Suppliers.size());
      for (TProduct* supplier : r.Suppliers)
        supplier->Demand += share;
    }
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

}  // namespace

void TComplexCalculation::CalculateRates(int powerCycle) {
  IterationCount = 0;
  NoExport = true;
  std::unique_ptr<TraceWriter> trace;
  if (TraceOn)
    trace = std::make_unique<TraceWriter>(TracePath, TraceError);
  else
    TraceError.clear();

  ComputeFullRates(Factories, powerCycle, NoExport);
  for (;;) {
    SpreadDemand(Factories);
    if (trace) trace->Pass(IterationCount, Factories);
    if (NoExport) break;
    bool changed = false;
    for (TFactory& factory : Factories.Factories())
      if (!factory.AllowNPS && Throttle(factory, trace.get())) changed = true;
    if (changed) ++IterationCount;
    if (IterationCount > MaxIterations || !changed) break;
  }
}

}  // namespace qv
