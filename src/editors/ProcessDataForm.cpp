#include "editors/ProcessDataForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "data/IniFile.h"
#include "data/Table.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtEditorParts.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/MainTexts.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

namespace {

constexpr const char* kSection = "ProcessDataForm";
constexpr int kClientWidth = 393;
constexpr int kClientHeight = 271;

QComboBox* MakeList(const char* name) {
  auto* combo = Named(new QComboBox, name);
  LimitDropDownRows(*combo);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(12);
  return combo;
}

}  // namespace

TProcessDataForm::TProcessDataForm(Dialogs& dialogs, BusyCursor* busy, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), busy_(busy) {
  setObjectName("ProcessDataForm");
  setWindowTitle("Process data");
  UseDialogFrame(*this);
  BuildControls();
  UpdateControls();
}

TProcessDataForm::~TProcessDataForm() = default;

void TProcessDataForm::BuildControls() {
  radioButton1_ = Named(new QRadioButton("Process &all records"), "RadioButton1");
  radioButton2_ = Named(new QRadioButton("Use &filter (AND):"), "RadioButton2");
  radioButton1_->setChecked(true);
  auto* filter = Named(new QGroupBox(" Filter "), "GroupBox1");
  auto* filterGrid = new QGridLayout(filter);
  filterGrid->addWidget(radioButton1_, 0, 0, 1, 4);
  filterGrid->addWidget(radioButton2_, 1, 0, 1, 4);
  const auto update = [this] { UpdateControls(); };
  connect(radioButton1_, &QRadioButton::toggled, this, update);
  for (int i = 0; i < 3; ++i) {
    ConditionControls& c = controls_[i];
    c.enabled = Named(new QCheckBox, ("CheckBox" + std::to_string(i + 1)).c_str());
    c.field = MakeList(("ComboBox" + std::to_string(2 * i + 1)).c_str());
    c.op = Named(new QComboBox, ("ComboBox" + std::to_string(2 * i + 2)).c_str());
    for (const char* op : {"==", "!=", "<", "<=", ">", ">="})
      c.op->addItem(op);
    c.op->setCurrentIndex(0);
    LimitDropDownRows(*c.op);
    c.value = Named(new QLineEdit, ("Edit" + std::to_string(i + 1)).c_str());
    filterGrid->addWidget(c.enabled, i + 2, 0);
    filterGrid->addWidget(c.field, i + 2, 1);
    filterGrid->addWidget(c.op, i + 2, 2);
    filterGrid->addWidget(c.value, i + 2, 3);
    connect(c.enabled, &QCheckBox::toggled, this, update);
    connect(c.field, &QComboBox::currentIndexChanged, this, update);
  }
  filterGrid->setColumnStretch(3, 1);

  comboBox7_ = MakeList("ComboBox7");
  connect(comboBox7_, &QComboBox::currentIndexChanged, this, update);
  edit4_ = Named(new QLineEdit, "Edit4");
  auto* action = Named(new QGroupBox(" Action "), "GroupBox2");
  auto* actionRow = new QHBoxLayout(action);
  actionRow->addWidget(MakeLabel("Label1", "&Set", comboBox7_));
  actionRow->addWidget(comboBox7_);
  actionRow->addWidget(MakeLabel("Label2", "&to", edit4_));
  actionRow->addWidget(edit4_, 1);

  const TDialogButtons buttons =
      MakeDialogButtons(*this, "Button2", "&Process", "Button1", [this] { Button2Click(); });
  button2_ = buttons.confirm;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->addWidget(filter);
  layout->addWidget(action);
  layout->addStretch(1);
  layout->addLayout(buttons.row);
  FixDialogSize(*this, kClientWidth, kClientHeight);
}

void TProcessDataForm::SetDataSet(TDataModule1& store, Table* table) {
  store_ = &store;
  table_ = table;
  if (!table) return;
  std::vector<std::string> names;
  for (int i = 0; i < table->FieldCount(); ++i)
    names.push_back(table->Fields(i).FieldName());
  for (const ConditionControls& c : controls_)
    FillComboItems(*c.field, names, false);
  FillComboItems(*comboBox7_, names, false);
  setWindowTitle(QString::fromStdString(texts_.TableText + " " + table->Name()));
  UpdateControls();
}

void TProcessDataForm::Execute() {
  CentreOnScreen(*this);
  exec();
}

void TProcessDataForm::UpdateControls() {
  const bool filtered = radioButton2_->isChecked();
  bool conditionsComplete = true;
  for (const ConditionControls& c : controls_) {
    c.enabled->setEnabled(filtered);
    const bool on = filtered && c.enabled->isChecked();
    c.field->setEnabled(on);
    c.op->setEnabled(on);
    c.value->setEnabled(on);
    if (on && c.field->currentIndex() < 0) conditionsComplete = false;
  }
  button2_->setEnabled(comboBox7_->currentIndex() >= 0 && conditionsComplete);
}

void TProcessDataForm::Button2Click() {
  if (!button2_->isEnabled()) return;
  const bool all = radioButton1_->isChecked();
  const std::string value = edit4_->text().toStdString();
  if (table_) {
    for (int i = 0; i < 3; ++i) {
      const ConditionControls& c = controls_[i];
      SetCondition(conditions_[i], c.enabled->isChecked(), TextOf(*c.field), TextOf(*c.op),
                   c.value->text().toStdString(), table_);
    }
    const std::string target = TextOf(*comboBox7_);
    TProcessResult result;
    {
      BusyGuard busy(busy_);
      result = ProcessRows(*store_, *table_, conditions_, all, target, value);
    }
    if (!result.fieldFound) {
      dialogs_.ShowError("Can't find field \"" + target + "\"");
    } else if (result.tooLong > 0) {
      dialogs_.ShowError(FormatText(texts_.TooLongMsg, {target, std::int64_t{result.targetLength},
                                                        std::int64_t{result.tooLong}}));
      // The dialog stays, the value ready to be shortened.
      edit4_->setFocus();
      edit4_->selectAll();
      return;
    } else if (result.failedRow > 0) {
      dialogs_.ShowError(
          FormatText(texts_.ProcessErrorMsg,
                     {std::int64_t{result.failedRow}, result.error, std::int64_t{result.count}}));
    } else {
      dialogs_.ShowMessage(FormatText(texts_.ProcessMsg, {std::int64_t{result.count}}),
                           texts_.ProcessCap, MessageIcon::None);
    }
  }
  accept();
}

void TProcessDataForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  texts_.TableText = ReadText(languageFile, kSection, "TableText", texts_.TableText);
  texts_.ProcessMsg = ReadText(languageFile, kSection, "ProcessMsg", texts_.ProcessMsg);
  texts_.ProcessCap = ReadText(languageFile, kSection, "ProcessCap", texts_.ProcessCap);
  texts_.ProcessErrorMsg =
      ReadText(languageFile, kSection, "ProcessErrorMsg", texts_.ProcessErrorMsg);
  texts_.TooLongMsg = ReadText(languageFile, kSection, "TooLongMsg", texts_.TooLongMsg);
  FixDialogSize(*this, kClientWidth, kClientHeight);
}

}  // namespace qv
