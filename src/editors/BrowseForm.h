#pragma once

#include <QDialog>
#include <string>

#include "settings/ProgramWindow.h"

class QComboBox;
class QPushButton;
class QToolButton;

namespace qv {

class Dialogs;
class IniFile;
class QtDataGrid;
class TDataModule1;
class Table;
class TProcessDataForm;
struct TMainTexts;

// The texts of the window a language file may replace (section "BrowseForm").
struct TBrowseTexts {
  std::string DeleteRecordMsg = "Delete record ?";
  std::string NoTableError = "You should select a table first";
};

// "Direct access to data sets": any of the six universe tables raw, every
// field a column in its stored order, edited in place; the tables' rules
// still apply to every change. The process data dialog works on the table
// shown. Closing gives the tables back their working orders.
class TBrowseForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TBrowseForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
              QWidget* parent = nullptr);
  ~TBrowseForm() override;

  // The dialog "Process" opens; made after this window.
  void SetProcessDialog(TProcessDataForm* process) { process_ = process; }

  // FormShow, then modal; FormClose when it closes.
  void Execute();

  void Translate(const IniFile& languageFile) override;
  void ReadSettings(const IniFile* settings) override;  // the placement
  void WriteSettings(IniFile* settings) override;

  // The table of a name of the list, null for the empty name; any other name
  // is reported and gives null.
  Table* SourceForName(const std::string& name);

  // Events, public so that tests drive the window as the player does.
  void FormShow();
  void FormClose();
  void ComboBox1Change();
  void ToolButton1Click();
  void ToolButton2Click();
  void SpeedButton1Click();
  void UpdateButtons();

  QtDataGrid& Grid() const { return *grid_; }
  const TBrowseTexts& Texts() const { return texts_; }

 protected:
  void reject() override;

 private:
  void BuildControls();

  TDataModule1& store_;
  Dialogs& dialogs_;
  const TMainTexts& mainTexts_;
  TProcessDataForm* process_ = nullptr;
  TBrowseTexts texts_;

  QToolButton* toolButton1_ = nullptr;   // add
  QToolButton* toolButton2_ = nullptr;   // delete
  QComboBox* comboBox1_ = nullptr;       // the table
  QPushButton* speedButton1_ = nullptr;  // process
  QtDataGrid* grid_ = nullptr;           // DBGrid1
};

}  // namespace qv
