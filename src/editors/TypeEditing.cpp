#include "editors/TypeEditing.h"

#include <algorithm>
#include <cstdint>

#include "data/DataModule1.h"
#include "settings/MainTexts.h"

namespace qv {

std::string FactoryInfoText(const std::string& infoText, const std::string& yieldText, int mtime,
                            int special) {
  if (mtime == 0) return {};
  std::string text = FormatText(infoText, {std::int64_t{mtime}});
  if (special == 2 || special == 3) text += yieldText;
  return text;
}

int FactoryListPanelSize(int windowSize, int clientSize, int part, int total) {
  // A hand-edited settings file may hold any numbers; a zero total must not
  // end the program.
  const std::int64_t size =
      total > 0 ? std::int64_t{windowSize} * part / total : std::int64_t{clientSize} / 2;
  const std::int64_t limited = std::min<std::int64_t>(size, std::int64_t{clientSize} - 50);
  return static_cast<int>(std::max<std::int64_t>(limited, 50));
}

int AppendFactoryType(TDataModule1& store) {
  Table& types = store.FactoriesData;
  types.CheckBrowseMode();
  types.Append();
  types.Post();
  const Value id = types.FieldByName("Id").GetValue();
  Table& recipes = store.FactoryProdData;
  recipes.CheckBrowseMode();
  for (const std::int32_t operation : {0, 1}) {
    recipes.Append();
    recipes.FieldByName("FactoryId").SetValue(id);
    recipes.FieldByName("Operation").SetAsInteger(operation);
    recipes.Post();
  }
  return id.ToInteger();
}

void DeleteTypeRow(TDataModule1& store, Table& table) {
  store.SuspendViews();
  try {
    table.Delete();
  } catch (...) {
    store.ResumeViews();
    throw;
  }
  store.ResumeViews();
}

}  // namespace qv
