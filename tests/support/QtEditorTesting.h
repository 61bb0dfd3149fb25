#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QMouseEvent>
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

// Presses `key` on `target` as the keyboard does (an event the target leaves
// goes on to its parents); true when someone took it.
inline bool PressKey(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent press(QEvent::KeyPress, key, modifiers);
  QApplication::sendEvent(target, &press);
  return press.isAccepted();
}

// The editor open on the grid's current cell, or nullptr.
inline QWidget* CellEditor(const qv::QtDataGrid& grid) {
  return grid.indexWidget(grid.currentIndex());
}

// The text box of the editor open on the current cell, or nullptr.
inline QLineEdit* CellTextBox(const qv::QtDataGrid& grid) {
  QWidget* editor = CellEditor(grid);
  if (!editor) return nullptr;
  auto* edit = qobject_cast<QLineEdit*>(editor);
  return edit ? edit : editor->findChild<QLineEdit*>();
}

// F2 on the current cell, then `text` typed over what it shows; the editor
// stays open (the caller presses Enter, Tab or Escape). False when no
// editor opened.
inline bool TypeInCell(qv::QtDataGrid& grid, const std::string& text) {
  if (!CellEditor(grid)) PressKey(&grid, Qt::Key_F2);
  QLineEdit* edit = CellTextBox(grid);
  if (!edit) return false;
  edit->setText(QString::fromStdString(text));
  return true;
}

// A click of the left button on a cell of the grid.
inline void ClickCell(qv::QtDataGrid& grid, const QModelIndex& index) {
  const QPointF at = grid.visualRect(index).center();
  const QPointF global = grid.viewport()->mapToGlobal(at);
  QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(grid.viewport(), &press);
  QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(grid.viewport(), &release);
}

}  // namespace qvtest
