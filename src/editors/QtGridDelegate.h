#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

namespace qv {

class QtDataGrid;

// The cell editors and cell drawing of a data grid. A lookup field edits in
// a list of the lookup table's rows, a column with a pick list in an
// editable drop-down of its choices (as many rows as the column asks), an
// ellipsis column in a text box with a button the window answers; anything
// else in a text box, as long as the field allows. Enter commits the cell
// and lets the grid move on; the window's drawing comes after the standard
// drawing of each cell.
class QtGridDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  explicit QtGridDelegate(QtDataGrid& grid);

  // The editor open on the grid, or nullptr.
  QWidget* OpenEditor() const { return editor_; }
  // The text typed in `editor` (empty for an editor without a text box).
  QString TypedText(QWidget* editor) const;
  // Puts `text` back into `editor`, selected, with the keyboard in it, so
  // that a refused value is corrected where it was typed.
  void ReturnToEditor(QWidget* editor, const QString& text) const;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setEditorData(QWidget* editor, const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;
  void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  QtDataGrid& grid_;
  mutable QPointer<QWidget> editor_;
};

}  // namespace qv
