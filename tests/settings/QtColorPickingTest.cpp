#include "settings/QtColorPicking.h"

#include <gtest/gtest.h>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPalette>
#include <QPushButton>

#include "settings/QtColors.h"
#include "support/ScriptedDialogs.h"

namespace {

// Compared as 8-bit RGB: the palette may keep more precision than a pixel.
QRgb Palette(QPalette::ColorRole role) {
  return QGuiApplication::palette().color(role).rgb();
}
QRgb Rgb(int r, int g, int b) {
  return qRgb(r, g, b);
}

QImage Image(const QAbstractButton& button, QIcon::Mode mode) {
  return button.icon().pixmap(button.iconSize(), mode).toImage();
}

std::vector<std::string> SixteenCustomColors() {
  std::vector<std::string> colors;
  for (int i = 0; i < 16; ++i)
    colors.push_back(std::string("Color") + static_cast<char>('A' + i) + "=0000" +
                     (i < 10 ? "0" : "1") + std::to_string(i % 10));
  return colors;
}

TEST(QtColorGlyphTest, SwatchAndDisabledOutline) {
  QPushButton button("caption");
  constexpr int kWidth = 30;
  constexpr int kHeight = 12;
  qv::MakeColorGlyph(button, kWidth, kHeight, 0x0000FF);
  EXPECT_TRUE(button.text().isEmpty());
  EXPECT_EQ(button.iconSize(), QSize(kWidth + 1, kHeight + 1));

  const QImage normal = Image(button, QIcon::Normal);
  ASSERT_EQ(normal.size(), QSize(kWidth + 1, kHeight + 1));
  EXPECT_EQ(normal.pixel(0, 5), Palette(QPalette::Button));
  EXPECT_EQ(normal.pixel(1, 0), Palette(QPalette::ButtonText));
  EXPECT_EQ(normal.pixel(kWidth - 1, kHeight - 1), Palette(QPalette::ButtonText));
  EXPECT_EQ(normal.pixel(15, 6), Rgb(255, 0, 0));
  EXPECT_EQ(normal.pixel(kWidth, 6), Palette(QPalette::Button));
  EXPECT_EQ(normal.pixel(15, kHeight), Palette(QPalette::Button));

  // The disabled image: the shadow outline over the highlight one shifted by
  // a pixel down and right, nothing inside.
  const QImage disabled = Image(button, QIcon::Disabled);
  ASSERT_EQ(disabled.size(), QSize(kWidth + 1, kHeight + 1));
  EXPECT_EQ(disabled.pixel(1, 0), Palette(QPalette::Dark));
  EXPECT_EQ(disabled.pixel(kWidth, kHeight), Palette(QPalette::Highlight));
  EXPECT_EQ(disabled.pixel(15, 6), Palette(QPalette::Button));
}

TEST(QtPickColorTest, SameColourChangesNothing) {
  qvtest::ScriptedDialogs dialogs;
  dialogs.reportedCustomColors = SixteenCustomColors();
  QPushButton button("keep");
  qv::CustomColorList custom{};
  custom[2] = "ColorC=FF00";
  qv::TColor color = 0x123456;

  EXPECT_FALSE(qv::PickColor(dialogs, button, color, custom));
  EXPECT_EQ(color, 0x123456);
  EXPECT_EQ(button.text(), "keep");
  EXPECT_TRUE(button.icon().isNull());
  EXPECT_EQ(custom[2], "ColorC=FF00");
  EXPECT_EQ(custom[0], "");
  // Only the non-empty entries were given, in order.
  EXPECT_EQ(dialogs.givenCustomColors, std::vector<std::string>{"ColorC=FF00"});

  dialogs.colorAnswers.push_back(0x123456);  // confirmed, but the same colour
  EXPECT_FALSE(qv::PickColor(dialogs, button, color, custom));
  EXPECT_TRUE(button.icon().isNull());
}

TEST(QtPickColorTest, NewColourRedrawsGlyphAndTakesTheDialogsCustomColours) {
  qvtest::ScriptedDialogs dialogs;
  dialogs.reportedCustomColors = SixteenCustomColors();
  dialogs.colorAnswers.push_back(0x00FF00);
  QPushButton button;
  qv::CustomColorList custom{};
  custom[5] = "ColorF=ABCDEF";
  custom[9] = "ColorJ=123456";
  qv::TColor color = 0x0000FF;

  EXPECT_TRUE(qv::PickColor(dialogs, button, color, custom));
  EXPECT_EQ(color, 0x00FF00);
  EXPECT_EQ(dialogs.givenCustomColors,
            (std::vector<std::string>{"ColorF=ABCDEF", "ColorJ=123456"}));
  const std::vector<std::string> expected = SixteenCustomColors();
  EXPECT_EQ(std::vector<std::string>(custom.begin(), custom.end()), expected);
  EXPECT_EQ(button.iconSize(), QSize(31, 13));
  EXPECT_EQ(Image(button, QIcon::Normal).pixel(15, 6), Rgb(0, 255, 0));
}

TEST(QtPickColorTest, ShorterReportClearsTheRemainingEntries) {
  qvtest::ScriptedDialogs dialogs;
  dialogs.reportedCustomColors = {"ColorA=FFFFFF"};
  dialogs.colorAnswers.push_back(0x0000FF);
  QPushButton button;
  qv::CustomColorList custom{};
  custom.fill("ColorX=000000");
  qv::TColor color = 0;
  EXPECT_TRUE(qv::PickColor(dialogs, button, color, custom));
  EXPECT_EQ(custom[0], "ColorA=FFFFFF");
  for (std::size_t i = 1; i < custom.size(); ++i)
    EXPECT_EQ(custom[i], "") << i;
}

TEST(QtEditFontTest, ConfirmedChoiceIsCopiedCancelKeepsTheRecord) {
  qvtest::ScriptedDialogs dialogs;
  qv::TFontParams font;
  qv::TFontParams chosen;
  chosen.Name = "Courier";
  chosen.Size = 14;
  chosen.Color = 0x00FFFF;
  chosen.Style = qv::kFontBold | qv::kFontUnderline;
  chosen.Charset = 204;

  qv::CustomColorList custom{};
  dialogs.fontAnswers.push_back(std::nullopt);
  EXPECT_FALSE(qv::EditFont(font, dialogs, true, custom));
  EXPECT_EQ(font, qv::TFontParams{});
  EXPECT_TRUE(dialogs.lastShowEffects);

  dialogs.fontAnswers.push_back(chosen);
  EXPECT_TRUE(qv::EditFont(font, dialogs, false, custom));
  EXPECT_EQ(font, chosen);
  EXPECT_FALSE(dialogs.lastShowEffects);
}

}  // namespace
