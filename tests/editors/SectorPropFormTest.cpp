#include "editors/SectorPropForm.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "data/IniFile.h"
#include "support/QtWidgetProbes.h"
#include "support/UniverseRows.h"

namespace {

using qvtest::AddSector;

class SectorPropFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddSector(*store, {.name = "Home", .x = 3, .y = 4, .race = "Vossk", .suns = 2, .south = true});
    AddSector(*store, {.name = "Peak", .x = 7, .y = 2});
    AddSector(*store, {.name = "Below", .x = 3, .y = 5, .north = true});
  }
  template <typename T>
  T& Get(const char* name) {
    T* child = form.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }
  QLineEdit& Edit(const char* name) { return Get<QLineEdit>(name); }
  std::string Warning() { return Get<QLabel>("Label7").text().toStdString(); }
  bool OkEnabled() { return Get<QPushButton>("Button1").isEnabled(); }
  bool Gate(int i) { return Get<QCheckBox>(("CheckBox" + std::to_string(i)).c_str()).isChecked(); }
  void TypePosition(const char* x, const char* y) {
    Edit("Edit4").setText(x);
    Edit("Edit5").setText(y);
  }

  qvtest::EmptyStore store;
  qvtest::ScriptedDialogs dialogs;
  qv::TSectorPropForm form{*store, dialogs, nullptr};
};

TEST_F(SectorPropFormTest, NewSectorStartsEmptyAndRefusesTakenOrFarPositions) {
  form.Open(false, -1, -1);  // no sector there: a new one
  EXPECT_FALSE(form.EditingExisting());
  EXPECT_EQ(form.windowTitle(), "New sector");
  EXPECT_EQ(Edit("Edit3").text(), "0");
  EXPECT_EQ(Edit("Edit2").text(), "90");
  EXPECT_EQ(Get<QLabel>("Label9").text(), "(1 min 30 sec)");
  EXPECT_TRUE(Get<QCheckBox>("CheckBox5").isChecked());
  EXPECT_TRUE(Get<QAbstractButton>("SpeedButton5").isChecked());
  EXPECT_EQ(Get<QComboBox>("ComboBox2").count(), 3);
  EXPECT_FALSE(Get<QComboBox>("ComboBox2").isEnabled());  // until its gate is checked
  EXPECT_FALSE(OkEnabled());
  Edit("Edit4").setText("5");
  EXPECT_FALSE(OkEnabled());  // both edits must hold text

  TypePosition("3", "4");
  EXPECT_EQ(Warning(), "Duplicate");
  EXPECT_FALSE(OkEnabled());
  TypePosition("10000", "4");
  EXPECT_EQ(Warning(), "Allowed: -9999 to 9999");
  EXPECT_FALSE(OkEnabled());
  TypePosition("-9999", "x");  // no digits read as 0
  EXPECT_EQ(Warning(), "");
  EXPECT_TRUE(OkEnabled());

  Edit("Edit1").setText("Edge");
  Get<QSpinBox>("UpDown2").setValue(125);
  EXPECT_EQ(Get<QLabel>("Label9").text(), "(2 min 5 sec)");
  form.Button1Click();
  ASSERT_TRUE(store->LocateSectorAt(-9999, 0));
  const qv::TSectorValues stored = qv::ReadSectorValues(*store);
  EXPECT_EQ(stored.name, "Edge");
  EXPECT_EQ(stored.solarCycle, 125);
  EXPECT_EQ(stored.nameDy, -2);
  EXPECT_EQ(form.StoredPosition(), (qv::TGridPos{-9999, 0}));

  form.Open(true, 0, 0);
  qv::IniFile language("unsaved.LNG");  // another language since
  language.WriteString("DataModule1", "TimeText", "(%d m %d s)");
  store->TranslateStoreTexts(language);
  form.Open(true, 0, 0);
  EXPECT_EQ(Get<QLabel>("Label9").text(), "(1 m 30 s)");
}

TEST_F(SectorPropFormTest, EditingAllowsTheOwnPositionAndPlacesBesideAChosenNeighbour) {
  form.Open(false, 3, 4);
  EXPECT_TRUE(form.EditingExisting());
  EXPECT_EQ(form.windowTitle(), "Sector Properties");
  EXPECT_EQ(Edit("Edit1").text(), "Home");
  EXPECT_EQ(Get<QComboBox>("ComboBox1").currentText(), "Vossk");
  EXPECT_EQ(Get<QComboBox>("ComboBox3").currentText(), "Below");  // the neighbour south
  EXPECT_EQ(Get<QComboBox>("ComboBox2").currentIndex(), -1);
  EXPECT_EQ(Get<QComboBox>("ComboBox2").count(), 2);  // every sector but this one

  TypePosition("3", "5");
  EXPECT_EQ(Warning(), "Duplicate");
  TypePosition("3", "4");  // back to its own place
  EXPECT_EQ(Warning(), "");
  EXPECT_TRUE(OkEnabled());

  Get<QCheckBox>("CheckBox1").setChecked(true);
  QComboBox& north = Get<QComboBox>("ComboBox2");
  ASSERT_TRUE(north.isEnabled());
  north.setCurrentIndex(north.findText("Peak"));
  EXPECT_EQ(Edit("Edit4").text(), "7");
  EXPECT_EQ(Edit("Edit5").text(), "3");
  EXPECT_EQ(north.currentText(), "Peak");
  EXPECT_EQ(Get<QComboBox>("ComboBox3").currentIndex(), -1);  // nobody south of 7, 3

  // Leaving the position edit of a moved sector drops its gates.
  form.Edit4Exit();
  EXPECT_FALSE(Gate(1));
  EXPECT_FALSE(Gate(2));
  Get<QCheckBox>("CheckBox1").setChecked(true);
  form.SpeedButtonClick(10);
  form.Button1Click();
  ASSERT_EQ(form.result(), QDialog::Accepted);

  // The gates followed: Peak got its south gate, Below lost its north gate.
  ASSERT_TRUE(store->LocateSectorAt(7, 2));
  EXPECT_TRUE(store->SectorsData.FieldByName("SouthGate").AsBoolean());
  ASSERT_TRUE(store->LocateSectorAt(3, 5));
  EXPECT_TRUE(store->SectorsData.FieldByName("NorthGate").AsBoolean());  // not its neighbour now
  form.Open(false, 7, 3);
  EXPECT_TRUE(Get<QAbstractButton>("SpeedButton10").isChecked());
  EXPECT_EQ(form.NameDx(), 2);
  EXPECT_EQ(form.NameDy(), 1);
  EXPECT_TRUE(Gate(1));
  EXPECT_EQ(Edit("Edit3").text(), "2");
}

TEST_F(SectorPropFormTest, AnUnknownNamePlaceAndCancelLeaveTheRowAlone) {
  AddSector(*store, {.name = "Odd", .x = 0, .y = 0, .nameDx = 0, .nameDy = 0});
  form.Open(false, 0, 0);
  EXPECT_TRUE(Get<QAbstractButton>("SpeedButton2").isChecked());
  Edit("Edit1").setText("Renamed");
  form.reject();
  ASSERT_TRUE(store->LocateSectorAt(0, 0));
  EXPECT_EQ(store->SectorsData.FieldByName("Name").AsString(), "Odd");
  EXPECT_EQ(store->SectorsData.State(), qv::TableState::Browse);

  form.Open(false, 0, 0);
  form.Button1Click();
  ASSERT_TRUE(store->LocateSectorAt(0, 0));
  EXPECT_EQ(store->SectorsData.FieldByName("NameDx").AsInteger(), 0);  // stored back unchanged
  EXPECT_EQ(store->SectorsData.FieldByName("NameDy").AsInteger(), 0);
}

TEST_F(SectorPropFormTest, TextBoxesHoldWhatTheFieldsHoldAndShowTheStartOfIt) {
  form.Open(false, 3, 4);
  QComboBox& race = Get<QComboBox>("ComboBox1");
  qvtest::TypeInto(race, "Free Traders of the Rim Worlds");  // 30 letters typed
  EXPECT_EQ(race.currentText(), "Free Traders of the ");
  qvtest::TypeInto(Edit("Edit1"), QString(45, 'N'));
  EXPECT_EQ(Edit("Edit1").text().size(), 40);
  form.Button1Click();
  ASSERT_TRUE(store->LocateSectorAt(3, 4));
  EXPECT_EQ(store->SectorsData.FieldByName("Race").AsString(), "Free Traders of the ");
  EXPECT_EQ(store->SectorsData.FieldByName("Name").AsString(), std::string(40, 'N'));

  form.Open(false, 3, 4);
  EXPECT_EQ(race.lineEdit()->cursorPosition(), 0);
}

TEST_F(SectorPropFormTest, KeepsItsSizeThroughLanguagesAndLongNames) {
  const auto german = qv::IniFile::Load(std::string(QV_SOURCE_DIR) + "/lang/Deutsch.LNG");
  const auto english = qv::IniFile::Load(std::string(QV_SOURCE_DIR) + "/lang/English.LNG");
  form.Open(false, 3, 4);
  form.show();
  const QSize designed = form.size();
  for (int i = 0; i < 3; ++i)
    AddSector(*store, {.name = std::string(38, 'W') + std::to_string(i), .x = 20 + i});
  for (const auto* file : {german.get(), english.get(), german.get()}) {
    store->TranslateStoreTexts(*file);
    form.Translate(*file);
    form.Open(false, 3, 4);
    EXPECT_EQ(form.size(), designed);
    // Nothing in it is squeezed below the room it needs.
    EXPECT_GE(form.width(), form.layout()->totalMinimumSize().width());
  }
  // The cycle text is the language's at once, not only once the cycle changes.
  form.Translate(*english);
  store->TranslateStoreTexts(*english);
  form.Translate(*english);
  EXPECT_EQ(Get<QLabel>("Label9").text(), "(0 min 0 sec)");
  store->TranslateStoreTexts(*german);
  form.Translate(*german);
  EXPECT_EQ(Get<QLabel>("Label9").text(), "(0 min 0 s)");
}

// OK with nothing changed stores nothing: a cycle from a file that the number
// box cannot show stays as the file gave it.
TEST_F(SectorPropFormTest, OkWithoutChangesLeavesTheRowAsItIs) {
  AddSector(*store, {.name = "Far", .x = 1, .y = 1, .solarCycle = -2147483647 - 1});
  const std::uint64_t version = store->SectorsData.RowsVersion();
  form.Open(false, 1, 1);
  EXPECT_EQ(Edit("Edit2").text(), "0");
  form.Button1Click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(store->SectorsData.RowsVersion(), version);
  ASSERT_TRUE(store->LocateSectorAt(1, 1));
  EXPECT_EQ(store->SectorsData.FieldByName("SolarCycle").AsInteger(), -2147483647 - 1);

  // A change is a change: the row then takes what the dialog shows.
  form.Open(false, 1, 1);
  Get<QComboBox>("ComboBox1").setEditText("Drakh");
  form.Button1Click();
  ASSERT_TRUE(store->LocateSectorAt(1, 1));
  EXPECT_EQ(store->SectorsData.FieldByName("Race").AsString(), "Drakh");
  EXPECT_EQ(store->SectorsData.FieldByName("SolarCycle").AsInteger(), 0);
}

}  // namespace
