#include "economy/FactSimpleCalcForm.h"

#include <gtest/gtest.h>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

#include "data/DataModule1.h"
#include "support/UniverseRows.h"
#include "widgets/QtUpDown.h"

namespace {

using qv::TProductFrame;

// Receives the frames' change notices.
class CountingOwner : public qv::TProductPanelOwnerForm {
 public:
  void ProductChanged(TProductFrame* frame) override {
    ++changes;
    lastPrice = frame->Price();
  }
  int changes = 0;
  int lastPrice = 0;
};

template <typename T>
T& Child(QWidget& parent, const char* name) {
  T* child = parent.findChild<T*>(name);
  EXPECT_NE(child, nullptr) << name;
  return *child;
}

std::string Text(QWidget& parent, const char* name) {
  return Child<QLabel>(parent, name).text().toStdString();
}

TEST(ProductFrameTest, EveryControlSetsThePriceAndTellsTheOwner) {
  CountingOwner owner;
  TProductFrame frame(&owner, &owner);
  qv::TStoreTexts texts;
  frame.SetupFrame({"Wheat", 7, true, 20, 0, 50, 10, 0}, true, 600, texts);
  QSlider& track = Child<QSlider>(frame, "TrackBar1");
  QLineEdit& edit = Child<QLineEdit>(frame, "Edit1");
  EXPECT_EQ(Text(frame, "Label1"), "Product: Wheat");
  EXPECT_EQ(Text(frame, "Label2") + ".." + Text(frame, "Label3"), "20..100");
  EXPECT_EQ(Text(frame, "Label4"), "60 units/h");
  EXPECT_EQ(track.maximum(), 80);
  EXPECT_EQ(track.tickInterval(), 8);
  EXPECT_EQ(edit.text(), "50");
  EXPECT_EQ(owner.changes, 0);  // filling is no change of the player's

  track.setValue(40);
  EXPECT_EQ(owner.lastPrice, 60);  // position + minimum
  edit.setText("abc");
  EXPECT_EQ(frame.Price(), 0);
  EXPECT_EQ(edit.text(), "0");
  EXPECT_EQ(track.value(), 0);
  edit.setText("5000");
  EXPECT_EQ(frame.Price(), 5000);
  EXPECT_EQ(track.value(), 80);  // the track bar stops at its end
  frame.Label2Click();
  frame.UpDown1Click(false);  // one below the minimum
  EXPECT_EQ(frame.Price(), 19);
  EXPECT_EQ(track.value(), 0);
  frame.Label3Click();
  EXPECT_EQ(frame.Price(), 100);
  frame.Button1Click();
  EXPECT_EQ(frame.Price(), 50);
  EXPECT_EQ(owner.changes, 7);

  frame.SetPrice(70);
  EXPECT_EQ(owner.changes, 7);
  EXPECT_EQ(edit.text(), "70");
  EXPECT_EQ(track.value(), 50);
}

TEST(ProductFrameTest, ShipPricesUseTheWholeRangeOnTrackBarAndArrows) {
  CountingOwner owner;
  TProductFrame frame(&owner, &owner);
  frame.SetupFrame({"Scout", 9, false, 100000, 900000, 0, 0, 0}, true, -1, qv::TStoreTexts());
  QSlider& track = Child<QSlider>(frame, "TrackBar1");
  qv::QtUpDown& arrows = Child<qv::QtUpDown>(frame, "UpDown1");
  EXPECT_EQ(Text(frame, "Label1"), "Resource: Scout");
  EXPECT_EQ(Text(frame, "Label4"), "? units/h");
  EXPECT_EQ(frame.Price(), 500000);
  EXPECT_EQ(track.maximum(), 800000);
  EXPECT_EQ(arrows.Maximum(), 800000);
  EXPECT_EQ(arrows.Position(), 400000);
  arrows.Step(true);
  EXPECT_EQ(frame.Price(), 500001);
  EXPECT_EQ(arrows.Position(), 400001);
  track.setValue(799999);
  EXPECT_EQ(frame.Price(), 899999);
}

// A farm (10 wheat at 100 from 20 ore at 30 per 600 s), an ore mine and a
// solar power plant; sectors to take a solar cycle from.
class FactSimpleCalcFormTest : public ::testing::Test {
 protected:
  FactSimpleCalcFormTest() {
    qv::TDataModule1& s = *store;
    const int wheat = qvtest::AddRowId(s.ProductsData, {{"Name", "Wheat"}, {"Avg", 100}});
    ore = qvtest::AddRowId(s.ProductsData, {{"Name", "Ore"}, {"Avg", 30}});
    const int energy = qvtest::AddRowId(s.ProductsData, {{"Name", "Energy"}, {"Avg", 15}});
    const int farm = qvtest::AddFactoryType(s, "Farm", 0, 600);
    const int mine = qvtest::AddFactoryType(s, "Ore Mine", 2, 600);
    const int solar = qvtest::AddFactoryType(s, "Solar Plant", 1, 60);
    qvtest::AddFactoryType(s, "Secret Lab", 0, 60, false);
    qvtest::AddRecipe(s, farm, 1, ore, 20);
    qvtest::AddRecipe(s, farm, 0, wheat, 10);
    qvtest::AddRecipe(s, mine, 0, ore, 10);
    qvtest::AddRecipe(s, solar, 0, energy, 100);
    qvtest::AddSector(s, {.name = "Twin Suns", .x = 0, .y = 0, .suns = 2});
    qvtest::AddSector(s, {.name = "Dark", .x = 1, .y = 0, .suns = 0, .visible = false});
    form.FormShow();
  }

  void Choose(const char* type) {
    QComboBox& types = Child<QComboBox>(form, "ComboBox1");
    types.setCurrentIndex(types.findText(type));
  }
  void SetFramePrice(int frame, int price) {
    Child<QLineEdit>(*form.Frames().at(frame), "Edit1").setText(QString::number(price));
  }
  std::string Profit() { return Text(form, "Label3") + " / " + Text(form, "Label5"); }
  QLineEdit& Box() { return Child<QLineEdit>(form, "Edit1"); }

  qvtest::EmptyStore store;
  qv::TFactSimpleCalcForm form{*store};
  int ore = 0;
};

TEST_F(FactSimpleCalcFormTest, OrdinaryMineAndSolarTypes) {
  QComboBox& types = Child<QComboBox>(form, "ComboBox1");
  EXPECT_EQ(types.count(), 3);  // buyable types only
  EXPECT_EQ(Profit(), " / ");

  Choose("Farm");
  ASSERT_EQ(form.Frames().size(), 2u);
  EXPECT_EQ(Text(*form.Frames()[0], "Label1"), "Product: Wheat");
  EXPECT_EQ(Profit(), "40 / 2400");
  EXPECT_TRUE(Box().isHidden());
  Box().setText("5");  // an ordinary type ignores the box
  EXPECT_EQ(Profit(), "40 / 2400");
  SetFramePrice(1, 31);
  EXPECT_EQ(Profit(), "38 / 2280");

  Choose("Ore Mine");
  EXPECT_FALSE(Box().isHidden());
  EXPECT_TRUE(Child<QComboBox>(form, "ComboBox2").isHidden());
  EXPECT_EQ(Text(form, "Label7"), "Yield:");
  EXPECT_EQ(Box().text(), "10");
  EXPECT_EQ(Profit(), "30 / 18000");
  EXPECT_EQ(Text(*form.Frames()[0], "Label4"), "600 units/h");
  Box().setText("-5");
  EXPECT_EQ(Profit(), "30 / ?");
  EXPECT_EQ(Text(*form.Frames()[0], "Label4"), "? units/h");

  Choose("Solar Plant");
  QComboBox& sectors = Child<QComboBox>(form, "ComboBox2");
  EXPECT_EQ(Text(form, "Label7"), "Cycle:");
  EXPECT_EQ(Box().text(), "90");
  EXPECT_EQ(sectors.count(), 2);  // hidden sectors too
  sectors.setCurrentIndex(sectors.findText("Twin Suns"));
  form.ComboBox2Change();
  EXPECT_EQ(Box().text(), "72");
  EXPECT_EQ(Profit(), "15 / 75000");
  sectors.setCurrentIndex(sectors.findText("Dark"));
  form.ComboBox2Change();
  EXPECT_EQ(Box().text(), "72");
  EXPECT_EQ(sectors.currentIndex(), -1);
  Box().setText("125");
  EXPECT_EQ(Box().toolTip(), "2 min 5 sec (approx. suns: 1)");
}

TEST_F(FactSimpleCalcFormTest, ReopeningKeepsTypePricesAndYield) {
  Choose("Ore Mine");
  SetFramePrice(0, 44);
  Box().setText("12");
  form.FormShow();
  EXPECT_EQ(Child<QComboBox>(form, "ComboBox1").currentText(), "Ore Mine");
  ASSERT_EQ(form.Frames().size(), 1u);
  EXPECT_EQ(form.Frames()[0]->Price(), 44);
  EXPECT_EQ(Box().text(), "12");
  EXPECT_EQ(Profit(), "44 / 31680");

  // A price of 0 is not remembered: the frame starts at the average again.
  SetFramePrice(0, 0);
  form.FormShow();
  EXPECT_EQ(form.Frames()[0]->Price(), 30);
}

}  // namespace
