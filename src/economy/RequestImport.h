#pragma once

#include <array>

namespace qv {

class TDataModule1;

// Roles of a custom request slot as the settings keep them.
constexpr int kRoleProduction = 0;
constexpr int kRoleDemand = 1;
constexpr int kRoleNone = 2;

// The request dialog's role lists show "-- None --", "Production", "Demand"
// in this order; a role outside 0..2 shows as none.
int RoleToListItem(int role);
int ListItemToRole(int item);

// One custom slot as a factory type's conditions set it.
struct TImportedSlot {
  int role = kRoleNone;
  int productId = 0;  // set only when the role is not none
};

// What importing the conditions of a factory type gives the six custom
// slots: slot 1 shows where its (first) product is already made; slots 2..6
// follow its recipe, where each product is needed and where each resource
// is made, the rest unused. Slot 1 stays as it is when the type makes
// nothing (`setsSlot1` false).
struct TImportedConditions {
  bool setsSlot1 = false;
  TImportedSlot slot1;
  std::array<TImportedSlot, 5> slots2to6;
};

// Reads the recipe rows of `factoryId` from the store's recipe table
// (FactoryProdData) in the order of its factory index (products before
// resources, then in the order the rows were made), whatever view the table
// shows and without moving its cursor.
TImportedConditions ImportFactoryConditions(const TDataModule1& store, int factoryId);

}  // namespace qv
