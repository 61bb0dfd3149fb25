#include "support/QtWidgetProbes.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace qvtest {

void TypeInto(QWidget& widget, const QString& text) {
  auto* edit = qobject_cast<QLineEdit*>(&widget);
  if (!edit) edit = widget.findChild<QLineEdit*>();
  if (!edit) return;
  edit->selectAll();
  for (const QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(edit, &press);
  }
}

int ShownDropDownRows(QComboBox& box) {
  box.showPopup();
  QAbstractItemView* view = box.view();
  const int rowHeight = view->sizeHintForRow(0);
  const int rows = rowHeight > 0 ? view->viewport()->height() / rowHeight : 0;
  box.hidePopup();
  return rows;
}

}  // namespace qvtest
