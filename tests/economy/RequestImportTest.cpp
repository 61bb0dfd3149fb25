#include "economy/RequestImport.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <utility>

#include "support/UniverseRows.h"

namespace {

using namespace qvtest;

// Rows are read in the factory index's order whatever order they were made
// in and whatever view the recipes table shows; a code that names no
// operation (an edited file) sorts after the needs and counts as one.
TEST(RequestImportTest, ProductsLeadAndEveryOtherCodeIsAResource) {
  EmptyStore s;
  const int fab = AddFactoryType(*s, "Fab", 0, 60);
  const int other = AddFactoryType(*s, "Other", 0, 60);
  const int ore = AddProduct(*s, "Ore"), gas = AddProduct(*s, "Gas");
  const int chip = AddProduct(*s, "Chip"), dust = AddProduct(*s, "Dust");
  AddRecipe(*s, fab, 7, dust, 1);
  AddRecipe(*s, fab, 1, ore, 2);
  AddRecipe(*s, other, 0, gas, 1);
  AddRecipe(*s, fab, 0, chip, 3);
  AddRecipe(*s, fab, 1, gas, 4);
  s->FactoryProdData.SetMasterSource(&s->FactoriesData, "Id", "FactoryId");
  ASSERT_TRUE(s->FactoriesData.Locate("Id", {qv::Value(other)}));
  ASSERT_EQ(s->FactoryProdData.RecordCount(), 1);  // the view shows the other type's row

  const qv::TImportedConditions c = qv::ImportFactoryConditions(*s, fab);
  ASSERT_TRUE(c.setsSlot1);
  EXPECT_EQ(c.slot1.role, qv::kRoleProduction);
  EXPECT_EQ(c.slot1.productId, chip);
  const std::pair<int, int> expected[] = {{qv::kRoleDemand, chip},
                                          {qv::kRoleProduction, ore},
                                          {qv::kRoleProduction, gas},
                                          {qv::kRoleProduction, dust},
                                          {qv::kRoleNone, 0}};
  for (std::size_t k = 0; k < c.slots2to6.size(); ++k) {
    EXPECT_EQ(c.slots2to6[k].role, expected[k].first) << k;
    EXPECT_EQ(c.slots2to6[k].productId, expected[k].second) << k;
  }
  EXPECT_FALSE(qv::ImportFactoryConditions(*s, other + 1).setsSlot1);
}

}  // namespace
