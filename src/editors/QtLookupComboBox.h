#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "data/RowWriter.h"
#include "data/TableView.h"
#include "data/Value.h"

namespace qv {

class Field;
class Table;

// A drop-down list bound to a lookup field of a table row: it lists the
// result texts of the lookup table's rows (in that table's current order,
// filter applied), shows the value of the current row, and stores the
// player's choice in the row. The lookup field is not stored itself; a choice
// writes the key of the chosen row into the field the lookup reads from
// (Prod1Name stores into Prod1). The row is put in edit first and left in
// edit for its owner to post.
//
// The box follows both tables: a change of the bound row shows the new
// value; a change of the lookup table (rows, order, filter) rebuilds the list
// before it is next needed. Both tables must outlive the box.
class QtLookupComboBox : public QComboBox, private TableView {
  Q_OBJECT

 public:
  explicit QtLookupComboBox(QWidget* parent = nullptr);
  ~QtLookupComboBox() override;

  // Binds the box to the lookup field `lookupFieldName` of `dataSet`; nullptr
  // unbinds. TableError when the field is no lookup field.
  void Bind(Table* dataSet, const std::string& lookupFieldName);
  Table* DataSet() const { return dataSet_; }
  // Who opens the row for the chosen value (see QtDataGrid::SetRowWriter).
  void SetRowWriter(TRowWriter& writer) { writer_ = &writer; }

  // Rows shown at a time when the list drops down (kDropDownRows unless set).
  void SetDropDownRows(int rows);

  // The shown text (the lookup value of the current row, or empty).
  std::string ShownText();
  // The names on offer, in list order.
  std::vector<std::string> ListedTexts();

  // What a player's choice does: store the row at `index` of the list (or
  // the first one whose text is `text`) and emit ValueChosen. False when
  // there is no such row or no bound row.
  bool ChooseIndex(int index);
  bool ChooseText(const std::string& text);

  // Re-reads the list and the shown value.
  void Refresh();

  void showPopup() override;

 protected:
  void showEvent(QShowEvent* event) override;

 signals:
  // After the player's choice was stored in the row.
  void ValueChosen();

 private:
  void TableChanged(Table& table, TableChange change) override;
  void Detach();
  void RebuildListIfStale();
  void ShowCurrentValue();

  Table* dataSet_ = nullptr;
  TRowWriter* writer_ = &PlainRowWriter();
  Table* lookupTable_ = nullptr;
  Field* keyField_ = nullptr;
  std::string lookupKeyField_;
  std::string resultField_;
  std::vector<Value> keys_;  // lookup key of each list item
  bool listStale_ = true;
  bool updating_ = false;  // the box itself changes the row or the list
};

}  // namespace qv
