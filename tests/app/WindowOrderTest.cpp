#include "app/WindowOrder.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "support/ScriptedDialogs.h"

namespace {

// A window that writes into a shared log what the program asks of it.
class LoggingWindow : public qv::TProgramWindow {
 public:
  LoggingWindow(std::string name, std::vector<std::string>& log, const qv::TDataModule1& store)
      : name_(std::move(name)), log_(log), store_(store) {}
  ~LoggingWindow() override { log_.push_back("gone " + name_); }
  void Translate(const qv::IniFile&) override {
    // Whether the store already has the language tells where it stood.
    log_.push_back("translate " + name_ + (store_.Texts().ProductShip == "Schiff" ? " after" : ""));
  }
  void ReadSettings(const qv::IniFile* settings) override {
    log_.push_back("read " + name_ + (settings ? " " + settings->ReadString("S", name_, "") : ""));
  }
  void WriteSettings(qv::IniFile* settings) override {
    if (name_ == "broken") throw std::runtime_error("disk full");
    settings->WriteString("S", name_, "written");
  }

 private:
  std::string name_;
  std::vector<std::string>& log_;
  const qv::TDataModule1& store_;
};

TEST(WindowOrderTest, MadeInOrderTranslatedByPlaceAroundTheStoreAndGoneInReverse) {
  qvtest::ScriptedDialogs dialogs;
  qv::TDataModule1 store("/nonexistent/");
  std::vector<std::string> log;
  qv::IniFile settings("unused.ini");
  settings.WriteString("S", "first", "1");
  qv::IniFile language("de.lng");
  language.WriteString("DataModule1", "ProductShip", "Schiff");

  qv::TWindowOrder windows(/*storeLanguagePlace=*/2);
  using Slot = qv::TWindowSlot<LoggingWindow>;
  Slot first(windows, 5, std::make_unique<LoggingWindow>("first", log, store), &settings);
  Slot broken(windows, 1, std::make_unique<LoggingWindow>("broken", log, store), nullptr);
  Slot other(windows, 3, std::make_unique<LoggingWindow>("other", log, store), &settings);
  ASSERT_NE(other.get(), nullptr);
  windows.Translate(language, store);
  // A window that fails to write still goes, and the others still write.
  windows.DestroyAll(&settings);
  EXPECT_EQ(first.get(), nullptr);
  EXPECT_EQ(other.get(), nullptr);
  // Nothing is left to write or to go twice.
  windows.DestroyAll(&settings);

  EXPECT_EQ(log, (std::vector<std::string>{"read first 1", "read broken", "read other ",
                                           "translate broken", "translate other after",
                                           "translate first after", "gone other", "gone broken",
                                           "gone first"}));
  EXPECT_EQ(settings.ReadString("S", "other", ""), "written");
  EXPECT_EQ(settings.ReadString("S", "first", ""), "written");
}

}  // namespace
