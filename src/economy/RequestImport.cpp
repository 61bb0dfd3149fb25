#include "economy/RequestImport.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "data/DataModule1.h"

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
  Operation operation;
  int productId;
  std::uint64_t order;  // the row's identity: ties of the index keep it
};

}  // namespace

TImportedConditions ImportFactoryConditions(const TDataModule1& store, int factoryId) {
  const TFactoryProdFields& f = store.Fields().FactoryProd;
  std::vector<RecipeRow> rows;
  for (const Record& record : store.FactoryProdData.AllRecords()) {
    const Value factory = f.FactoryId.Of(record);
    if (factory.IsNull() || factory.ToInteger() != factoryId) continue;
    rows.push_back({AsCode<Operation>(f.Operation.Of(record).ToInteger()),
                    f.ProductId.Of(record).ToInteger(), record.GetRow()->id});
  }
  // The factory index's order: by the code, whatever it names.
  std::sort(rows.begin(), rows.end(), [](const RecipeRow& a, const RecipeRow& b) {
    return a.operation != b.operation ? CodeOf(a.operation) < CodeOf(b.operation)
                                      : a.order < b.order;
  });

  TImportedConditions result;
  std::size_t next = 0;
  for (const RecipeRow& row : rows) {
    if (next >= result.slots2to6.size()) break;
    const bool isProduct = row.operation == Operation::Produces;
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
