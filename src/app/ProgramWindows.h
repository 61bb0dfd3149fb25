#pragma once

#include <memory>
#include <vector>

#include "settings/ProgramWindow.h"

namespace qv {

class IniFile;
class TDataModule1;

// The windows of a running program, in the order they were made. Each has a
// place in the order in which a language is applied; the store has one too,
// among them. The windows go in the reverse order of their making.
class TProgramWindows {
 public:
  explicit TProgramWindows(int storeLanguagePlace) : storeLanguagePlace_(storeLanguagePlace) {}
  // Windows still held go last made first, without writing their settings
  // (the program failed to start).
  ~TProgramWindows();
  TProgramWindows(const TProgramWindows&) = delete;
  TProgramWindows& operator=(const TProgramWindows&) = delete;

  // Takes the window just made and lets it read its settings.
  void Add(std::unique_ptr<TProgramWindow> window, int languagePlace, const IniFile* settings);

  // Applies a language to every window and to the store, from the lowest
  // language place up.
  void Translate(const IniFile& languageFile, TDataModule1& store) const;

  // Last made first: each window writes its settings and goes at once, so a
  // window never outlives one made before it. A window whose writing fails
  // still goes, and the others still write.
  void DestroyAll(IniFile* settings);

  // The window of type T, or null when there is none (not made, or gone).
  template <class T>
  T* Find() const {
    for (const Entry& entry : windows_)
      if (T* window = dynamic_cast<T*>(entry.window.get())) return window;
    return nullptr;
  }

  int Count() const { return static_cast<int>(windows_.size()); }

 private:
  struct Entry {
    std::unique_ptr<TProgramWindow> window;
    int languagePlace = 0;
  };
  std::vector<Entry> windows_;
  int storeLanguagePlace_;
};

}  // namespace qv
