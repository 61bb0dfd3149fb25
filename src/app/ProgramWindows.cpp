#include "app/ProgramWindows.h"

#include <algorithm>
#include <exception>

#include "data/DataModule1.h"

namespace qv {

TProgramWindows::~TProgramWindows() {
  while (!windows_.empty())
    windows_.pop_back();
}

void TProgramWindows::Add(std::unique_ptr<TProgramWindow> window, int languagePlace,
                          const IniFile* settings) {
  window->ReadSettings(settings);
  windows_.push_back({std::move(window), languagePlace});
}

void TProgramWindows::Translate(const IniFile& languageFile, TDataModule1& store) const {
  std::vector<const Entry*> order;
  for (const Entry& entry : windows_)
    order.push_back(&entry);
  std::stable_sort(order.begin(), order.end(), [](const Entry* a, const Entry* b) {
    return a->languagePlace < b->languagePlace;
  });
  auto next = order.begin();
  for (; next != order.end() && (*next)->languagePlace < storeLanguagePlace_; ++next)
    (*next)->window->Translate(languageFile);
  store.TranslateStoreTexts(languageFile);
  for (; next != order.end(); ++next)
    (*next)->window->Translate(languageFile);
}

void TProgramWindows::DestroyAll(IniFile* settings) {
  while (!windows_.empty()) {
    try {
      windows_.back().window->WriteSettings(settings);
    } catch (const std::exception&) {
      // Shut-down goes on: the other windows and the tables must still be saved.
    }
    windows_.pop_back();
  }
}

}  // namespace qv
