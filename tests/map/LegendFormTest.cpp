#include "map/LegendForm.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTabWidget>

#include "data/IniFile.h"
#include "map/QtShape.h"
#include "settings/MainWindowSettings.h"

namespace {

using qv::TLegendForm;

class LegendFormTest : public ::testing::Test {
 protected:
  LegendFormTest() {
    request_.Count = 2;
    request_.ProductName = {"Ore", "Chips"};
    request_.Operation = {1, 0};
    request_.Color = {0x112233, 0x445566};
    request_.Max = {7.6, 10.0};
  }

  QLabel& Label(const char* name) {
    auto* label = form_.findChild<QLabel*>(name);
    EXPECT_NE(label, nullptr) << name;
    return *label;
  }
  qv::QtShape& Shape(const char* name) {
    auto* shape = form_.findChild<qv::QtShape*>(name);
    EXPECT_NE(shape, nullptr) << name;
    return *shape;
  }
  std::string Text(const char* name) { return Label(name).text().toStdString(); }
  bool Shown(QWidget& widget) { return !widget.isHidden(); }
  std::string Panel2Caption() {
    return form_.findChild<QWidget*>("Panel2")->property("caption").toString().toStdString();
  }

  TLegendForm form_;
  qv::TMapSettings map_;
  qv::TRequestData request_;
};

TEST_F(LegendFormTest, ProductRowsShowNamesRolesAndValuesOnlyWithASelectedSector) {
  form_.UpdateLegend(map_, request_, nullptr, true, false);
  EXPECT_EQ(Text("Label15"), "Ore - need");
  EXPECT_EQ(Text("Label16"), "Chips - prod.");
  EXPECT_EQ(Label("Label15").toolTip().toStdString(), "Ore - need");
  EXPECT_FALSE(Label("Label15").font().underline());
  EXPECT_FALSE(Label("Label16").font().underline());
  EXPECT_EQ(Shape("Shape15").BrushColor(), 0x112233);
  EXPECT_EQ(Shape("Shape16").BrushColor(), 0x445566);
  EXPECT_TRUE(Shown(Shape("Shape16")));
  EXPECT_FALSE(Shown(Shape("Shape17")));
  EXPECT_FALSE(Shown(Label("Label17")));
  EXPECT_EQ(Text("Label17"), "");
  EXPECT_EQ(Text("Label21"), "Number of factories");
  EXPECT_EQ(Panel2Caption(), "");

  // Values are cut to whole numbers; only the top sector of a product is underlined.
  const double cell[6] = {3.9, 10.0, 0, 0, 0, 0};
  form_.UpdateLegend(map_, request_, cell, true, true);
  EXPECT_EQ(Text("Label15"), "Ore - need (3/7)");
  EXPECT_EQ(Text("Label16"), "Chips - prod. (10/10)");
  EXPECT_FALSE(Label("Label15").font().underline());
  EXPECT_TRUE(Label("Label16").font().underline());
  EXPECT_EQ(Text("Label21"), "Product rates, units/h");

  // Selecting a sector without the maximum removes the underline again and
  // keeps the label's other styles.
  QFont bold = Label("Label16").font();
  bold.setBold(true);
  Label("Label16").setFont(bold);
  const double other[6] = {7.6, 2.0, 0, 0, 0, 0};
  form_.UpdateLegend(map_, request_, other, true, false);
  EXPECT_TRUE(Label("Label15").font().underline());
  EXPECT_FALSE(Label("Label16").font().underline());
  EXPECT_TRUE(Label("Label16").font().bold());
}

TEST_F(LegendFormTest, WithoutStatisticsThePageShowsOnlyNotAvailable) {
  const double cell[6] = {1, 2, 0, 0, 0, 0};
  form_.UpdateLegend(map_, request_, cell, false, false);
  EXPECT_EQ(Panel2Caption(), "N/A");
  for (const char* name : {"Label15", "Label16", "Label21"})
    EXPECT_FALSE(Shown(Label(name)));
  for (const char* name : {"Shape15", "Shape16"})
    EXPECT_FALSE(Shown(Shape(name)));

  form_.UpdateLegend(map_, qv::TRequestData{}, nullptr, true, false);  // nothing requested yet
  EXPECT_EQ(Panel2Caption(), "");
  EXPECT_TRUE(Shown(Label("Label21")));
  EXPECT_FALSE(Shown(Label("Label15")));
}

TEST_F(LegendFormTest, PageCaptionStandsInTheMiddleOfThePage) {
  form_.UpdateLegend(map_, request_, nullptr, false, false);
  form_.ShowPage(true);
  form_.show();
  QApplication::processEvents();
  auto* panel = form_.findChild<QWidget*>("Panel2");
  QLabel& caption = Label("Panel2Caption");
  EXPECT_EQ(caption.text(), "N/A");
  const QPoint centre = caption.mapTo(panel, caption.rect().center());
  EXPECT_NEAR(centre.y(), panel->rect().center().y(), 3);
  EXPECT_NEAR(centre.x(), panel->rect().center().x(), 3);

  // Statistics of a request that names no product say so in the same place.
  qv::TRequestData unnamed = request_;
  unnamed.ProductName = {};
  form_.UpdateLegend(map_, unnamed, nullptr, true, false);
  EXPECT_EQ(caption.text(), "no product chosen");
  for (const char* name : {"Label15", "Label16", "Label21"})
    EXPECT_FALSE(Shown(Label(name)));
  form_.hide();
}

TEST_F(LegendFormTest, GeneralPageFollowsRaceColoursAndStationMarks) {
  map_.KessarColor = 0x010203;
  map_.ZhurrColor = 0x040506;
  map_.NoRaceColor = 0x070809;
  map_.DocksAsLetter = true;
  map_.ShipyardsAsLetter = false;
  map_.PirateBasesAsLetter = true;
  form_.UpdateLegend(map_, request_, nullptr, false, false);
  EXPECT_EQ(Shape("Shape1").BrushColor(), 0x010203);
  EXPECT_EQ(Shape("Shape2").BrushColor(), map_.LumariColor);
  EXPECT_EQ(Shape("Shape6").BrushColor(), map_.PiratesColor);
  EXPECT_EQ(Shape("Shape7").BrushColor(), 0x040506);
  EXPECT_EQ(Shape("Shape8").BrushColor(), 0x070809);
  EXPECT_TRUE(Shown(Label("Label13")));
  EXPECT_FALSE(Shown(Shape("Shape12")));
  EXPECT_FALSE(Shown(Label("Label12")));
  EXPECT_TRUE(Shown(Shape("Shape13")));
  EXPECT_TRUE(Shown(Label("Label14")));
  EXPECT_FALSE(Shown(Shape("Shape14")));

  map_.DocksAsLetter = false;
  form_.UpdateLegend(map_, request_, nullptr, false, false);
  EXPECT_FALSE(Shown(Label("Label13")));
  EXPECT_TRUE(Shown(Shape("Shape12")));
}

TEST_F(LegendFormTest, LanguageFileReplacesCaptionsAndTextsInPlace) {
  const double cell[6] = {3, 10, 0, 0, 0, 0};
  form_.UpdateLegend(map_, request_, cell, true, false);
  qv::IniFile language("");
  language.WriteString("LegendForm", "Caption", "Legende");
  language.WriteString("LegendForm", "Label4.Caption", "Kessar-Reich");
  language.WriteString("LegendForm", "GeneralSheet.Caption", "Allgemein");
  language.WriteString("LegendForm", "ConsLegend", "Bedarf");
  language.WriteString("LegendForm", "NumberText", "Anzahl der Fabriken");
  form_.Translate(language);
  EXPECT_EQ(form_.windowTitle().toStdString(), "Legende");
  EXPECT_EQ(Text("Label4"), "Kessar-Reich");
  auto* pages = form_.findChild<QTabWidget*>("PageControl1");
  EXPECT_EQ(pages->tabText(0).toStdString(), "Allgemein");
  EXPECT_EQ(Text("Label15"), "Ore - Bedarf (3/7)");
  EXPECT_EQ(Text("Label16"), "Chips - prod. (10/10)");
  EXPECT_EQ(Text("Label21"), "Anzahl der Fabriken");
}

void DoubleClick(QWidget& widget) {
  QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(2, 2), widget.mapToGlobal(QPointF(2, 2)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&widget, &event);
}

TEST_F(LegendFormTest, DoubleClickAsksForPreferencesAndClosingIsReported) {
  int preferences = 0;
  int closed = 0;
  QObject::connect(&form_, &TLegendForm::preferencesRequested, [&] { ++preferences; });
  QObject::connect(&form_, &TLegendForm::closed, [&] { ++closed; });
  form_.show();
  DoubleClick(Label("Label5"));
  DoubleClick(*form_.findChild<QWidget*>("Panel2"));
  EXPECT_EQ(preferences, 2);
  form_.ShowPage(true);
  EXPECT_EQ(form_.findChild<QTabWidget*>("PageControl1")->currentIndex(), 1);
  form_.ShowPage(false);
  EXPECT_EQ(form_.findChild<QTabWidget*>("PageControl1")->currentIndex(), 0);
  form_.close();
  EXPECT_EQ(closed, 1);
  EXPECT_FALSE(form_.isVisible());
}

}  // namespace
