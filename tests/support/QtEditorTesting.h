#pragma once

#include <QKeySequence>
#include <QShortcut>
#include <QWidget>
#include <string>
#include <vector>

#include "editors/QtDataGrid.h"
#include "editors/QtTableModel.h"

// Driving the editor windows as the player does.
namespace qvtest {

// What pressing `keys` does where `scope` has a shortcut for them (the
// offscreen platform has no active window to deliver shortcuts to). False
// when `scope` has none.
inline bool PressShortcut(QWidget& scope, const QKeySequence& keys) {
  for (QShortcut* shortcut : scope.findChildren<QShortcut*>(Qt::FindDirectChildrenOnly)) {
    if (shortcut->key() != keys || !shortcut->isEnabled()) continue;
    emit shortcut->activated();
    return true;
  }
  return false;
}

// The texts a grid shows in one column (model order), top to bottom.
inline std::vector<std::string> GridColumn(const qv::QtDataGrid& grid, int column) {
  std::vector<std::string> cells;
  for (int row = 0; row < grid.Model().rowCount(); ++row)
    cells.push_back(grid.Model().index(row, column).data().toString().toStdString());
  return cells;
}

}  // namespace qvtest
