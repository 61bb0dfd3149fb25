#include "settings/QtFontColorDialog.h"

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "settings/QtColors.h"
#include "support/ScriptedDialogs.h"

namespace {

QLineEdit* Sample(QWidget& dialog) {
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
    if (auto* sample = group->findChild<QLineEdit*>()) return sample;
  return nullptr;
}

class QtFontColorDialogTest : public ::testing::Test {
 protected:
  qvtest::ScriptedDialogs dialogs_;
  qv::CustomColorList custom_{};
  const qv::TFontParams font_{
      .Name = "DejaVu Sans", .Color = 0x00FFFF, .Style = qv::kFontUnderline, .Charset = 204};
};

// The colour sits with the effects, is picked with the program's custom
// colours, shows in the sample and comes back with the font.
TEST_F(QtFontColorDialogTest, ColourIsChosenWithTheEffects) {
  custom_[0] = "ColorA=FFFFFF";
  dialogs_.colorAnswers = {0x0000FF};
  dialogs_.reportedCustomColors = {"ColorA=123456"};
  qv::QtFontColorDialog dialog(font_, true, dialogs_, custom_, "&Farbe:");
  auto* button = dialog.findChild<QPushButton*>("ColorButton");
  ASSERT_NE(button, nullptr);
  EXPECT_NE(qobject_cast<QGroupBox*>(button->parentWidget()), nullptr);

  button->click();
  EXPECT_EQ(dialogs_.givenCustomColors, std::vector<std::string>{"ColorA=FFFFFF"});
  EXPECT_EQ(custom_[0], "ColorA=123456");
  ASSERT_NE(Sample(dialog), nullptr);
  EXPECT_EQ(Sample(dialog)->palette().color(QPalette::Text), QColor(255, 0, 0));
  const qv::TFontParams chosen = dialog.Chosen();
  EXPECT_EQ(chosen.Color, 0x0000FF);
  EXPECT_EQ(chosen.Charset, 204);
  EXPECT_EQ(chosen.Style & qv::kFontUnderline, unsigned{qv::kFontUnderline});
}

// Confirmed untouched, the dialog gives back the font it was given, whether
// the face is on the system or stood in for, plain or bold.
TEST_F(QtFontColorDialogTest, UntouchedDialogGivesBackTheFontItWasGiven) {
  for (const char* face : {"DejaVu Sans", "Liberation Sans", "Arial", "No Such Face"}) {
    for (const unsigned style : {0u, unsigned{qv::kFontBold}, unsigned{qv::kFontItalic}}) {
      const qv::TFontParams font{.Name = face, .Size = 11, .Style = style};
      qv::QtFontColorDialog dialog(font, true, dialogs_, custom_, "&Colour:");
      EXPECT_EQ(dialog.Chosen(), font) << face << " " << style;
    }
  }
}

}  // namespace
