#include "editors/QtGridDelegate.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>

#include "data/Field.h"
#include "editors/QtDataGrid.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtLookupComboBox.h"
#include "editors/QtTableModel.h"

namespace qv {

namespace {

// The text box of an editor: the editor itself, or the one inside an
// editable drop-down or an ellipsis editor.
QLineEdit* TextBoxOf(QWidget* editor) {
  if (auto* edit = qobject_cast<QLineEdit*>(editor)) return edit;
  return editor->findChild<QLineEdit*>();
}

QWidget* EllipsisEditor(QWidget* parent, QtDataGrid& grid, const QString& fieldName) {
  auto* editor = new QWidget(parent);
  auto* layout = new QHBoxLayout(editor);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* edit = new QLineEdit(editor);
  edit->setFrame(false);
  auto* button = new QToolButton(editor);
  button->setText(QStringLiteral("..."));
  button->setFocusPolicy(Qt::NoFocus);
  layout->addWidget(edit, 1);
  layout->addWidget(button);
  editor->setFocusProxy(edit);
  QObject::connect(button, &QToolButton::clicked, &grid,
                   [&grid, fieldName] { emit grid.EditButtonClicked(fieldName); });
  return editor;
}

}  // namespace

QtGridDelegate::QtGridDelegate(QtDataGrid& grid) : QStyledItemDelegate(&grid), grid_(grid) {}

QWidget* QtGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                      const QModelIndex& index) const {
  const QtTableModel& model = grid_.Model();
  const Field* field = model.ColumnField(index.column());
  if (!field) return nullptr;
  const TColumn& column = model.Columns()[static_cast<std::size_t>(index.column())];
  const QString fieldName = QString::fromStdString(field->FieldName());
  QWidget* editor = nullptr;
  if (column.ButtonStyle != EditButtonStyle::None && field->DataType() == FieldType::Lookup &&
      field->LookupTable()) {
    auto* box = new QtLookupComboBox(parent);
    box->Bind(model.GetTable(), field->FieldName());
    box->SetRowWriter(model.RowWriter());
    box->SetDropDownRows(column.DropDownRows);
    editor = box;
  } else if (column.ButtonStyle == EditButtonStyle::Auto && !column.PickList.empty()) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    LimitDropDownRows(*box, column.DropDownRows);
    for (const std::string& item : column.PickList)
      box->addItem(QString::fromStdString(item));
    // A choice from the list is written at once, as a lookup's is, so that
    // the window reacts to it without the player leaving the cell. A box
    // being closed (it reports its text once more) has been committed already.
    connect(box, &QComboBox::activated, this, [this, box] {
      if (editor_ == box && grid_.indexWidget(grid_.currentIndex()) == box)
        emit const_cast<QtGridDelegate*>(this)->commitData(box);
    });
    editor = box;
  } else if (column.ButtonStyle == EditButtonStyle::Ellipsis) {
    editor = EllipsisEditor(parent, grid_, fieldName);
  } else {
    editor = QStyledItemDelegate::createEditor(parent, option, index);
  }
  if (QLineEdit* edit = editor ? TextBoxOf(editor) : nullptr) {
    if (field->ValueType() == FieldType::String && field->Size() > 0) {
      edit->setMaxLength(field->Size());
    }
  }
  editor_ = editor;
  return editor;
}

void QtGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
  const QString text = index.data(Qt::EditRole).toString();
  if (auto* lookup = qobject_cast<QtLookupComboBox*>(editor)) {
    lookup->Refresh();
  } else if (auto* box = qobject_cast<QComboBox*>(editor)) {
    box->setEditText(text);
    // As in a plain text box, typing replaces the value shown.
    if (QLineEdit* edit = box->lineEdit()) edit->selectAll();
  } else if (QLineEdit* edit = TextBoxOf(editor)) {
    edit->setText(text);
  } else {
    QStyledItemDelegate::setEditorData(editor, index);
  }
}

void QtGridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                  const QModelIndex& index) const {
  if (auto* lookup = qobject_cast<QtLookupComboBox*>(editor)) {
    // A choice is stored as it is made (by key, as two rows may share a name);
    // one made without the list's own signal is stored here.
    const std::string shown = index.data(Qt::DisplayRole).toString().toStdString();
    if (lookup->currentIndex() >= 0 && lookup->currentText().toStdString() != shown) {
      lookup->ChooseIndex(lookup->currentIndex());
    }
    return;
  }
  QString text;
  if (auto* box = qobject_cast<QComboBox*>(editor)) {
    text = box->currentText();
  } else if (QLineEdit* edit = TextBoxOf(editor)) {
    text = edit->text();
  } else {
    QStyledItemDelegate::setModelData(editor, model, index);
    return;
  }
  model->setData(index, text, Qt::EditRole);
}

QString QtGridDelegate::TypedText(QWidget* editor) const {
  if (auto* box = qobject_cast<QComboBox*>(editor)) return box->currentText();
  const QLineEdit* edit = editor ? TextBoxOf(editor) : nullptr;
  return edit ? edit->text() : QString();
}

void QtGridDelegate::ReturnToEditor(QWidget* editor, const QString& text) const {
  if (!editor) return;
  QLineEdit* edit = TextBoxOf(editor);
  if (!edit) return;
  edit->setText(text);
  edit->selectAll();
  editor->setFocus();
}

void QtGridDelegate::destroyEditor(QWidget* editor, const QModelIndex& index) const {
  if (editor_ == editor) editor_ = nullptr;
  QStyledItemDelegate::destroyEditor(editor, index);
}

void QtGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  QStyledItemDelegate::paint(painter, option, index);
  grid_.DrawOnTop(*painter, option, index);
}

bool QtGridDelegate::eventFilter(QObject* object, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    auto* box = qobject_cast<QComboBox*>(object);
    const bool popupOpen = box && box->view() && box->view()->isVisible();
    if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !popupOpen) {
      grid_.EnterPressed();
      return true;
    }
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace qv
