#include "economy/RequestForm.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/StoreTestData.h"
#include "editors/QtLookupComboBox.h"
#include "map/RequestData.h"
#include "settings/MainWindowSettings.h"
#include "settings/StoreStartExit.h"
#include "support/QtWidgetProbes.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

using qv::TRequestForm;

class RequestFormTest : public ::testing::Test {
 protected:
  RequestFormTest() {
    qv::LoadStore(store_, dialogs_);
    ore_ = qvtest::AddProduct(store_, "Ore", 0);
    chips_ = qvtest::AddProduct(store_, "Chips", 0);
    energy_ = qvtest::AddProduct(store_, "Energy", 0);
    water_ = qvtest::AddProduct(store_, "Water", 0);
    food_ = qvtest::AddProduct(store_, "Food", 0);
    plant_ = qvtest::AddFactory(store_, "Chip Plant");
    qvtest::AddFactory(store_, "Alien Relay", false);
    qvtest::AddFactory(store_, "Bakery");
    qvtest::AddRecipe(store_, plant_, 1, ore_, 4);
    qvtest::AddRecipe(store_, plant_, 0, chips_, 1);
    qvtest::AddRecipe(store_, plant_, 1, energy_, 9);
    qvtest::AddRecipe(store_, plant_, 1, water_, 2);
    form_ = std::make_unique<TRequestForm>(store_, dialogs_, customColors_);
  }

  // Opens the dialog, runs `script` on it, and cancels it when the script
  // left it open.
  bool Run(const std::function<void()>& script) {
    QTimer::singleShot(0, [&] {
      script();
      if (form_->isVisible()) form_->reject();
    });
    return form_->Execute(settings_, font_, request_);
  }

  template <typename T>
  T& Get(const char* name) {
    T* widget = form_->findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
  }
  bool Enabled(const char* name) { return Get<QWidget>(name).isEnabled(); }
  void SetRole(int slot, int item) {
    Get<QComboBox>(("ComboBox" + std::to_string(slot)).c_str()).setCurrentIndex(item);
  }
  int Role(int slot) {
    return Get<QComboBox>(("ComboBox" + std::to_string(slot)).c_str()).currentIndex();
  }
  void Click(const char* name) { Get<QAbstractButton>(name).click(); }
  int AuxInt(const std::string& field) {
    return store_.AuxRequestData.FieldByName(field).AsInteger();
  }
  void SetAux(const std::string& field, int value) {
    store_.AuxRequestData.Edit();
    store_.AuxRequestData.FieldByName(field).SetAsInteger(value);
    store_.AuxRequestData.Post();
  }

  qvtest::TempDir dir_;
  qvtest::ScriptedDialogs dialogs_;
  qv::TDataModule1 store_{dir_.Folder()};
  qv::CustomColorList customColors_;
  qv::TRequestSettings settings_;
  qv::TFontParams font_;
  qv::TRequestData request_;
  std::unique_ptr<TRequestForm> form_;
  int ore_ = 0, chips_ = 0, energy_ = 0, water_ = 0, food_ = 0, plant_ = 0;
};

TEST_F(RequestFormTest, ControlStatesFollowKindRolesAndNumbersOnly) {
  settings_.SimpleRequest = false;
  Run([&] {
    EXPECT_FALSE(Enabled("Button1"));  // no slot in use
    EXPECT_FALSE(Enabled("DBLookupComboBox1"));
    EXPECT_FALSE(Enabled("BitBtn1"));
    EXPECT_TRUE(Enabled("ComboBox4"));
    EXPECT_TRUE(Enabled("DBLookupComboBox8"));
    EXPECT_FALSE(Enabled("DBLookupComboBox3"));
    EXPECT_FALSE(Enabled("BitBtn4"));

    SetRole(2, 1);
    EXPECT_TRUE(Enabled("Button1"));
    EXPECT_TRUE(Enabled("DBLookupComboBox3"));
    EXPECT_TRUE(Enabled("BitBtn4"));
    EXPECT_TRUE(Enabled("CheckBox1"));
    SetRole(4, 2);
    SetRole(6, 1);
    EXPECT_FALSE(Enabled("CheckBox1"));  // numbers only with one or two bars
    SetRole(6, 0);
    EXPECT_TRUE(Enabled("CheckBox1"));

    Click("CheckBox3");  // numbers only
    EXPECT_FALSE(Enabled("UpDown1"));
    EXPECT_FALSE(Enabled("CheckBox2"));
    EXPECT_FALSE(Enabled("CheckBox1"));

    Click("RadioButton5");  // simple request: two products
    EXPECT_TRUE(Enabled("DBLookupComboBox1"));
    EXPECT_TRUE(Enabled("BitBtn2"));
    EXPECT_FALSE(Enabled("ComboBox2"));
    EXPECT_FALSE(Enabled("DBLookupComboBox3"));
    EXPECT_FALSE(Enabled("CheckBox6"));
    EXPECT_TRUE(Enabled("Button1"));
  });
}

TEST_F(RequestFormTest, RatesLeaveOnlyTradersThatAddToConsumers) {
  settings_.Traders = 3;
  Run([&] {
    EXPECT_TRUE(Get<QRadioButton>("RadioButton4").isChecked());
    Click("RadioButton8");
    EXPECT_TRUE(Get<QRadioButton>("RadioButton1").isChecked());
    EXPECT_FALSE(Enabled("RadioButton2"));
    EXPECT_FALSE(Enabled("RadioButton4"));
    EXPECT_TRUE(Enabled("RadioButton3"));
    Click("RadioButton3");
    Click("RadioButton7");
    Click("RadioButton8");
    EXPECT_TRUE(Get<QRadioButton>("RadioButton3").isChecked());
    Click("Button1");
  });
  EXPECT_EQ(settings_.Traders, 2);
  EXPECT_TRUE(settings_.ShowRates);
  EXPECT_TRUE(request_.Rates);
  EXPECT_EQ(request_.Traders, qv::TradersMode::AddToConsumers);
}

TEST_F(RequestFormTest, ImportingAFactoryFillsTheCustomSlotsFromItsRecipe) {
  settings_.SimpleRequest = false;
  settings_.ReqOp = {2, 2, 2, 2, 2, 1};
  SetAux("Fact1", plant_);
  SetAux("Prod6", food_);
  Run([&] {
    EXPECT_EQ(AuxInt("Fact1"), -1);  // no factory shown on opening
    auto& factories = Get<qv::QtLookupComboBox>("DBLookupComboBox8");
    EXPECT_EQ(factories.ShownText(), "");
    EXPECT_EQ(factories.ListedTexts(), (std::vector<std::string>{"Bakery", "Chip Plant"}));
    ASSERT_TRUE(factories.ChooseText("Chip Plant"));

    EXPECT_EQ(Role(1), 1);
    EXPECT_EQ(AuxInt("Prod1"), chips_);
    EXPECT_EQ(Role(2), 2);
    EXPECT_EQ(AuxInt("Prod2"), chips_);
    const int resources[3] = {ore_, energy_, water_};
    for (int k = 3; k <= 5; ++k) {
      EXPECT_EQ(Role(k), 1) << k;
      EXPECT_EQ(AuxInt("Prod" + std::to_string(k)), resources[k - 3]) << k;
    }
    EXPECT_EQ(Role(6), 0);
    EXPECT_FALSE(Enabled("DBLookupComboBox7"));
    EXPECT_EQ(Get<qv::QtLookupComboBox>("DBLookupComboBox4").ShownText(), "Ore");
    Click("Button1");
  });
  EXPECT_EQ(request_.Count, 5);
  EXPECT_EQ(request_.ProductName[0], "Chips");
  EXPECT_EQ(request_.Operation[1], 1);
  EXPECT_EQ(request_.ProductName[4], "Water");
  EXPECT_EQ(settings_.ReqOp, (std::array<int, 6>{0, 1, 0, 0, 0, 2}));
  // The factory list is the whole table again, in its usual order.
  EXPECT_FALSE(store_.FactoriesData.Filtered());
  EXPECT_EQ(store_.FactoriesData.IndexName(), "FactoriesDataIdIndex");
  EXPECT_EQ(store_.AuxRequestData.State(), qv::TableState::Browse);
  EXPECT_EQ(store_.AuxRequestData.ChangeCount(), 0);
}

TEST_F(RequestFormTest, CustomRequestTakesTheUsedSlotsInOrder) {
  settings_.SimpleRequest = false;
  settings_.ReqOp = {2, 0, 2, 2, 1, 2};
  SetAux("Prod2", ore_);
  SetAux("Prod5", food_);
  EXPECT_TRUE(Run([&] { Click("Button1"); }));
  EXPECT_EQ(request_.Count, 2);
  EXPECT_EQ(request_.ProductId[0], ore_);
  EXPECT_EQ(request_.ProductName[0], "Ore");
  EXPECT_EQ(request_.Operation[0], 0);
  EXPECT_EQ(request_.Color[0], settings_.ReqColor[1]);
  EXPECT_EQ(request_.ProductId[1], food_);
  EXPECT_EQ(request_.Operation[1], 1);
  EXPECT_EQ(request_.Color[1], settings_.ReqColor[4]);
  EXPECT_TRUE(request_.IndividualScale);
}

TEST_F(RequestFormTest, ProcessFillsTheRequestAndCancelKeepsIt) {
  // Cancel: the request and the request settings stay; the bar settings and
  // colour choices are taken.
  request_.Count = 1;
  request_.ProductName[0] = "Old";
  dialogs_.colorAnswers = {0x0A0B0C};
  EXPECT_FALSE(Run([&] {
    Get<qv::QtLookupComboBox>("DBLookupComboBox1").ChooseText("Chips");
    Click("BitBtn1");
    Get<QSpinBox>("UpDown1").setValue(0);
    Click("CheckBox2");
    Click("CheckBox3");
    Click("RadioButton6");
    Click("Button2");
  }));
  EXPECT_EQ(request_.Count, 1);
  EXPECT_EQ(request_.ProductName[0], "Old");
  EXPECT_TRUE(settings_.SimpleRequest);
  EXPECT_EQ(settings_.BarWidth, 5);
  EXPECT_FALSE(settings_.VerticalBars);
  EXPECT_TRUE(settings_.NumbersOnly);
  EXPECT_EQ(settings_.ProdColor, 0x0A0B0C);
  EXPECT_EQ(AuxInt("Prod1"), chips_);  // the chosen product is kept for the next time

  // Process: the simple request shows where its product is made and needed.
  EXPECT_TRUE(Run([&] {
    EXPECT_EQ(Get<qv::QtLookupComboBox>("DBLookupComboBox1").ShownText(), "Chips");
    EXPECT_EQ(Get<QSpinBox>("UpDown1").value(), 5);
    Get<QSpinBox>("UpDown1").setValue(12);
    Click("CheckBox4");
    Click("Button1");
  }));
  EXPECT_EQ(request_.Count, 2);
  EXPECT_EQ(request_.ProductId[0], chips_);
  EXPECT_EQ(request_.ProductId[1], chips_);
  EXPECT_EQ(request_.Operation[0], 0);
  EXPECT_EQ(request_.Operation[1], 1);
  EXPECT_EQ(request_.Color[0], 0x0A0B0C);
  EXPECT_EQ(request_.Color[1], settings_.DemandColor);
  EXPECT_TRUE(request_.CountYour);
  EXPECT_EQ(settings_.BarWidth, 12);
}

TEST_F(RequestFormTest, DamagedTradersModeShowsAsIgnore) {
  settings_.Traders = 9;
  Run([&] { Click("Button1"); });
  EXPECT_EQ(settings_.Traders, 0);
}

TEST_F(RequestFormTest, RoleListsTakeATranslatedTypeList) {
  qv::IniFile language("");
  language.WriteString("RequestForm", "TypeList", "\"-- Keine --\",Produktion,Bedarf");
  language.WriteString("RequestForm", "CheckBox5.Caption", "Eigene Skalen");
  form_->Translate(language);
  qv::IniFile shortList("");
  shortList.WriteString("RequestForm", "TypeList", "Nichts,Alles");
  form_->Translate(shortList);  // cannot stand for three roles: ignored
  settings_.ReqOp = {0, 1, 2, 2, 2, 2};
  Run([&] {
    for (int k = 1; k <= 6; ++k) {
      auto& role = Get<QComboBox>(("ComboBox" + std::to_string(k)).c_str());
      ASSERT_EQ(role.count(), 3);
      EXPECT_EQ(role.itemText(0).toStdString(), "-- Keine --");
      EXPECT_EQ(role.itemText(2).toStdString(), "Bedarf");
    }
    EXPECT_EQ(Role(1), 1);
    EXPECT_EQ(Role(2), 2);
    EXPECT_EQ(Get<QCheckBox>("CheckBox6").text().toStdString(), "Eigene Skalen");
  });
}

// Product lists show 20 rows at a time and the factory list 10, however many
// there are; a bar width typed beyond its range is held to it even on Cancel.
// The dialog keeps its size.
TEST_F(RequestFormTest, ListsAndNumbersKeepToTheirLimits) {
  for (int i = 0; i < 30; ++i) {
    qvtest::AddProduct(store_, "Product " + std::to_string(i), 0);
    qvtest::AddFactory(store_, "Factory " + std::to_string(i));
  }
  Run([&] {
    // A fixed-size dialog: nothing to minimise or maximise.
    EXPECT_EQ(form_->minimumSize(), form_->maximumSize());
    EXPECT_FALSE(form_->windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    Click("RadioButton6");
    EXPECT_EQ(qvtest::ShownDropDownRows(Get<QComboBox>("DBLookupComboBox1")), 20);
    EXPECT_EQ(qvtest::ShownDropDownRows(Get<QComboBox>("DBLookupComboBox7")), 20);
    EXPECT_EQ(qvtest::ShownDropDownRows(Get<QComboBox>("DBLookupComboBox8")), 10);
    EXPECT_EQ(qvtest::ShownDropDownRows(Get<QComboBox>("ComboBox3")), 3);
    qvtest::TypeInto(Get<QSpinBox>("UpDown1"), "250");
    Click("Button2");
  });
  EXPECT_EQ(settings_.BarWidth, 100);
}

}  // namespace
