#include "settings/QtDialogs.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFont>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <functional>

#include "data/IniFile.h"
#include "settings/QtFonts.h"
#include "support/TempDir.h"

namespace {

TEST(QtDialogsTest, FileFilterInQtForm) {
  EXPECT_EQ(qv::ToQtFileFilter("Bitmap files|*.bmp|All files|*.*"),
            "Bitmap files (*.bmp);;All files (*)");
  EXPECT_EQ(qv::ToQtFileFilter("Images|*.bmp;*.dib"), "Images (*.bmp *.dib)");
  // Descriptions that name their patterns already show them once.
  EXPECT_EQ(qv::ToQtFileFilter("Bitmap files (*.bmp)|*.bmp|All files (*.*)|*.*"),
            "Bitmap files (*.bmp);;All files (*)");
  EXPECT_EQ(qv::ToQtFileFilter("Images (*.bmp;*.dib)|*.bmp;*.dib"), "Images (*.bmp *.dib)");
  EXPECT_EQ(qv::ToQtFileFilter("Maps (old)|*.map"), "Maps (old) (*.map)");
  EXPECT_EQ(qv::ToQtFileFilter(""), "");
}

TEST(QtDialogsTest, DefaultExtensionOnlyWhenTheNameHasNone) {
  EXPECT_EQ(qv::WithDefaultExtension("/tmp/map", "bmp"), "/tmp/map.bmp");
  EXPECT_EQ(qv::WithDefaultExtension("/tmp/map", ".bmp"), "/tmp/map.bmp");
  EXPECT_EQ(qv::WithDefaultExtension("/tmp/map.png", "bmp"), "/tmp/map.png");
  // A dot in a folder name is not the file's extension.
  EXPECT_EQ(qv::WithDefaultExtension("/tmp/v1.2/map", "bmp"), "/tmp/v1.2/map.bmp");
  EXPECT_EQ(qv::WithDefaultExtension("/tmp/map", ""), "/tmp/map");
}

TEST(QtDialogsTest, ANameTakesTheExtensionOfTheChosenFileType) {
  EXPECT_EQ(qv::FilterExtension("PNG images (*.png)"), "png");
  EXPECT_EQ(qv::FilterExtension("Maps (old) (*.map)"), "map");
  EXPECT_EQ(qv::FilterExtension("All files (*)"), "");
  EXPECT_EQ(qv::FilterExtension("Images (*.bmp *.dib)"), "");
  EXPECT_EQ(qv::FilterExtension("Backups (*.b?k)"), "");
  EXPECT_EQ(qv::FilterExtension("no patterns"), "");
}

TEST(QtDialogsTest, CustomColourTextIsRedGreenBlue) {
  EXPECT_EQ(qv::CustomColorText(0x0000FF), "FF0000");
  EXPECT_EQ(qv::CustomColorText(0x563412), "123456");
  EXPECT_EQ(qv::ParseCustomColorText("123456"), 0x563412);
  EXPECT_EQ(qv::ParseCustomColorText("FF00"), 0x00FF00);
  EXPECT_EQ(qv::ParseCustomColorText("ff"), 0xFF0000);
  EXPECT_EQ(qv::ParseCustomColorText(""), std::nullopt);
  EXPECT_EQ(qv::ParseCustomColorText("1234567"), std::nullopt);
  EXPECT_EQ(qv::ParseCustomColorText("red"), std::nullopt);
}

TEST(QtFontsTest, ScaledSizeAndStyleRoundTrip) {
  qv::TFontParams font;
  font.Name = "Courier";
  font.Size = 9;
  font.Color = 0x00FFFF;
  font.Style = qv::kFontItalic | qv::kFontStrikeOut;
  font.Charset = 204;
  const QFont scaled = qv::ToQFont(font, 1.5);
  EXPECT_EQ(scaled.pointSize(), 13);  // trunc(13.5)
  EXPECT_TRUE(scaled.italic());
  EXPECT_TRUE(scaled.strikeOut());
  EXPECT_FALSE(scaled.bold());
  EXPECT_EQ(qv::ToQFont(font, 0.05).pointSize(), 1);

  EXPECT_EQ(qv::FromQFont(qv::ToQFont(font), font), font);
}

}  // namespace

namespace {

// Runs `answer` on the modal dialog that the next call opens.
void AnswerNextDialog(std::function<void(QWidget&)> answer) {
  QTimer::singleShot(0, [answer] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    answer(*dialog);
  });
}

TEST(QtDialogsRunTest, ColourDialogTakesSlotsByLetterAndReportsSixteen) {
  qv::QtDialogs dialogs;
  std::vector<std::string> custom{"ColorC=00FF00", "ColorA=FF0000", "ColorQ=123456", "bad"};
  AnswerNextDialog([](QWidget& dialog) {
    EXPECT_EQ(QColorDialog::customColor(0), QColor(255, 0, 0));
    EXPECT_EQ(QColorDialog::customColor(1), QColor(Qt::white));
    EXPECT_EQ(QColorDialog::customColor(2), QColor(0, 255, 0));
    qobject_cast<QDialog*>(&dialog)->reject();
  });
  // Cancelled: the colour given comes back.
  EXPECT_EQ(dialogs.AskColor(0x123456, custom), 0x123456);
  ASSERT_EQ(custom.size(), 16u);
  EXPECT_EQ(custom[0], "ColorA=FF0000");
  EXPECT_EQ(custom[1], "ColorB=FFFFFF");
  EXPECT_EQ(custom[2], "ColorC=00FF00");
  EXPECT_EQ(custom[15], "ColorP=FFFFFF");

  AnswerNextDialog([](QWidget& dialog) {
    auto* colorDialog = qobject_cast<QColorDialog*>(&dialog);
    ASSERT_NE(colorDialog, nullptr);
    colorDialog->setCurrentColor(QColor(0, 0, 255));
    colorDialog->accept();
  });
  EXPECT_EQ(dialogs.AskColor(0, custom), 0xFF0000);
}

TEST(QtDialogsRunTest, SaveDialogAppendsTheExtensionOfTheChosenType) {
  qvtest::TempDir dir;
  qv::QtDialogs dialogs;
  const std::string filter = "Bitmap files (*.bmp)|*.bmp|PNG images (*.png)|*.png|All files|*.*";
  auto answer = [&dir](const char* type, const char* name) {
    AnswerNextDialog([&dir, type, name](QWidget& dialog) {
      auto* files = qobject_cast<QFileDialog*>(&dialog);
      ASSERT_NE(files, nullptr);
      // As the player picks the type from the list.
      auto* types = files->findChild<QComboBox*>("fileTypeCombo");
      ASSERT_NE(types, nullptr);
      const int index = types->findText(type);
      ASSERT_GE(index, 0) << type;
      types->setCurrentIndex(index);
      emit types->activated(index);
      emit types->textActivated(types->itemText(index));
      files->selectFile(QString::fromStdString(dir.File(name)));
      static_cast<QDialog*>(files)->accept();  // as the Save button does
    });
  };
  std::string folder = dir.Folder();
  answer("PNG images (*.png)", "map");
  EXPECT_EQ(dialogs.AskSaveFileName(folder, filter, "bmp"), dir.File("map.png"));
  answer("All files (*)", "plan");
  EXPECT_EQ(dialogs.AskSaveFileName(folder, filter, "bmp"), dir.File("plan.bmp"));
  answer("PNG images (*.png)", "chart.svg");
  EXPECT_EQ(dialogs.AskSaveFileName(folder, filter, "bmp"), dir.File("chart.svg"));
}

TEST(QtDialogsRunTest, YesNoQuestion) {
  qv::QtDialogs dialogs;
  AnswerNextDialog([](QWidget& dialog) {
    auto* box = qobject_cast<QMessageBox*>(&dialog);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->icon(), QMessageBox::Question);
    EXPECT_EQ(box->windowTitle(), "Delete");
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(dialogs.AskYesNo("Delete it?", "Delete"));
  AnswerNextDialog([](QWidget& dialog) {
    qobject_cast<QMessageBox*>(&dialog)->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(dialogs.AskYesNo("Delete it?", "Delete"));
}

TEST(QtDialogsRunTest, FontDialogWithoutEffectsKeepsColourAndEffects) {
  qv::QtDialogs dialogs;
  qv::TFontParams font;
  font.Color = 0x00FFFF;
  font.Style = qv::kFontUnderline;
  font.Charset = 204;
  AnswerNextDialog([](QWidget& dialog) {
    auto* fontDialog = qobject_cast<QFontDialog*>(&dialog);
    ASSERT_NE(fontDialog, nullptr);
    int effectGroups = 0;
    for (QGroupBox* group : fontDialog->findChildren<QGroupBox*>()) {
      if (group->findChildren<QCheckBox*>().isEmpty()) continue;
      ++effectGroups;
      EXPECT_TRUE(group->isHidden());
    }
    EXPECT_EQ(effectGroups, 1);
    QFont chosen("DejaVu Sans");
    chosen.setPointSize(15);
    chosen.setBold(true);
    chosen.setUnderline(false);
    chosen.setStrikeOut(true);
    fontDialog->setCurrentFont(chosen);
    fontDialog->accept();
  });
  qv::CustomColorList custom{};
  ASSERT_TRUE(dialogs.AskFont(font, false, custom));
  EXPECT_EQ(font.Size, 15);
  EXPECT_EQ(font.Style, unsigned{qv::kFontBold | qv::kFontUnderline});
  EXPECT_EQ(font.Color, 0x00FFFF);
  EXPECT_EQ(font.Charset, 204);

  AnswerNextDialog([](QWidget& dialog) { qobject_cast<QDialog*>(&dialog)->reject(); });
  const qv::TFontParams before = font;
  EXPECT_FALSE(dialogs.AskFont(font, true, custom));
  EXPECT_EQ(font, before);
}

// Under German the message boxes, and the font dialog's own colour label,
// speak German; back in English they speak English again.
TEST(QtDialogsRunTest, StandardDialogsSpeakTheProgramsLanguage) {
  qv::QtDialogs dialogs;
  qv::IniFile german("");
  german.WriteString("Dialogs", "FontColor", "&Farbe:");
  dialogs.SetLanguage("deutsch", german);  // names compare without regard to case
  ASSERT_EQ(dialogs.QtLocale(), "de") << "Qt's German translation is not installed";
  auto expectButtons = [](const char* yes, const char* no) {
    AnswerNextDialog([yes, no](QWidget& dialog) {
      auto* box = qobject_cast<QMessageBox*>(&dialog);
      EXPECT_EQ(box->button(QMessageBox::Yes)->text(), yes);
      EXPECT_EQ(box->button(QMessageBox::No)->text(), no);
      box->button(QMessageBox::No)->click();
    });
  };
  expectButtons("&Ja", "&Nein");
  dialogs.AskYesNo("Sektor löschen?", "Löschen");

  qv::TFontParams font;
  qv::CustomColorList custom{};
  AnswerNextDialog([](QWidget& dialog) {
    EXPECT_EQ(dialog.findChild<QLabel*>("ColorLabel")->text(), "&Farbe:");
    qobject_cast<QDialog*>(&dialog)->reject();
  });
  dialogs.AskFont(font, true, custom);

  dialogs.SetLanguage("Klingon", qv::IniFile(""));  // no table entry: English
  EXPECT_EQ(dialogs.QtLocale(), "");
  expectButtons("&Yes", "&No");
  dialogs.AskYesNo("Delete sector?", "Delete");
}

}  // namespace
