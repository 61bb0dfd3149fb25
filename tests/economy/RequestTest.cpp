#include <gtest/gtest.h>

#include "data/DataModule1.h"
#include "economy/RequestBuilder.h"
#include "economy/SectorStat.h"
#include "map/RequestData.h"
#include "settings/MainWindowSettings.h"
#include "support/UniverseRows.h"

namespace {

TEST(RequestDataTest, ScaleIsOverallOrIndividualAndZeroBeyondTheProducts) {
  qv::TRequestData r;
  r.Count = 2;
  r.Max = {3, 8, 99, 99, 99, 99};
  r.OverallMax = 8;
  EXPECT_EQ(qv::GetScale(r, 0), 8);
  r.IndividualScale = true;
  EXPECT_EQ(qv::GetScale(r, 0), 3);
  EXPECT_EQ(qv::GetScale(r, 1), 8);
  EXPECT_EQ(qv::GetScale(r, 2), 0);
  EXPECT_EQ(qv::GetScale(r, -1), 0);
  r.Count = 42;  // a damaged count never reaches past the six products
  EXPECT_EQ(r.UsedCount(), 6);
  EXPECT_EQ(qv::GetScale(r, 6), 0);
}

TEST(SectorStatTest, MergesByProductAndListsNewestFirst) {
  qv::TSectorStat stat;
  stat.Add(5, 0, 1, 0, 10.0, 0.0);
  stat.Add(7, 1, 0, 0, 0.0, 0.0);
  stat.Add(5, 1, 1, 2, 5.0, 3.0);
  ASSERT_EQ(stat.Count(), 2);
  const qv::TProductStat* five = stat.Find(5);
  ASSERT_NE(five, nullptr);
  EXPECT_EQ(five->TraderCount, 1);
  EXPECT_EQ(five->ProducerCount, 2);
  EXPECT_EQ(five->ConsumerCount, 2);
  EXPECT_EQ(five->ProdRate, 15.0);
  EXPECT_EQ(five->ConsRate, 3.0);
  EXPECT_EQ(stat.Find(6), nullptr);
  std::vector<int> order;
  for (const qv::TProductStat& s : stat)
    order.push_back(s.ProductId);
  EXPECT_EQ(order, (std::vector<int>{7, 5}));
  stat.Clear();
  EXPECT_EQ(stat.Count(), 0);
}

class RequestBuilderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 0; i < 6; ++i)
      ids[i] = qvtest::AddProduct(*store, "P" + std::to_string(i + 1));
    qv::Table& aux = store->AuxRequestData;
    aux.Edit();
    for (int i = 0; i < 6; ++i)
      aux.FieldByName("Prod" + std::to_string(i + 1)).SetAsInteger(ids[i]);
    aux.Post();
  }
  qvtest::EmptyStore store;
  int ids[6] = {};
};

TEST_F(RequestBuilderTest, SimpleRequestShowsProductionAndDemandOfTheFirstProduct) {
  qv::TRequestSettings settings;
  settings.SimpleIndividualScale = true;
  settings.Traders = 2;
  settings.ShowRates = true;
  const qv::TRequestData r = qv::BuildProcessRequest(*store, settings);
  ASSERT_EQ(r.Count, 2);
  EXPECT_EQ(r.ProductId[0], ids[0]);
  EXPECT_EQ(r.ProductId[1], ids[0]);
  EXPECT_EQ(r.ProductName[1], "P1");
  EXPECT_EQ(r.Operation[0], 0);
  EXPECT_EQ(r.Operation[1], 1);
  EXPECT_EQ(r.Color[0], settings.ProdColor);
  EXPECT_EQ(r.Color[1], settings.DemandColor);
  EXPECT_TRUE(r.IndividualScale);
  EXPECT_EQ(r.Traders, qv::TradersMode::AddToConsumers);
  EXPECT_TRUE(r.Rates);
  EXPECT_FALSE(r.CountYour);
}

TEST_F(RequestBuilderTest, CustomRequestTakesTheUsedSlotsInOrder) {
  qv::TRequestSettings settings;
  settings.SimpleRequest = false;
  settings.ReqOp = {2, 0, 2, 2, 1, 2};
  settings.CustomIndividualScale = false;
  settings.CountYourFactories = true;
  const qv::TRequestData r = qv::BuildProcessRequest(*store, settings);
  ASSERT_EQ(r.Count, 2);
  EXPECT_EQ(r.ProductId[0], ids[1]);
  EXPECT_EQ(r.ProductName[0], "P2");
  EXPECT_EQ(r.Operation[0], 0);
  EXPECT_EQ(r.Color[0], settings.ReqColor[1]);
  EXPECT_EQ(r.ProductId[1], ids[4]);
  EXPECT_EQ(r.ProductName[1], "P5");
  EXPECT_EQ(r.Operation[1], 1);
  EXPECT_EQ(r.Color[1], settings.ReqColor[4]);
  EXPECT_FALSE(r.IndividualScale);
  EXPECT_TRUE(r.CountYour);

  settings.ReqOp = {2, 2, 2, 2, 2, 2};
  EXPECT_EQ(qv::BuildProcessRequest(*store, settings).Count, 0);
}

TEST_F(RequestBuilderTest, NamedRequestFindsExactNamesAndColoursInOrder) {
  qv::TRequestSettings settings;
  qv::TNamedRequest named;
  named.products = {{"P3", 1}, {"P1", 0}};
  named.rates = true;
  named.traders = 3;
  named.individualScale = true;
  std::string error;
  const std::optional<qv::TRequestData> r = qv::BuildNamedRequest(*store, settings, named, error);
  ASSERT_TRUE(r) << error;
  EXPECT_EQ(r->Count, 2);
  EXPECT_EQ(r->ProductId[0], ids[2]);
  EXPECT_EQ(r->Operation[0], 1);
  EXPECT_EQ(r->Color[0], settings.ReqColor[0]);
  EXPECT_EQ(r->ProductId[1], ids[0]);
  EXPECT_EQ(r->Color[1], settings.ReqColor[1]);
  EXPECT_TRUE(r->Rates);
  EXPECT_EQ(r->Traders, qv::TradersMode::AddToBoth);
  EXPECT_TRUE(r->IndividualScale);

  named.products = {{"p3", 0}};  // names are exact
  EXPECT_FALSE(qv::BuildNamedRequest(*store, settings, named, error));
  EXPECT_NE(error.find("p3"), std::string::npos);
  named.products.assign(7, {"P1", 0});
  EXPECT_FALSE(qv::BuildNamedRequest(*store, settings, named, error));
}

}  // namespace
