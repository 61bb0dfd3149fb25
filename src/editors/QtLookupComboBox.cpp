#include "editors/QtLookupComboBox.h"

#include <QSignalBlocker>

#include "data/Field.h"
#include "data/Record.h"
#include "data/Table.h"
#include "data/TableError.h"
#include "editors/QtDropDownRows.h"

namespace qv {

QtLookupComboBox::QtLookupComboBox(QWidget* parent) : QComboBox(parent) {
  setEditable(false);
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(16);
  SetDropDownRows(kDropDownRows);
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (!ChooseIndex(index)) ShowCurrentValue();
  });
}

QtLookupComboBox::~QtLookupComboBox() {
  Detach();
}

void QtLookupComboBox::SetDropDownRows(int rows) {
  LimitDropDownRows(*this, rows);
}

void QtLookupComboBox::Detach() {
  if (dataSet_) dataSet_->DetachView(this);
  if (lookupTable_ && lookupTable_ != dataSet_) lookupTable_->DetachView(this);
  dataSet_ = nullptr;
  lookupTable_ = nullptr;
  keyField_ = nullptr;
}

void QtLookupComboBox::Bind(Table* dataSet, const std::string& lookupFieldName) {
  Detach();
  if (!dataSet) {
    clear();
    keys_.clear();
    return;
  }
  Field& lookup = dataSet->FieldByName(lookupFieldName);
  if (lookup.DataType() != FieldType::Lookup || !lookup.LookupTable())
    throw TableError("Field '" + lookupFieldName + "' is no lookup field");
  dataSet_ = dataSet;
  lookupTable_ = lookup.LookupTable();
  keyField_ = &dataSet->FieldByName(lookup.KeyField());
  lookupKeyField_ = lookup.LookupKeyField();
  resultField_ = lookup.ResultField();
  dataSet_->AttachView(this);
  if (lookupTable_ != dataSet_) lookupTable_->AttachView(this);
  listStale_ = true;
  Refresh();
}

void QtLookupComboBox::TableChanged(Table& table, TableChange) {
  if (updating_) return;
  if (&table == lookupTable_) {
    listStale_ = true;
    // A renamed or deleted row changes what the bound row shows; a hidden
    // box catches up when it is shown.
    if (isVisible()) Refresh();
    return;
  }
  if (&table == dataSet_) ShowCurrentValue();
}

void QtLookupComboBox::RebuildListIfStale() {
  if (!listStale_ || !lookupTable_) return;
  listStale_ = false;
  const QSignalBlocker blocker(this);
  clear();
  keys_.clear();
  const Field& key = lookupTable_->FieldByName(lookupKeyField_);
  const Field& result = lookupTable_->FieldByName(resultField_);
  const int count = lookupTable_->RecordCount();
  keys_.reserve(count);
  for (int i = 1; i <= count; ++i) {
    const Record record = lookupTable_->RecordAt(i);
    keys_.push_back(record.Get(key.Index()));
    addItem(QString::fromStdString(record.Get(result.Index()).ToString()));
  }
}

void QtLookupComboBox::ShowCurrentValue() {
  const QSignalBlocker blocker(this);
  int index = -1;
  if (dataSet_ && keyField_ && dataSet_->CurrentRecord().IsValid()) {
    const Value key = keyField_->GetValue();
    if (!key.IsNull()) {
      for (std::size_t i = 0; i < keys_.size(); ++i) {
        if (keys_[i] == key) {
          index = static_cast<int>(i);
          break;
        }
      }
    }
  }
  setCurrentIndex(index);
}

void QtLookupComboBox::Refresh() {
  RebuildListIfStale();
  ShowCurrentValue();
}

void QtLookupComboBox::showPopup() {
  Refresh();
  QComboBox::showPopup();
}

void QtLookupComboBox::showEvent(QShowEvent* event) {
  Refresh();
  QComboBox::showEvent(event);
}

std::string QtLookupComboBox::ShownText() {
  Refresh();
  return currentIndex() < 0 ? std::string() : currentText().toStdString();
}

std::vector<std::string> QtLookupComboBox::ListedTexts() {
  RebuildListIfStale();
  std::vector<std::string> texts;
  for (int i = 0; i < count(); ++i)
    texts.push_back(itemText(i).toStdString());
  return texts;
}

bool QtLookupComboBox::ChooseIndex(int index) {
  RebuildListIfStale();
  if (!dataSet_ || !keyField_ || index < 0 || index >= static_cast<int>(keys_.size())) return false;
  {
    updating_ = true;
    struct Reset {
      bool& flag;
      ~Reset() { flag = false; }
    } reset{updating_};
    if (dataSet_->State() == TableState::Browse) {
      if (dataSet_->IsEmpty()) return false;
      writer_->EditRow(*dataSet_);
    }
    // The key of the chosen row, not its name: two rows may share a name.
    keyField_->SetValue(keys_[index]);
  }
  ShowCurrentValue();
  emit ValueChosen();
  return true;
}

bool QtLookupComboBox::ChooseText(const std::string& text) {
  RebuildListIfStale();
  return ChooseIndex(
      findText(QString::fromStdString(text), Qt::MatchExactly | Qt::MatchCaseSensitive));
}

}  // namespace qv
