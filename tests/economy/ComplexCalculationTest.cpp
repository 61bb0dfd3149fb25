#include "economy/ComplexCalculation.h"

#include <gtest/gtest.h>

#include <limits>

#include "economy/ComplexResults.h"
#include "economy/ComplexTables.h"
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

TEST_F(ComplexTest, ARingThatKeepsShrinkingHitsThePassLimit) {
  // Each ring factory needs 99 of what the other makes 100 of: every pass
  // slows both by a hundredth, without end.
  Factory(3, false, {{Y, "Y", 100, 1}}, {{Z, "Z", 99, 1}});
  Factory(2, false, {{Z, "Z", 100, 1}}, {{Y, "Y", 99, 1}});
  Factory(1, true, {{X, "X", 1, 100}}, {});
  const TComplexResults r = Results();
  EXPECT_EQ(calc.IterationCount, calc.MaxIterations + 1);
  EXPECT_EQ(r.MessageText, "(unable to calculate rates for some factories)");
  EXPECT_EQ(r.ProfitText, "600 ?");
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
  mine.Special = 2;  // a mine without yield
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
