#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "editors/ProcessData.h"
#include "settings/ProgramWindow.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace qv {

class BusyCursor;
class Dialogs;
class IniFile;
class Table;
class TDataModule1;

// The texts of the dialog a language file may replace (section "ProcessDataForm").
struct TProcessDataTexts {
  std::string TableText = "Table:";
  std::string ProcessMsg = "%d records processed";
  std::string ProcessCap = "Process";
  // Not one of the classic keys: the table refused a row and the run stopped.
  std::string ProcessErrorMsg = "Record %d was not changed: %s (%d records processed before it)";
  // Nor is this: a value longer than the text field holds.
  std::string TooLongMsg =
      "Field \"%s\" holds at most %d characters; the value has %d. Nothing was changed.";
};

// "Process": sets one field to one value in every row of a table, or in the
// rows that satisfy up to three conditions joined by AND, and reports how
// many rows it changed. The controls keep their state between showings.
class TProcessDataForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  TProcessDataForm(Dialogs& dialogs, BusyCursor* busy, QWidget* parent = nullptr);
  ~TProcessDataForm() override;

  // The table to work on (null for none); refills the field lists.
  // One of the store's tables.
  void SetDataSet(TDataModule1& store, Table* table);
  // Centred on the screen, modal.
  void Execute();

  void Translate(const IniFile& languageFile) override;

  // Events, public so that tests drive the dialog as the player does.
  void UpdateControls();  // RadioButton1Click
  void Button2Click();

  const TProcessDataTexts& Texts() const { return texts_; }
  const TProcessConditions& Conditions() const { return conditions_; }

 private:
  struct ConditionControls {
    QCheckBox* enabled = nullptr;
    QComboBox* field = nullptr;
    QComboBox* op = nullptr;
    QLineEdit* value = nullptr;
  };

  void BuildControls();

  Dialogs& dialogs_;
  BusyCursor* busy_;
  TDataModule1* store_ = nullptr;
  Table* table_ = nullptr;
  TProcessConditions conditions_{};
  TProcessDataTexts texts_;

  QRadioButton* radioButton1_ = nullptr;  // all rows
  QRadioButton* radioButton2_ = nullptr;  // filter
  std::array<ConditionControls, 3> controls_{};
  QComboBox* comboBox7_ = nullptr;  // target field
  QLineEdit* edit4_ = nullptr;      // new value
  QPushButton* button2_ = nullptr;  // Process
};

}  // namespace qv
