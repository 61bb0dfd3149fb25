#include "app/WindowOrder.h"

#include <algorithm>
#include <exception>

#include "data/DataModule1.h"

namespace qv {

void TWindowOrder::Add(TWindowSlotBase& slot, int languagePlace, const IniFile* settings) {
  slot.Held()->ReadSettings(settings);
  windows_.push_back({&slot, languagePlace});
}

void TWindowOrder::Translate(const IniFile& languageFile, TDataModule1& store) const {
  std::vector<const Entry*> order;
  for (const Entry& entry : windows_)
    if (entry.slot->Held()) order.push_back(&entry);
  std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
    return a->languagePlace < b->languagePlace;
  });
  auto next = order.begin();
  for (; next != order.end() && (*next)->languagePlace < storeLanguagePlace_; ++next)
    (*next)->slot->Held()->Translate(languageFile);
  store.TranslateStoreTexts(languageFile);
  for (; next != order.end(); ++next)
    (*next)->slot->Held()->Translate(languageFile);
}

void TWindowOrder::DestroyAll(IniFile* settings) {
  while (!windows_.empty()) {
    TWindowSlotBase& slot = *windows_.back().slot;
    windows_.pop_back();
    if (TProgramWindow* window = slot.Held()) {
      try {
        window->WriteSettings(settings);
      } catch (const std::exception&) {
        // Shut-down goes on: the other windows and the tables must still be saved.
      }
    }
    slot.Release();
  }
}

}  // namespace qv
