#include "editors/QtDropDownRows.h"

#include <QComboBox>

namespace qv {

void LimitDropDownRows(QComboBox& box, int rows) {
  box.setMaxVisibleItems(rows);
  // The style sheet property turns the menu-like popup of such styles into
  // the scrolling list that honours the row count.
  box.setStyleSheet("QComboBox { combobox-popup: 0; }");
}

}  // namespace qv
