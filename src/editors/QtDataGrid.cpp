#include "editors/QtDataGrid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <algorithm>

#include "data/Field.h"
#include "data/Table.h"
#include "editors/QtGridDelegate.h"
#include "editors/QtTableModel.h"
#include "settings/Dialogs.h"

namespace qv {

namespace {

constexpr int kIndicatorWidth = 16;
constexpr int kMaxDefaultChars = 40;

}  // namespace

// Every change of the current cell passes here. A change of row is the
// player's wish to leave the row, which the grid carries out on the table
// first (and may refuse); the current cell then follows the table.
class QtDataGrid::SelectionModel : public QItemSelectionModel {
 public:
  SelectionModel(QAbstractItemModel* model, QtDataGrid& grid)
      : QItemSelectionModel(model, &grid), grid_(grid) {}

  void setCurrentIndex(const QModelIndex& index, SelectionFlags command) override {
    const QModelIndex current = currentIndex();
    if (grid_.following_ || !index.isValid() || !grid_.GetTable() ||
        (current.isValid() && index.row() == current.row())) {
      QItemSelectionModel::setCurrentIndex(index, command);
      return;
    }
    grid_.MoveToRow(index.row(), index.column());
  }

  using QItemSelectionModel::select;
  void select(const QItemSelection& selection, SelectionFlags command) override {
    // The selection is the current cell; a click on a row the grid could
    // not move to selects nothing there.
    const QModelIndex current = currentIndex();
    if (!selection.isEmpty() && current.isValid() && !selection.contains(current)) {
      QItemSelectionModel::select(QItemSelection(current, current), ClearAndSelect);
      return;
    }
    QItemSelectionModel::select(selection, command);
  }

 private:
  QtDataGrid& grid_;
};

// The narrow column left of the rows: a triangle marks the current row, an
// I-beam a row in edit, an asterisk a new row.
class QtDataGrid::RowIndicator : public QHeaderView {
 public:
  explicit RowIndicator(QtDataGrid& grid) : QHeaderView(Qt::Vertical, &grid), grid_(grid) {}

  QSize sizeHint() const override { return QSize(kIndicatorWidth, 0); }

 protected:
  void paintEvent(QPaintEvent* event) override {
    QHeaderView::paintEvent(event);
    const Table* table = grid_.GetTable();
    const int row = grid_.Model().CursorRow();
    if (!table || row < 0 || row >= count()) return;
    const QRect rect(0, sectionViewportPosition(row), viewport()->width(), sectionSize(row));
    QPainter painter(viewport());
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = palette().color(QPalette::ButtonText);
    painter.setPen(QPen(ink, 1));
    painter.setBrush(ink);
    const QPointF c = QRectF(rect).center();
    switch (table->State()) {
      case TableState::Browse: {
        QPainterPath triangle;
        triangle.moveTo(c.x() - 3, c.y() - 4);
        triangle.lineTo(c.x() + 2, c.y());
        triangle.lineTo(c.x() - 3, c.y() + 4);
        triangle.closeSubpath();
        painter.drawPath(triangle);
        break;
      }
      case TableState::Edit:
        painter.drawLine(QPointF(c.x(), c.y() - 5), QPointF(c.x(), c.y() + 5));
        painter.drawLine(QPointF(c.x() - 2, c.y() - 5), QPointF(c.x() + 2, c.y() - 5));
        painter.drawLine(QPointF(c.x() - 2, c.y() + 5), QPointF(c.x() + 2, c.y() + 5));
        break;
      case TableState::Insert:
        painter.drawText(rect, Qt::AlignCenter, QStringLiteral("*"));
        break;
    }
  }

 private:
  QtDataGrid& grid_;
};

QtDataGrid::QtDataGrid(Dialogs& dialogs, QWidget* parent)
    : QTableView(parent),
      dialogs_(dialogs),
      model_(new QtTableModel(this)),
      delegate_(new QtGridDelegate(*this)) {
  setVerticalHeader(new RowIndicator(*this));
  setModel(model_);
  QItemSelectionModel* initial = selectionModel();
  selection_ = new SelectionModel(model_, *this);
  setSelectionModel(selection_);
  delete initial;
  setItemDelegate(delegate_);
  setSelectionMode(SingleSelection);
  setSelectionBehavior(SelectItems);
  setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
  setTabKeyNavigation(true);
  setWordWrap(false);

  QHeaderView* columns = horizontalHeader();
  columns->setSectionsMovable(true);
  columns->setSectionResizeMode(QHeaderView::Interactive);
  columns->setStretchLastSection(false);
  columns->setHighlightSections(false);
  QHeaderView* rows = verticalHeader();
  rows->setSectionResizeMode(QHeaderView::Fixed);
  rows->setMinimumSectionSize(1);
  rows->setDefaultSectionSize(fontMetrics().height() + 8);

  model_->SetErrorHandler([this](const std::string& message) {
    writeFailed_ = true;
    ShowError(message);
  });
  connect(model_, &QtTableModel::CursorMoved, this, [this] { FollowCursor(); });
  connect(columns, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
    if (!applyingLayout_ && width > 0) model_->SetColumnWidth(column, width);
  });
  connect(rows, &QHeaderView::sectionPressed, this, [this](int row) {
    selection_->setCurrentIndex(model_->index(row, std::max(lastColumn_, 0)),
                                QItemSelectionModel::ClearAndSelect);
  });
  connect(selection_, &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) lastColumn_ = current.column();
          });
}

QtDataGrid::~QtDataGrid() {
  // A grid going away tells nobody of rows: its window, which may listen to
  // the model, is being taken apart around it.
  model_->blockSignals(true);
  model_->SetTable(nullptr);
}

void QtDataGrid::SetTable(Table* table) {
  DiscardEditor();
  model_->SetTable(table);
  ApplyColumnsToHeader();
  FollowCursor();
}

void QtDataGrid::SetRowWriter(TRowWriter& writer) {
  model_->SetRowWriter(writer);
}

Table* QtDataGrid::GetTable() const {
  return model_->GetTable();
}

// ---- Columns ----

void QtDataGrid::SetColumns(TColumnList columns) {
  DiscardEditor();
  model_->SetColumns(std::move(columns));
  ApplyColumnsToHeader();
  FollowCursor();
}

void QtDataGrid::ApplyColumnsToHeader() {
  applyingLayout_ = true;
  QHeaderView* header = horizontalHeader();
  const TColumnList& columns = model_->Columns();
  for (int i = 0; i < model_->columnCount(); ++i) {
    const int visual = header->visualIndex(i);
    if (visual != i) header->moveSection(visual, i);
  }
  for (int i = 0; i < model_->columnCount(); ++i) {
    const TColumn& column = columns[static_cast<std::size_t>(i)];
    header->setSectionHidden(i, false);
    const int width = column.Width > 0 ? column.Width : DefaultWidth(i);
    header->resizeSection(i, std::max(width, TitleWidth(i)));
    header->setSectionHidden(i, !column.Visible);
  }
  applyingLayout_ = false;
}

int QtDataGrid::DefaultWidth(int column) const {
  const Field* field = model_->ColumnField(column);
  const int chars = std::clamp(field ? field->DisplayWidth() : 10, 4, kMaxDefaultChars);
  int widest = chars * fontMetrics().averageCharWidth() + 8;
  // A drop-down editor needs room for its longest choice and its button.
  for (const std::string& item : model_->Columns()[static_cast<std::size_t>(column)].PickList) {
    widest = std::max(widest, fontMetrics().horizontalAdvance(QString::fromStdString(item)) + 36);
  }
  return std::max(widest, TitleWidth(column));
}

int QtDataGrid::TitleWidth(int column) const {
  const QString title = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
  // The header's own measure of the title and its margins, and room to spare
  // for a frame the style draws around it.
  const QHeaderView* header = horizontalHeader();
  const int hint = header->isSectionHidden(column) ? 0 : header->sectionSizeHint(column);
  return std::max(hint, header->fontMetrics().horizontalAdvance(title) + 16);
}

TColumnList QtDataGrid::Columns() const {
  TColumnList result;
  const QHeaderView* header = horizontalHeader();
  const TColumnList& columns = model_->Columns();
  for (int visual = 0; visual < model_->columnCount(); ++visual) {
    const int logical = header->logicalIndex(visual);
    TColumn column = columns[static_cast<std::size_t>(logical)];
    if (!header->isSectionHidden(logical)) column.Width = header->sectionSize(logical);
    result.push_back(std::move(column));
  }
  return result;
}

int QtDataGrid::WidthForColumns() const {
  return verticalHeader()->sizeHint().width() + horizontalHeader()->length() +
         verticalScrollBar()->sizeHint().width() + 2 * frameWidth();
}

int QtDataGrid::ColumnIndex(const std::string& fieldName) const {
  const QHeaderView* header = horizontalHeader();
  for (int visual = 0; visual < model_->columnCount(); ++visual) {
    const int logical = header->logicalIndex(visual);
    if (model_->Columns()[static_cast<std::size_t>(logical)].FieldName == fieldName) {
      return logical;
    }
  }
  return -1;
}

const TColumn* QtDataGrid::FindColumn(const std::string& fieldName) const {
  const int column = ColumnIndex(fieldName);
  return column < 0 ? nullptr : &model_->Columns()[static_cast<std::size_t>(column)];
}

bool QtDataGrid::ChangeColumn(const std::string& fieldName,
                              const std::function<void(TColumn&)>& change) {
  const int column = ColumnIndex(fieldName);
  if (column < 0) return false;
  model_->ChangeColumn(column, change);
  const TColumn& changed = model_->Columns()[static_cast<std::size_t>(column)];
  applyingLayout_ = true;
  QHeaderView* header = horizontalHeader();
  header->setSectionHidden(column, !changed.Visible);
  if (changed.Visible) {
    // A title in another language may be longer than the one the column
    // was sized for: it widens the column rather than being cut.
    const int width = changed.Width > 0 ? changed.Width : header->sectionSize(column);
    header->resizeSection(column, std::max(width, TitleWidth(column)));
  }
  applyingLayout_ = false;
  return true;
}

void QtDataGrid::SetColumnTitle(const std::string& fieldName, const std::string& title) {
  ChangeColumn(fieldName, [&](TColumn& column) { column.Title.Caption = title; });
}

void QtDataGrid::SetPickList(const std::string& fieldName, std::vector<std::string> items) {
  ChangeColumn(fieldName, [&](TColumn& column) { column.PickList = std::move(items); });
}

void QtDataGrid::SetPickList(const std::string& fieldName, const std::string& text) {
  SetPickList(fieldName, PickListFromText(text));
}

void QtDataGrid::SetDropDownRows(const std::string& fieldName, int rows) {
  ChangeColumn(fieldName, [&](TColumn& column) { column.DropDownRows = rows; });
}

// ---- Behaviour ----

void QtDataGrid::SetReadOnly(bool readOnly) {
  if (readOnly) DiscardEditor();
  model_->SetReadOnly(readOnly);
  viewport()->update();
}

bool QtDataGrid::IsReadOnly() const {
  return model_->ReadOnly();
}

void QtDataGrid::SetAlwaysShowEditor(bool on) {
  setEditTriggers(on ? editTriggers() | CurrentChanged : editTriggers() & ~CurrentChanged);
  if (on && currentIndex().isValid()) edit(currentIndex());
}

bool QtDataGrid::AlwaysShowsEditor() const {
  return editTriggers() & CurrentChanged;
}

void QtDataGrid::DrawOnTop(QPainter& painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  if (!cellDrawer_ || !GetTable() || index.column() >= model_->columnCount()) return;
  painter.save();
  cellDrawer_(painter, option, model_->RecordForRow(index.row()),
              model_->Columns()[static_cast<std::size_t>(index.column())]);
  painter.restore();
}

// ---- Current cell ----

int QtDataGrid::CurrentColumn() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? horizontalHeader()->visualIndex(current.column()) : -1;
}

void QtDataGrid::SetCurrentColumn(int position) {
  const int column = horizontalHeader()->logicalIndex(position);
  if (column < 0) return;
  lastColumn_ = column;
  const QModelIndex current = currentIndex();
  if (current.isValid()) {
    selection_->setCurrentIndex(model_->index(current.row(), column),
                                QItemSelectionModel::ClearAndSelect);
  }
}

std::string QtDataGrid::CurrentField() const {
  const QModelIndex current = currentIndex();
  if (!current.isValid()) return std::string();
  return model_->Columns()[static_cast<std::size_t>(current.column())].FieldName;
}

int QtDataGrid::FirstVisibleColumn() const {
  const QHeaderView* header = horizontalHeader();
  for (int visual = 0; visual < model_->columnCount(); ++visual) {
    const int logical = header->logicalIndex(visual);
    if (!header->isSectionHidden(logical)) return logical;
  }
  return -1;
}

void QtDataGrid::FollowCursor(int column) {
  const int row = model_->CursorRow();
  if (column < 0) column = lastColumn_;
  if (column < 0 || column >= model_->columnCount() ||
      horizontalHeader()->isSectionHidden(column)) {
    column = FirstVisibleColumn();
  }
  const QModelIndex current = currentIndex();
  if (row < 0 || row >= model_->rowCount() || column < 0) {
    following_ = true;
    selection_->clearCurrentIndex();
    selection_->clearSelection();
    following_ = false;
    return;
  }
  const QModelIndex target = model_->index(row, column);
  if (target != current) {
    // An editor left open on another row must not write into this one.
    if (current.isValid() && current.row() != row) DiscardEditor();
    following_ = true;
    selection_->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    following_ = false;
    // Rows just added or moved are laid out first: scrolling by the layout
    // of before would leave a new last row half hidden.
    if (isVisible()) {
      executeDelayedItemsLayout();
      scrollTo(target);
    }
  }
  verticalHeader()->viewport()->update();
}

void QtDataGrid::MoveToRow(int row, int column) {
  Table* table = GetTable();
  const Table::Bookmark target = model_->BookmarkAt(row);
  if (!CommitEditor() || !LeaveRow()) {
    FollowCursor();
    return;
  }
  if (target != 0 && table->BookmarkValid(target)) {
    try {
      table->GotoBookmark(target);
    } catch (const TableError&) {
      // Posting took the row out of the view: stay where the table stands.
    }
  }
  FollowCursor(column);
}

bool QtDataGrid::LeaveRow() {
  Table* table = GetTable();
  if (!table || table->State() == TableState::Browse) return true;
  return Run([this, table] { model_->RowWriter().FinishRow(*table); });
}

bool QtDataGrid::CommitEditor() {
  QWidget* editor = delegate_->OpenEditor();
  if (!editor) return true;
  commitData(editor);
  closeEditor(editor, QAbstractItemDelegate::NoHint);  // stays open when refused
  return !writeFailed_;
}

void QtDataGrid::commitData(QWidget* editor) {
  // The refusal's message takes the keyboard from the editor, which would
  // write and close it once more: the write under way decides.
  if (committing_) return;
  committing_ = true;
  writeFailed_ = false;
  const QString typed = delegate_->TypedText(editor);
  QTableView::commitData(editor);
  committing_ = false;
  if (writeFailed_) refusedText_ = typed;
}

void QtDataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
  if (committing_) return;
  if (writeFailed_ && hint != QAbstractItemDelegate::RevertModelCache &&
      editor == delegate_->OpenEditor()) {
    // A value the field refused: the player corrects it in place.
    delegate_->ReturnToEditor(editor, refusedText_);
    return;
  }
  writeFailed_ = false;
  QTableView::closeEditor(editor, hint);
}

bool QtDataGrid::EditorChanged() const {
  QWidget* editor = delegate_->OpenEditor();
  const QModelIndex current = currentIndex();
  if (!editor || !current.isValid()) return false;
  return delegate_->TypedText(editor) != current.data(Qt::EditRole).toString();
}

void QtDataGrid::DiscardEditor() {
  if (QWidget* editor = delegate_->OpenEditor()) {
    closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
  }
}

void QtDataGrid::ShowError(const std::string& message) {
  dialogs_.ShowError(message);
}

bool QtDataGrid::Run(const std::function<void()>& action) {
  try {
    action();
    return true;
  } catch (const std::exception& error) {
    ShowError(error.what());
    return false;
  }
}

// ---- Player actions ----

bool QtDataGrid::InsertRow() {
  Table* table = GetTable();
  if (!table || IsReadOnly() || !CommitEditor() || !LeaveRow()) return false;
  return Run([this, table] { model_->RowWriter().NewRow(*table, table->IsEmpty()); });
}

bool QtDataGrid::AppendRow() {
  Table* table = GetTable();
  if (!table || IsReadOnly() || !CommitEditor() || !LeaveRow()) return false;
  return Run([this, table] { model_->RowWriter().NewRow(*table, true); });
}

bool QtDataGrid::DeleteRow() {
  Table* table = GetTable();
  if (!table || IsReadOnly()) return false;
  if (table->State() == TableState::Insert) {
    // A row never posted goes without a question only when nothing was
    // typed into it; what the player filled in is asked about like a row.
    const bool typed = model_->RowTyped() || EditorChanged();
    if (typed && confirmDelete_ && !confirmDelete_()) return false;
    DiscardEditor();
    table->Cancel();
    return true;
  }
  DiscardEditor();
  if (table->IsEmpty() || (confirmDelete_ && !confirmDelete_())) return false;
  return Run([this, table] { model_->RowWriter().DeleteRow(*table); });
}

bool QtDataGrid::PostRow() {
  Table* table = GetTable();
  if (!table || !CommitEditor()) return false;
  return Run([this, table] { model_->RowWriter().PostRow(*table); });
}

bool QtDataGrid::FinishEditing() {
  return CommitEditor() && LeaveRow();
}

void QtDataGrid::CancelRow() {
  DiscardEditor();
  if (Table* table = GetTable()) table->Cancel();
}

bool QtDataGrid::CancelStep() {
  if (delegate_->OpenEditor()) {
    DiscardEditor();
    return true;
  }
  Table* table = GetTable();
  if (!table || table->State() == TableState::Browse) return false;
  table->Cancel();
  return true;
}

void QtDataGrid::EnterPressed() {
  if (!CommitEditor()) return;
  Table* table = GetTable();
  if (table && table->State() != TableState::Browse) {
    // The row is stored and stays the current one, in the place its order
    // gives it: what the window does next is done to this row.
    LeaveRow();
    FollowCursor();
    return;
  }
  const QModelIndex current = currentIndex();
  if (current.isValid() && current.row() + 1 < model_->rowCount()) {
    selection_->setCurrentIndex(model_->index(current.row() + 1, current.column()),
                                QItemSelectionModel::ClearAndSelect);
  } else {
    LeaveRow();
  }
}

bool QtDataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
  // Only the table's current row can be edited: that is the row it buffers.
  if (index.isValid() && index.row() != model_->CursorRow()) return false;
  // With the editor always on, a click on the current cell opens it at once.
  if (trigger == SelectedClicked && AlwaysShowsEditor()) {
    return QTableView::edit(index, CurrentChanged, nullptr);
  }
  return QTableView::edit(index, trigger, event);
}

void QtDataGrid::focusInEvent(QFocusEvent* event) {
  QTableView::focusInEvent(event);
  // Taking the keyboard closed the editor that had it (a window focusing
  // the grid after adding a row); the always-on editor opens again.
  const QModelIndex current = currentIndex();
  if (AlwaysShowsEditor() && current.isValid() && !delegate_->OpenEditor()) edit(current);
}

void QtDataGrid::keyPressEvent(QKeyEvent* event) {
  Table* table = GetTable();
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  const bool plain = modifiers == Qt::NoModifier;
  if (!table) {
    QTableView::keyPressEvent(event);
    return;
  }
  switch (event->key()) {
    case Qt::Key_Insert:
      if (plain) {
        InsertRow();
      } else {
        event->ignore();  // Ctrl+Insert is the window's add command
      }
      return;
    case Qt::Key_Delete:
      if (modifiers != Qt::ControlModifier) break;
      DeleteRow();
      return;
    case Qt::Key_Escape:
      if (table->State() == TableState::Browse) {
        event->ignore();  // nothing to cancel: the window's Escape
        return;
      }
      CancelRow();
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      EnterPressed();
      return;
    case Qt::Key_Down: {
      const QModelIndex current = currentIndex();
      const bool lastRow = !current.isValid() || current.row() + 1 >= model_->rowCount();
      if (!plain || !lastRow || IsReadOnly()) break;
      // Down from the last row starts a new one, but never a second blank one.
      if (table->State() != TableState::Insert || table->Modified()) AppendRow();
      return;
    }
    default:
      break;
  }
  QTableView::keyPressEvent(event);
}

}  // namespace qv
