#include "settings/PrefForm.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <functional>
#include <string>

#include "settings/MainWindowSettings.h"
#include "support/QtWidgetProbes.h"
#include "support/ScriptedDialogs.h"

namespace {

using qv::TPrefForm;

class PrefFormTest : public ::testing::Test {
 protected:
  // Opens the dialog, runs `script` on it, and cancels it when the script
  // left it open.
  bool Run(const std::function<void()>& script) {
    QTimer::singleShot(0, [&] {
      script();
      if (form_.isVisible()) form_.reject();
    });
    return form_.Execute(map_, request_);
  }

  template <typename T>
  T& Get(const char* name) {
    T* widget = form_.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return *widget;
  }
  void Click(const char* name) { Get<QAbstractButton>(name).click(); }

  qvtest::ScriptedDialogs dialogs_;
  qv::CustomColorList customColors_;
  TPrefForm form_{dialogs_, customColors_};
  qv::TMapSettings map_;
  qv::TRequestSettings request_;
};

TEST_F(PrefFormTest, CancelKeepsEveryChoiceAndTheNextShowingStartsAfresh) {
  const qv::TMapSettings before = map_;
  dialogs_.colorAnswers = {0x123456, 0x654321};
  dialogs_.fontAnswers = {qv::TFontParams{.Name = "Courier", .Size = 20}};
  EXPECT_FALSE(Run([&] {
    Click("BitBtn1");
    Click("BitBtn13");
    Click("Button3");
    Get<QSpinBox>("UpDown1").setValue(77);
    Click("CheckBox4");
    Click("Button2");
  }));
  EXPECT_EQ(map_.SectorBorderColor, before.SectorBorderColor);
  EXPECT_EQ(map_.RouteColor, 0x0080FF);
  EXPECT_EQ(map_.SectorNameFont, before.SectorNameFont);
  EXPECT_EQ(map_.SectorSize, before.SectorSize);
  EXPECT_EQ(map_.DocksAsLetter, before.DocksAsLetter);

  // Reopened and confirmed at once: the old values come back unchanged.
  EXPECT_TRUE(Run([&] {
    EXPECT_EQ(Get<QSpinBox>("UpDown1").value(), before.SectorSize);
    Click("Button1");
  }));
  EXPECT_EQ(map_.SectorBorderColor, before.SectorBorderColor);
  EXPECT_EQ(map_.SectorNameFont, before.SectorNameFont);
}

TEST_F(PrefFormTest, ChoosingTheSameColourChangesNothing) {
  map_.GateLineColor = 0x00AA00;
  customColors_[0] = "ColorA=FFFFFF";
  dialogs_.colorAnswers = {0x00AA00};
  dialogs_.reportedCustomColors = {"ColorA=000000", "ColorB=111111"};
  Run([&] {
    auto& button = Get<QPushButton>("BitBtn3");
    const qint64 glyph = button.icon().cacheKey();
    Click("BitBtn3");
    EXPECT_EQ(button.icon().cacheKey(), glyph);
    Click("Button1");
  });
  EXPECT_EQ(map_.GateLineColor, 0x00AA00);
  EXPECT_EQ(dialogs_.givenCustomColors, std::vector<std::string>{"ColorA=FFFFFF"});
}

TEST_F(PrefFormTest, NumbersOutsideTheirRangeShowAtTheNearerEnd) {
  map_.SectorDx = 150;
  map_.BorderDy = -3;
  Run([&] {
    EXPECT_EQ(Get<QSpinBox>("UpDown2").value(), 100);
    EXPECT_EQ(Get<QSpinBox>("UpDown5").value(), 0);
    // Typed beyond the range, a number is kept as typed until OK holds it.
    qvtest::TypeInto(Get<QSpinBox>("UpDown4"), "150");
    EXPECT_EQ(Get<QLineEdit>("Edit3").text(), "150");
    Click("Button1");
    EXPECT_EQ(Get<QLineEdit>("Edit3").text(), "100");
  });
  EXPECT_EQ(map_.SectorDx, 100);
  EXPECT_EQ(map_.BorderDy, 0);
  EXPECT_EQ(map_.BorderDx, 100);
}

TEST_F(PrefFormTest, OkCopiesEveryControlToItsSetting) {
  dialogs_.colorAnswers = {0x000011, 0x000022, 0x000033, 0x000044, 0x000055};
  dialogs_.reportedCustomColors = {"ColorA=ABCDEF"};
  const qv::TFontParams stations{.Name = "Verdana", .Size = 7, .Color = 0x0000FF};
  dialogs_.fontAnswers = {stations};
  request_.VerticalBars = true;
  map_.ShipyardsAsLetter = true;
  EXPECT_TRUE(Run([&] {
    Click("BitBtn1");   // border
    Click("BitBtn12");  // background
    Click("BitBtn4");   // Kessar
    Click("BitBtn11");  // no race
    Click("BitBtn13");  // the route
    Click("Button6");   // stations font
    Get<QSpinBox>("UpDown3").setValue(60);
    Get<QSpinBox>("UpDown4").setValue(25);
    Get<QSpinBox>("UpDown6").setValue(3);
    Click("CheckBox1");  // vertical bars off
    Click("CheckBox3");  // numbers only on
    Click("CheckBox5");  // shipyards as shapes
    Click("Button1");
  }));
  EXPECT_EQ(map_.SectorBorderColor, 0x000011);
  EXPECT_EQ(map_.BackgroundColor, 0x000022);
  EXPECT_EQ(map_.KessarColor, 0x000033);
  EXPECT_EQ(map_.NoRaceColor, 0x000044);
  EXPECT_EQ(map_.RouteColor, 0x000055);
  EXPECT_EQ(map_.StationsFont, stations);
  EXPECT_EQ(map_.SectorDy, 60);
  EXPECT_EQ(map_.BorderDx, 25);
  EXPECT_EQ(request_.BarWidth, 3);
  EXPECT_FALSE(request_.VerticalBars);
  EXPECT_TRUE(request_.NumbersOnly);
  EXPECT_FALSE(map_.ShipyardsAsLetter);
  EXPECT_EQ(customColors_[0], "ColorA=ABCDEF");
  EXPECT_TRUE(dialogs_.lastShowEffects);
}

// Fixed at the designed size, with nothing to minimise or maximise.
TEST_F(PrefFormTest, DialogHasTheDesignedSizeAndOnlyACloseButton) {
  Run([&] { EXPECT_EQ(form_.size(), QSize(479, 333)); });
  EXPECT_EQ(form_.minimumSize(), form_.maximumSize());
  EXPECT_FALSE(form_.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// Each control edits its own setting: every colour, number, font and switch
// changed at once lands where it belongs, and the rest stay.
TEST_F(PrefFormTest, EveryControlIsBoundToItsOwnSetting) {
  map_.ShowSuns = true;
  map_.Zoom = 1.5;
  request_.Traders = 2;
  for (int i = 1; i <= 12; ++i)
    dialogs_.colorAnswers.push_back(0x010000 * i);
  for (const char* name : {"A", "B", "C", "D"})
    dialogs_.fontAnswers.push_back(qv::TFontParams{.Name = name});
  qv::TMapSettings map = map_;
  qv::TRequestSettings request = request_;
  EXPECT_TRUE(Run([&] {
    // In the order of the map, races and misc groups.
    for (int number : {1, 3, 12, 13, 4, 5, 6, 7, 8, 9, 10, 11})
      Click(("BitBtn" + std::to_string(number)).c_str());
    for (int i = 1; i <= 6; ++i)
      Get<QSpinBox>(("UpDown" + std::to_string(i)).c_str()).setValue(20 + i);
    for (const char* font : {"Button3", "Button4", "Button5", "Button6"})
      Click(font);
    for (const char* box : {"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"})
      Click(box);
    Click("Button1");
  }));
  qv::TColor next = 0;
  for (qv::TColor* color :
       {&map.SectorBorderColor, &map.GateLineColor, &map.BackgroundColor, &map.RouteColor,
        &map.KessarColor, &map.LumariColor, &map.VosskColor, &map.OrthaneColor, &map.DrakhColor,
        &map.PiratesColor, &map.ZhurrColor, &map.NoRaceColor})
    *color = next += 0x010000;
  int size = 20;
  for (int* number : {&map.SectorSize, &map.SectorDx, &map.SectorDy, &map.BorderDx, &map.BorderDy,
                      &request.BarWidth})
    *number = ++size;
  map.SectorNameFont.Name = "A";
  map.ReqDigitFont = qv::TFontParams{.Name = "B"};
  map.SunFont = qv::TFontParams{.Name = "C"};
  map.StationsFont = qv::TFontParams{.Name = "D"};
  for (bool* on : {&request.VerticalBars, &request.ShowNumbers, &request.NumbersOnly,
                   &map.DocksAsLetter, &map.ShipyardsAsLetter})
    *on = !*on;
  EXPECT_TRUE(map_ == map);
  EXPECT_TRUE(request_ == request);
}

}  // namespace
