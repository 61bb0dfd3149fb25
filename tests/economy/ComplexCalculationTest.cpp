#include "economy/ComplexCalculation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <map>

#include "economy/ComplexResults.h"
#include "economy/ComplexTables.h"
#include "generator/SplitMix64.h"
#include "support/TempDir.h"

namespace {

using qv::TComplexCalculation;
using qv::TComplexResults;
using qv::TFactory;
using Row = std::array<std::string, 6>;

// Product ids of the examples.
constexpr int X = 1, Y = 2, Z = 3;

// Builds complexes by hand: each factory runs a 600 s cycle unless told
// otherwise; products are given in recipe order.
class ComplexTest : public ::testing::Test {
 protected:
  struct Item {
    int id;
    const char* name;
    int qty;
    int price;
  };

  TFactory& Factory(int recId, bool nps, std::initializer_list<Item> outputs,
                    std::initializer_list<Item> inputs, int mtime = 600) {
    TFactory& f = calc.Factories.AddFactory(recId);
    f.AllowNPS = nps;
    f.Mtime = mtime;
    for (const auto& [list, isOutput] : {std::pair{outputs, true}, std::pair{inputs, false}}) {
      for (const Item& item : list) {
        qv::TProduct& p = f.AddProduct(isOutput);
        p.ProductId = item.id;
        p.Name = item.name;
        p.Qty = item.qty;
        p.Price = item.price;
      }
    }
    return f;
  }

  TComplexResults Results(int currentRecId = 0) {
    return qv::UpdateResults(calc, 90, currentRecId, texts);
  }

  TComplexCalculation calc;
  qv::TComplexTexts texts;
};

TEST_F(ComplexTest, WorkedExampleThrottlesTheSupplierToTheConsumersNeed) {
  TFactory& b = Factory(2, false, {{Y, "Y", 30, 25}}, {});
  TFactory& a = Factory(1, true, {{X, "X", 10, 100}}, {{Y, "Y", 20, 30}});
  const TComplexResults r = Results(1);
  EXPECT_EQ(r.Rows, (std::vector<Row>{{"X", "100", "60", "-", "Pure export", "+6000"},
                                      {"Y", "25", "120", "120", "Equal, spare 60", ""}}));
  EXPECT_EQ(r.ProfitText, "6000");
  EXPECT_EQ(r.MessageText, "");
  EXPECT_DOUBLE_EQ(a.MaxProfit, 2400);
  EXPECT_DOUBLE_EQ(b.MaxProfit, 4500);
  EXPECT_EQ(r.CurrentMaxProfitText, "2400");
  EXPECT_DOUBLE_EQ(r.FrameCycle, 600);
  EXPECT_EQ(calc.IterationCount, 1);  // one throttling pass, then a quiet one
}

TEST_F(ComplexTest, AFactoryNobodyNeedsStopsAndShowsItsWholeCapacityAsSpare) {
  Factory(2, false, {{Z, "Z", 10, 5}}, {{Y, "Y", 4, 1}});
  Factory(1, true, {{X, "X", 10, 100}}, {});
  const TComplexResults r = Results(7);
  EXPECT_EQ(r.Rows, (std::vector<Row>{{"X", "100", "60", "-", "Pure export", "+6000"},
                                      {"Y", "1", "-", "-", "", ""},
                                      {"Z", "5", "-", "-", "Spare 60", ""}}));
  EXPECT_EQ(r.CurrentMaxProfitText, "");
  EXPECT_DOUBLE_EQ(r.FrameCycle, -1);
}

TEST_F(ComplexTest, TwoSuppliersSplitTheDemandWhateverTheirCapacity) {
  Factory(3, false, {{Y, "Y", 30, 28}}, {});  // 180/h
  Factory(2, false, {{Y, "Y", 6, 25}}, {});   // 36/h, given 60
  Factory(1, true, {{X, "X", 10, 100}}, {{Y, "Y", 20, 30}});
  const TComplexResults r = Results();
  EXPECT_EQ(r.Rows, (std::vector<Row>{{"X", "100", "60", "-", "Pure export", "+6000"},
                                      {"Y", "25", "36.0", "60", "Import 24.0", "-600"},
                                      {"Y", "28", "60", "60", "Equal, spare 120", ""}}));
  EXPECT_EQ(r.ProfitText, "5400");
}

TEST_F(ComplexTest, SamePriceMergesRowsAndADearerSupplierIsNoSupplier) {
  Factory(4, true, {{Y, "Y", 10, 30}}, {});  // merges with factory 3's Y
  Factory(3, true, {{Y, "Y", 10, 30}}, {});
  Factory(2, false, {{Y, "Y", 30, 35}}, {});  // dearer than the consumer pays
  Factory(1, true, {{X, "X", 10, 100}}, {{Y, "Y", 20, 30}});
  const TComplexResults r = Results();
  // The consumer's 120/h go half to each cheap supplier; they export nothing.
  EXPECT_EQ(r.Rows, (std::vector<Row>{{"X", "100", "60", "-", "Pure export", "+6000"},
                                      {"Y", "30", "120", "120", "Equal", ""},
                                      {"Y", "35", "-", "-", "Spare 180", ""}}));

  calc.Factories.RemoveFactory(4);
  calc.Factories.RemoveFactory(3);
  const TComplexResults alone = Results();
  EXPECT_EQ(alone.Rows[1], (Row{"Y", "30", "-", "120", "Pure import", "-3600"}));
  EXPECT_EQ(alone.ProfitText, "2400");
}

TEST_F(ComplexTest, WithoutExportNothingIsThrottledAndTheProfitIsUnknown) {
  Factory(2, false, {{Y, "Y", 30, 25}}, {});
  Factory(1, false, {{X, "X", 10, 100}}, {{Y, "Y", 20, 30}});
  const TComplexResults r = Results();
  EXPECT_EQ(r.Rows,
            (std::vector<Row>{{"X", "100", "60", "-", "", ""}, {"Y", "25", "180", "120", "", ""}}));
  EXPECT_EQ(r.ProfitText, "?");
  EXPECT_EQ(r.MessageText, "(all factories will stop since neither of them exports goods)");
}

TEST_F(ComplexTest, ARingThatKeepsShrinkingHitsThePassLimitAndSaysWhoKeepsChanging) {
  // Each ring factory needs 99 of what the other makes 100 of: every pass
  // slows both by a hundredth, without end.
  Factory(3, false, {{Y, "Y", 100, 1}}, {{Z, "Z", 99, 1}});
  Factory(2, false, {{Z, "Z", 100, 1}}, {{Y, "Y", 99, 1}});
  Factory(1, true, {{X, "X", 1, 100}}, {});
  const TComplexResults r = Results();
  EXPECT_EQ(calc.IterationCount, calc.MaxIterations + 1);
  // Factories without a type name go by their RecId; the exporter settled.
  EXPECT_EQ(r.MessageText, "Does not settle: #2 \u21c4 #3 over Y, Z");
  EXPECT_EQ(r.Unsettled.RecIds, (std::vector<int>{2, 3}));
  EXPECT_EQ(r.ProfitText, "600 ?");

  // Named factories, two of one type: each name once, in set order.
  calc.Factories.FindFactory(2)->Name = "Crystal Fab";
  calc.Factories.FindFactory(3)->Name = "Solar Plant";
  Factory(4, false, {{Z, "Z", 100, 1}}, {{Y, "Y", 99, 1}}).Name = "Crystal Fab";
  const TComplexResults named = Results();
  EXPECT_EQ(named.MessageText, "Does not settle: Crystal Fab \u21c4 Solar Plant over Y, Z");
  EXPECT_EQ(named.Unsettled.Names,
            (std::vector<std::string>{"Crystal Fab", "Crystal Fab", "Solar Plant"}));

  // A complex that settles names nobody.
  calc.Factories.ClearFactories();
  Factory(1, true, {{X, "X", 1, 100}}, {});
  EXPECT_TRUE(Results().Unsettled.RecIds.empty());
}

TEST_F(ComplexTest, AnEmptyComplexLeavesNothingOfAnEarlierOne) {
  Factory(1, true, {{X, "X", 10, 100}}, {});
  EXPECT_EQ(Results().ProfitText, "6000");
  calc.Factories.ClearFactories();
  const TComplexResults r = Results();
  EXPECT_TRUE(r.Rows.empty());
  EXPECT_EQ(r.ProfitText, "");
  EXPECT_EQ(r.MessageText, "");
}

TEST_F(ComplexTest, ACycleOfZeroGivesNoRatesInsteadOfDividingByZero) {
  TFactory& mine = Factory(1, true, {{X, "X", 10, 100}}, {});
  mine.Special = qv::Special::OreMine;  // a mine without yield
  Results();
  EXPECT_EQ(mine.Cycle, 0);
  EXPECT_EQ(mine.MaxProfit, 0);
  EXPECT_EQ(mine.Outputs.front().FullRate, 0);
}

TEST_F(ComplexTest, TraceWritesEveryPassAndCorrectionByteForByte) {
  qvtest::TempDir dir;
  Factory(2, false, {{Y, "Y", 30, 25}}, {});
  Factory(1, true, {{X, "X", 10, 100}}, {{Y, "Y", 20, 30}});
  calc.TraceOn = true;
  calc.TracePath = dir.File("trace.txt");
  EXPECT_EQ(Results().TraceError, "");
  const std::string pass0 =
      "\r\n\r\n***** Iteration 0\r\n"
      "Factory 1\r\n"
      "  prod -      ir:    60.00      er:     0.00      - X/100\r\n"
      "   res -      ir:   120.00                        - Y/30\r\n"
      "Factory 2\r\n"
      "  prod -      ir:   180.00      er:   120.00      - Y/25\r\n";
  const std::string pass1 =
      "\r\n\r\n***** Iteration 1\r\n"
      "Factory 1\r\n"
      "  prod -      ir:    60.00      er:     0.00      - X/100\r\n"
      "   res -      ir:   120.00                        - Y/30\r\n"
      "Factory 2\r\n"
      "  prod -      ir:   120.00      er:   120.00      - Y/25\r\n";
  EXPECT_EQ(dir.Read("trace.txt"), pass0 + "***** Correction: factory 2, product Y\r\n" + pass1);

  calc.TracePath = dir.File("missing/trace.txt");
  const TComplexResults r = Results();
  EXPECT_EQ(r.TraceError.rfind(calc.TracePath + ": ", 0), 0u) << r.TraceError;
  EXPECT_EQ(r.ProfitText, "6000");  // the results are shown all the same
}

// A long trace ends in whole lines and a last line that says it was cut.
TEST_F(ComplexTest, TraceIsCutAtItsLimit) {
  qvtest::TempDir dir;
  Factory(3, false, {{Y, "Y", 100, 1}}, {{Z, "Z", 99, 1}});
  Factory(2, false, {{Z, "Z", 100, 1}}, {{Y, "Y", 99, 1}});
  Factory(1, true, {{X, "X", 1, 100}}, {});
  calc.TraceOn = true;
  calc.TracePath = dir.File("trace.txt");
  calc.MaxIterations = 5;
  Results();
  const std::string whole = dir.Read("trace.txt");
  ASSERT_GT(whole.size(), 1500u);

  calc.TraceLimit = 1000;
  calc.MaxIterations = 10000;  // the cut trace costs nothing more after its limit
  const TComplexResults r = Results();
  EXPECT_EQ(r.TraceError, "");
  EXPECT_EQ(r.ProfitText, "600 ?");
  const std::string cut = dir.Read("trace.txt");
  const std::string last = "***** The trace was cut here: it reached its limit of 0 MB\r\n";
  ASSERT_GE(cut.size(), last.size());
  const std::string kept = cut.substr(0, cut.size() - last.size());
  EXPECT_EQ(cut.substr(kept.size()), last);
  EXPECT_LE(kept.size(), 1000u);
  EXPECT_GT(kept.size(), 900u);  // as many whole lines as fit
  EXPECT_EQ(whole.substr(0, kept.size()), kept);
  EXPECT_EQ(kept.substr(kept.size() - 2), "\r\n");
}

// The factory set finds a factory by its RecId; when two share one, the
// newer is found first, and the older once the newer is gone.
TEST(FactorySetTest, FindsTheFirstFactoryOfARecIdAfterAnyChange) {
  qv::TFactorySet set;
  set.AddFactory(5).Mtime = 1;
  set.AddFactory(6);
  set.AddFactory(5).Mtime = 2;
  EXPECT_EQ(set.FindFactory(5)->Mtime, 2);
  set.RemoveFactory(5);
  ASSERT_NE(set.FindFactory(5), nullptr);
  EXPECT_EQ(set.FindFactory(5)->Mtime, 1);
  set.RemoveFactory(5);
  EXPECT_EQ(set.FindFactory(5), nullptr);
  EXPECT_EQ(set.FindFactory(6)->RecId, 6);
  set.ClearFactories();
  EXPECT_EQ(set.FindFactory(6), nullptr);
}

// The calculation as first written: every input's suppliers found by a
// scan of all other factories, and each input's share handed to each of
// them in turn. The product links must give the very same numbers.
class ScanCalculation {
 public:
  void Run(qv::TFactorySet& set, int powerCycle, int maxIterations) {
    iterations = 0;
    noExport = true;
    suppliers.clear();
    for (TFactory& f : set.Factories()) {
      f.ComputeCycle(powerCycle);
      if (f.AllowNPS) noExport = false;
      for (auto* list : {&f.Outputs, &f.Inputs})
        for (qv::TProduct& p : *list)
          p.FullRate = p.Rate = f.Cycle > 0 ? p.Qty * 3600.0 / f.Cycle : 0.0;
      for (qv::TProduct& r : f.Inputs)
        for (TFactory& g : set.Factories())
          if (&g != &f)
            for (qv::TProduct& q : g.Outputs)
              if (q.ProductId == r.ProductId && q.Price <= r.Price) suppliers[&r].push_back(&q);
    }
    for (;;) {
      for (TFactory& f : set.Factories())
        for (qv::TProduct& p : f.Outputs)
          p.Demand = 0;
      for (TFactory& f : set.Factories())
        for (qv::TProduct& r : f.Inputs)
          for (qv::TProduct* q : suppliers[&r])
            q->Demand += r.Rate / static_cast<double>(suppliers[&r].size());
      if (noExport) break;
      bool changed = false;
      for (TFactory& f : set.Factories())
        if (!f.AllowNPS && Throttle(f)) changed = true;
      if (changed) ++iterations;
      if (iterations > maxIterations || !changed) break;
    }
  }

  int iterations = 0;
  bool noExport = true;
  std::map<const qv::TProduct*, std::vector<qv::TProduct*>> suppliers;

 private:
  static bool Throttle(TFactory& f) {
    for (qv::TProduct& p : f.Outputs) {
      if (!(p.Rate > p.Demand)) continue;
      if (p.Demand == 0) {
        for (auto* list : {&f.Outputs, &f.Inputs})
          for (qv::TProduct& q : *list)
            q.Rate = 0;
        return true;
      }
      if (p.Qty <= 0) continue;
      const double perHour = p.Demand / p.Qty;
      p.Rate = p.Demand;
      for (qv::TProduct& o : f.Outputs)
        if (&o != &p) o.Rate = o.Qty * perHour;
      for (qv::TProduct& r : f.Inputs)
        r.Rate = r.Qty * perHour;
      return true;
    }
    return false;
  }
};

// Random complexes of a few products at a few prices, with factories that
// need their own products, rings and several suppliers per input.
void BuildRandomComplex(qv::TFactorySet& set, std::uint64_t seed) {
  qv::SplitMix64 random(seed);
  const int count = random.Between(2, 40);
  for (int i = 0; i < count; ++i) {
    TFactory& f = set.AddFactory(i + 1);
    f.AllowNPS = random.Percent(40);
    f.Mtime = 60 * random.Between(1, 10);
    f.Special = random.Percent(10) ? qv::Special::SolarPlant : qv::Special::None;
    const int outputs = random.Between(1, 2);
    const int inputs = random.Between(0, 3);
    for (int k = 0; k < outputs + inputs; ++k) {
      qv::TProduct& p = f.AddProduct(k < outputs);
      p.ProductId = random.Between(1, 6);
      p.Name = "P" + std::to_string(p.ProductId);
      p.Qty = random.Between(0, 40);
      p.Price = 10 + random.Between(-2, 2);
    }
  }
}

TEST(ComplexLinksTest, GiveTheFiguresOfTheSupplierScanExactly) {
  int unsettled = 0;
  for (std::uint64_t seed = 1; seed <= 300; ++seed) {
    TComplexCalculation calc;
    calc.MaxIterations = 300;
    BuildRandomComplex(calc.Factories, seed);
    qv::TFactorySet reference;
    BuildRandomComplex(reference, seed);
    calc.CalculateRates(75);
    ScanCalculation scan;
    scan.Run(reference, 75, calc.MaxIterations);
    ASSERT_EQ(calc.IterationCount, scan.iterations) << "seed " << seed;
    ASSERT_EQ(calc.NoExport, scan.noExport) << "seed " << seed;
    if (calc.PassLimitReached()) ++unsettled;
    auto f = calc.Factories.Factories().begin();
    for (TFactory& g : reference.Factories()) {
      for (const auto& [ours, theirs] :
           {std::pair{&f->Outputs, &g.Outputs}, {&f->Inputs, &g.Inputs}}) {
        auto p = ours->begin();
        for (const qv::TProduct& q : *theirs) {
          // Bit for bit: a last-digit difference could throttle otherwise.
          ASSERT_EQ(p->Rate, q.Rate) << "seed " << seed << " factory " << g.RecId;
          ASSERT_EQ(p->Demand, q.Demand) << "seed " << seed << " factory " << g.RecId;
          if (!q.IsOutput) {
            ASSERT_EQ(p->SupplierCount, static_cast<int>(scan.suppliers[&q].size()));
          }
          ++p;
        }
      }
      ++f;
    }
  }
  EXPECT_GT(unsettled, 0);  // some complexes ran into the pass limit too
}

TEST(FactoryListTest, PriceBarsShowThePricesShareOfTheRange) {
  qv::TProduct p;
  p.Min = 100;
  p.Max = 200;
  const auto width = [&p](int price) {
    p.Price = price;
    return qv::PriceBarWidth(p, 52);  // 50 pixels inside the border
  };
  EXPECT_EQ(width(150), 25);
  EXPECT_EQ(width(99), 0);     // below the minimum: no bar
  EXPECT_EQ(width(5000), 50);  // above the maximum: the whole cell
  p.Max = 100;
  EXPECT_EQ(width(150), 0);  // no range
  p.Min = 0;
  p.Max = 2000000000;
  EXPECT_EQ(width(2000000000), 50);
  // A range over every int: Price - Min alone lies beyond an int.
  p.Min = std::numeric_limits<int>::min();
  p.Max = std::numeric_limits<int>::max();
  EXPECT_EQ(width(std::numeric_limits<int>::max()), 50);
  EXPECT_EQ(width(0), 25);
}

// Negative prices (which a hand-edited file may give) turn the sign of a
// row's money round; it is never shown twice.
TEST_F(ComplexTest, ANegativePriceTurnsTheSignOfTheResultInsteadOfDoublingIt) {
  Factory(2, true, {{Y, "Y", 10, -100}}, {});
  Factory(1, true, {{X, "X", 10, 100}}, {{Z, "Z", 600000, -716}});
  const TComplexResults r = Results();
  EXPECT_EQ(r.Rows,
            (std::vector<Row>{{"X", "100", "60", "-", "Pure export", "+6000"},
                              {"Y", "-100", "60", "-", "Pure export", "-6000"},
                              {"Z", "-716", "-", "3600000", "Pure import", "+2577600000"}}));
  EXPECT_EQ(r.ProfitText, "2577600000");
}

TEST(ProductRateInfoSetTest, RowsRunByNameByteWiseThenByPrice) {
  qv::TProductRateInfoSet set;
  set.AddRate("b", 2, 5, 1, 0, 0, 0);
  set.AddRate("a", 1, 9, 1, 0, 0, 0);
  set.AddRate("B", 3, 1, 1, 0, 0, 0);
  set.AddRate("a", 1, 3, 1, 0, 0, 0);
  set.AddRate("a", 1, 9, 2, 1, 1, 1);
  std::vector<std::string> order;
  for (const qv::TProductRateInfo& row : set.Rows())
    order.push_back(row.Name + "/" + std::to_string(row.Price) + "=" +
                    std::to_string(static_cast<int>(row.Production)));
  EXPECT_EQ(order, (std::vector<std::string>{"B/1=1", "a/3=1", "a/9=3", "b/5=1"}));
}

}  // namespace
