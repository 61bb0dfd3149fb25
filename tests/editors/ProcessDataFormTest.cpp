#include "editors/ProcessDataForm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "data/TableError.h"
#include "support/UniverseRows.h"

namespace {

using qvtest::AddSector;

class ProcessDataFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int i = 1; i <= 5; ++i)
      AddSector(*store, {.name = "S" + std::to_string(i), .x = i, .y = 0, .suns = i});
    form.SetDataSet(*store, &store->SectorsData);
  }
  template <typename T>
  T& Get(const char* name) {
    T* child = form.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }
  void Choose(const char* combo, const char* text) {
    QComboBox& box = Get<QComboBox>(combo);
    box.setCurrentIndex(box.findText(text));
  }
  bool ProcessEnabled() { return Get<QPushButton>("Button2").isEnabled(); }
  std::string Suns() {
    std::string out;
    for (int i = 1; i <= store->SectorsData.RecordCount(); ++i)
      out += store->SectorsData.RecordAt(i).Get("Suns").ToString();
    return out;
  }

  qvtest::EmptyStore store;
  qvtest::ScriptedDialogs dialogs;
  qv::TProcessDataForm form{dialogs, nullptr};
};

TEST_F(ProcessDataFormTest, ControlsFollowTheFilterChoiceAndTheChosenFields) {
  EXPECT_EQ(form.windowTitle(), "Table: SectorsData");
  EXPECT_EQ(Get<QComboBox>("ComboBox7").count(), store->SectorsData.FieldCount());
  EXPECT_EQ(Get<QComboBox>("ComboBox2").currentText(), "==");
  EXPECT_FALSE(Get<QCheckBox>("CheckBox1").isEnabled());
  EXPECT_FALSE(ProcessEnabled());  // no field to set yet
  Choose("ComboBox7", "Suns");
  EXPECT_TRUE(ProcessEnabled());

  Get<QRadioButton>("RadioButton2").setChecked(true);
  EXPECT_TRUE(Get<QCheckBox>("CheckBox1").isEnabled());
  EXPECT_FALSE(Get<QComboBox>("ComboBox1").isEnabled());
  Get<QCheckBox>("CheckBox2").setChecked(true);
  EXPECT_TRUE(Get<QComboBox>("ComboBox3").isEnabled());
  EXPECT_TRUE(Get<QLineEdit>("Edit2").isEnabled());
  EXPECT_FALSE(ProcessEnabled());  // a checked condition without its field
  Choose("ComboBox3", "Suns");
  EXPECT_TRUE(ProcessEnabled());
  Get<QCheckBox>("CheckBox2").setChecked(false);
  Get<QCheckBox>("CheckBox3").setChecked(true);
  EXPECT_FALSE(ProcessEnabled());
  Get<QRadioButton>("RadioButton1").setChecked(true);  // the filter's boxes no longer count
  EXPECT_TRUE(ProcessEnabled());
}

TEST_F(ProcessDataFormTest, ProcessReportsTheCountOrTheRowTheTableRefused) {
  Get<QRadioButton>("RadioButton2").setChecked(true);
  Get<QCheckBox>("CheckBox1").setChecked(true);
  Choose("ComboBox1", "Suns");
  Choose("ComboBox2", ">=");
  Get<QLineEdit>("Edit1").setText("3");
  Choose("ComboBox7", "Suns");
  Get<QLineEdit>("Edit4").setText("9");
  form.Button2Click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(Suns(), "12999");
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text, "3 records processed");
  EXPECT_EQ(dialogs.shown[0].caption, "Process");
  EXPECT_EQ(dialogs.shown[0].icon, qv::MessageIcon::None);

  store->SectorsData.BeforePost = [](qv::Table& t) {
    if (t.FieldByName("Name").AsString() == "S4") throw qv::TableError("S4 is locked");
  };
  Get<QLineEdit>("Edit4").setText("0");
  form.Button2Click();
  EXPECT_EQ(Suns(), "12099");
  ASSERT_EQ(dialogs.shown.size(), 2u);
  EXPECT_EQ(dialogs.shown[1].text,
            "Record 4 was not changed: S4 is locked (1 records processed before it)");
  EXPECT_EQ(dialogs.shown[1].icon, qv::MessageIcon::Error);
  EXPECT_EQ(store->SectorsData.State(), qv::TableState::Browse);
  EXPECT_FALSE(store->SectorsData.ControlsDisabled());
}

TEST_F(ProcessDataFormTest, AValueLongerThanTheFieldIsRefusedNamingFieldAndLength) {
  Choose("ComboBox7", "Name");
  QLineEdit& value = Get<QLineEdit>("Edit4");
  value.setText(QString(65, 'N'));
  form.Button2Click();
  ASSERT_EQ(dialogs.shown.size(), 1u);
  EXPECT_EQ(dialogs.shown[0].text,
            "Field \"Name\" holds at most 40 characters; the value has 65. Nothing was changed.");
  EXPECT_EQ(dialogs.shown[0].caption, "Error");
  EXPECT_NE(form.result(), QDialog::Accepted);  // still open, to shorten the value
  EXPECT_EQ(value.selectedText().size(), 65);
  EXPECT_EQ(store->SectorsData.RecordAt(1).Get("Name").ToString(), "S1");

  value.setText(QString(40, 'N'));
  form.Button2Click();
  EXPECT_EQ(dialogs.shown.back().text, "5 records processed");
  EXPECT_EQ(store->SectorsData.RecordAt(1).Get("Name").ToString(), std::string(40, 'N'));
}

}  // namespace
