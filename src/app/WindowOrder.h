#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "settings/ProgramWindow.h"

namespace qv {

class IniFile;
class TDataModule1;

class TWindowOrder;

// The holder of one window of the program and its only owner. A holder takes
// its place in the program's order as it is made, and the window reads its
// settings then.
class TWindowSlotBase {
 public:
  TWindowSlotBase(const TWindowSlotBase&) = delete;
  TWindowSlotBase& operator=(const TWindowSlotBase&) = delete;

 protected:
  TWindowSlotBase() = default;
  ~TWindowSlotBase() = default;

 private:
  friend class TWindowOrder;
  virtual TProgramWindow* Held() const = 0;
  // The window goes; the holder is empty from the moment it starts to go.
  virtual void Release() = 0;
};

template <class T>
class TWindowSlot : public TWindowSlotBase {
 public:
  TWindowSlot(TWindowOrder& order, int languagePlace, std::unique_ptr<T> window,
              const IniFile* settings);

  // Null once the window is gone.
  T* get() const { return window_.get(); }

 private:
  TProgramWindow* Held() const override { return window_.get(); }
  void Release() override { window_.reset(); }

  std::unique_ptr<T> window_;
};

// The windows of a running program in the order they were made. Each has a
// place in the order in which a language is applied; the store has one too,
// among them. The order owns nothing: each window is owned by its holder.
class TWindowOrder {
 public:
  explicit TWindowOrder(int storeLanguagePlace) : storeLanguagePlace_(storeLanguagePlace) {}
  TWindowOrder(const TWindowOrder&) = delete;
  TWindowOrder& operator=(const TWindowOrder&) = delete;

  // Applies a language to every window and to the store, from the lowest
  // language place up.
  void Translate(const IniFile& languageFile, TDataModule1& store) const;

  // Last made first: each window writes its settings and goes at once, so a
  // window never outlives one made before it. A window whose writing fails
  // still goes, and the others still write.
  void DestroyAll(IniFile* settings);

 private:
  template <class T>
  friend class TWindowSlot;
  void Add(TWindowSlotBase& slot, int languagePlace, const IniFile* settings);

  struct Entry {
    TWindowSlotBase* slot;
    int languagePlace;
  };
  std::vector<Entry> windows_;
  int storeLanguagePlace_;
};

template <class T>
TWindowSlot<T>::TWindowSlot(TWindowOrder& order, int languagePlace, std::unique_ptr<T> window,
                            const IniFile* settings)
    : window_(std::move(window)) {
  order.Add(*this, languagePlace, settings);
}

}  // namespace qv
