#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "editors/SectorPlacement.h"
#include "settings/ProgramWindow.h"

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace qv {

class Dialogs;
class IniFile;
class TDataModule1;

// The texts of the dialog a language file may replace (section "RevealSectorForm").
struct TRevealSectorTexts {
  std::string NotFound = "Not found";
  std::string AlreadyVisible = "Already visible";
};

// "Reveal invisible sector": makes one hidden sector visible, named by its
// position, typed or found from a visible sector and a direction.
class TRevealSectorForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TRevealSectorForm(TDataModule1& store, Dialogs& dialogs, QWidget* parent = nullptr);
  ~TRevealSectorForm() override;

  // FormShow, then modal; true when a sector was revealed, at RevealedPosition().
  bool Execute();
  TGridPos RevealedPosition() const { return revealed_; }

  void Translate(const IniFile& languageFile) override;

  // Events, public so that tests drive the dialog as the player does.
  void FormShow();
  void Edit4Change();
  void Edit4KeyDown();
  void ComboBox5Change();
  void DirectionClick(int button);  // SpeedButton1Click ... SpeedButton4Click
  void Button1Click();

  const TRevealSectorTexts& Texts() const { return texts_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();

  TDataModule1& store_;
  Dialogs& dialogs_;
  TRevealSectorTexts texts_;
  TGridPos revealed_;

  QLineEdit* edit4_ = nullptr;  // X
  QLineEdit* edit5_ = nullptr;  // Y
  QLabel* label1_ = nullptr;    // status
  QComboBox* comboBox5_ = nullptr;
  std::array<QAbstractButton*, 4> directions_{};  // SpeedButton1..4: N, S, E, W
  QPushButton* button1_ = nullptr;
};

}  // namespace qv
