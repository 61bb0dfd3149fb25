#include "editors/RevealSectorForm.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "support/UniverseRows.h"

namespace {

using qvtest::AddSector;

class RevealSectorFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AddSector(*store, {.name = "Lookout", .x = 4, .y = 7});
    AddSector(*store, {.name = "Shadow",
                       .x = 4,
                       .y = 6,
                       .race = "Drakh",
                       .suns = 3,
                       .east = true,
                       .nameDx = 2,
                       .visible = false});
    AddSector(*store, {.name = "Mist", .x = 3, .y = 7, .visible = false});
    form.FormShow();
  }
  template <typename T>
  T& Get(const char* name) {
    T* child = form.findChild<T*>(name);
    EXPECT_NE(child, nullptr) << name;
    return *child;
  }
  std::string Position() {
    return (Get<QLineEdit>("Edit4").text() + "," + Get<QLineEdit>("Edit5").text()).toStdString();
  }
  std::string Status() { return Get<QLabel>("Label1").text().toStdString(); }
  bool OkEnabled() { return Get<QPushButton>("Button1").isEnabled(); }
  void Press(const char* button) {
    Get<QAbstractButton>(button).setChecked(!Get<QAbstractButton>(button).isChecked());
    form.DirectionClick(button[11] - '0');
  }

  qvtest::EmptyStore store;
  qvtest::ScriptedDialogs dialogs;
  qv::TRevealSectorForm form{*store, dialogs};
};

TEST_F(RevealSectorFormTest, RelativeToAVisibleSector) {
  QComboBox& list = Get<QComboBox>("ComboBox5");
  ASSERT_EQ(list.count(), 1);  // only visible sectors
  list.setCurrentIndex(0);
  EXPECT_EQ(Position(), ",");  // no direction yet
  EXPECT_FALSE(OkEnabled());
  Press("SpeedButton1");  // N
  EXPECT_EQ(Position(), "4,6");
  EXPECT_EQ(Status(), "");
  EXPECT_TRUE(OkEnabled());
  Press("SpeedButton4");  // W: the other button goes up
  EXPECT_FALSE(Get<QAbstractButton>("SpeedButton1").isChecked());
  EXPECT_EQ(Position(), "3,7");
  Press("SpeedButton3");  // E: nothing stands there
  EXPECT_EQ(Position(), "5,7");
  EXPECT_EQ(Status(), "Not found");
  EXPECT_FALSE(OkEnabled());

  QKeyEvent key(QEvent::KeyPress, Qt::Key_5, Qt::NoModifier, "5");
  QApplication::sendEvent(&Get<QLineEdit>("Edit4"), &key);
  EXPECT_FALSE(Get<QAbstractButton>("SpeedButton3").isChecked());
}

TEST_F(RevealSectorFormTest, ByPositionRevealsOnlyAHiddenSector) {
  Get<QLineEdit>("Edit4").setText("4");
  Get<QLineEdit>("Edit5").setText("7");
  EXPECT_EQ(Status(), "Already visible");
  EXPECT_FALSE(OkEnabled());
  Get<QLineEdit>("Edit5").clear();
  EXPECT_EQ(Status(), "Already visible");  // half a position changes nothing
  Get<QLineEdit>("Edit5").setText("6");
  ASSERT_TRUE(OkEnabled());
  form.Button1Click();
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_EQ(form.RevealedPosition(), (qv::TGridPos{4, 6}));

  ASSERT_TRUE(store->LocateSectorAt(4, 6));
  const qv::Table& t = store->SectorsData;
  EXPECT_TRUE(t.FieldByName("Visible").AsBoolean());
  EXPECT_EQ(t.FieldByName("Race").AsString(), "Drakh");
  EXPECT_EQ(t.FieldByName("Suns").AsInteger(), 3);
  EXPECT_TRUE(t.FieldByName("EastGate").AsBoolean());
  EXPECT_EQ(t.FieldByName("NameDx").AsInteger(), 2);
  EXPECT_TRUE(store->DataChanged());

  form.FormShow();  // every showing starts afresh
  EXPECT_EQ(Position(), ",");
  EXPECT_EQ(Status(), "");
  EXPECT_EQ(Get<QComboBox>("ComboBox5").count(), 2);
}

}  // namespace
