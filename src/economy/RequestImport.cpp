#include "economy/RequestImport.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "data/Record.h"
#include "data/Table.h"

namespace qv {

int RoleToListItem(int role) {
  switch (role) {
    case kRoleProduction:
      return 1;
    case kRoleDemand:
      return 2;
    default:
      return 0;
  }
}

int ListItemToRole(int item) {
  switch (item) {
    case 1:
      return kRoleProduction;
    case 2:
      return kRoleDemand;
    default:
      return kRoleNone;
  }
}

namespace {

struct RecipeRow {
  int operation;
  int productId;
  std::uint64_t order;  // the row's identity: ties of the index keep it
};

}  // namespace

TImportedConditions ImportFactoryConditions(const Table& factoryProd, int factoryId) {
  const int factoryField = factoryProd.FieldByName("FactoryId").Index();
  const int operationField = factoryProd.FieldByName("Operation").Index();
  const int productField = factoryProd.FieldByName("ProductId").Index();

  std::vector<RecipeRow> rows;
  for (const Record& record : factoryProd.AllRecords()) {
    const Value factory = record.Get(factoryField);
    if (factory.IsNull() || factory.ToInteger() != factoryId) continue;
    rows.push_back({record.Get(operationField).ToInteger(), record.Get(productField).ToInteger(),
                    record.GetRow()->id});
  }
  std::sort(rows.begin(), rows.end(), [](const RecipeRow& a, const RecipeRow& b) {
    return a.operation != b.operation ? a.operation < b.operation : a.order < b.order;
  });

  TImportedConditions result;
  std::size_t next = 0;
  for (const RecipeRow& row : rows) {
    if (next >= result.slots2to6.size()) break;
    const bool isProduct = row.operation == 0;
    if (isProduct && !result.setsSlot1) {
      result.setsSlot1 = true;
      result.slot1 = {kRoleProduction, row.productId};
    }
    // Where the product is needed; where the resource is made.
    result.slots2to6[next++] = {isProduct ? kRoleDemand : kRoleProduction, row.productId};
  }
  return result;
}

}  // namespace qv
