#include "editors/QtTableModel.h"

#include <QBrush>
#include <algorithm>

#include "data/Field.h"
#include "settings/QtColors.h"
#include "settings/QtFonts.h"

namespace qv {

namespace {

Qt::Alignment ToQtAlignment(Alignment align) {
  switch (align) {
    case Alignment::Right:
      return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

TColumnList ColumnsOfFields(const Table* table) {
  TColumnList columns;
  if (!table) return columns;
  for (int i = 0; i < table->FieldCount(); ++i) {
    const Field& field = table->Fields(i);
    if (!field.Visible()) continue;
    TColumn column;
    column.FieldName = field.FieldName();
    columns.push_back(std::move(column));
  }
  return columns;
}

// Font, text colour and background of a cell or a title.
QVariant StyleData(int role, const std::optional<TFontParams>& font,
                   const std::optional<TColor>& color) {
  switch (role) {
    case Qt::FontRole:
      return font ? QVariant(ToQFont(*font)) : QVariant();
    case Qt::ForegroundRole:
      return font ? QVariant(QBrush(ToQColor(font->Color))) : QVariant();
    case Qt::BackgroundRole:
      return color ? QVariant(QBrush(ToQColor(*color))) : QVariant();
    default:
      return QVariant();
  }
}

}  // namespace

QtTableModel::QtTableModel(QObject* parent) : QAbstractTableModel(parent) {}

QtTableModel::~QtTableModel() {
  DetachAll();
}

void QtTableModel::DetachAll() {
  if (table_) table_->DetachView(this);
  for (Table* lookup : lookupTables_)
    lookup->DetachView(this);
  lookupTables_.clear();
}

void QtTableModel::Reset(const std::function<void()>& change) {
  beginResetModel();
  DetachAll();
  change();
  ResolveFields();
  if (table_) table_->AttachView(this);
  AttachLookupTables();
  shownRows_ = CurrentRowCount();
  endResetModel();
  emit CursorMoved();
}

void QtTableModel::SetTable(Table* table) {
  Reset([&] {
    table_ = table;
    rowTyped_ = false;
    if (defaultColumns_) columns_ = ColumnsOfFields(table_);
  });
}

void QtTableModel::SetColumns(TColumnList columns) {
  Reset([&] {
    defaultColumns_ = columns.empty();
    columns_ = defaultColumns_ ? ColumnsOfFields(table_) : std::move(columns);
  });
}

void QtTableModel::ChangeColumn(int column, const std::function<void(TColumn&)>& change) {
  if (column < 0 || column >= columnCount()) return;
  const std::string field = columns_[column].FieldName;
  change(columns_[column]);
  columns_[column].FieldName = field;
  emit headerDataChanged(Qt::Horizontal, column, column);
  if (shownRows_ > 0) emit dataChanged(index(0, column), index(shownRows_ - 1, column));
}

void QtTableModel::SetColumnWidth(int column, int width) {
  if (column >= 0 && column < columnCount()) columns_[column].Width = width;
}

void QtTableModel::ResolveFields() {
  fieldIndexes_.clear();
  for (const TColumn& column : columns_) {
    const Field* field = table_ ? table_->FindField(column.FieldName) : nullptr;
    fieldIndexes_.push_back(field ? field->Index() : -1);
  }
}

void QtTableModel::AttachLookupTables() {
  for (int i = 0; i < columnCount(); ++i) {
    const Field* field = ColumnField(i);
    Table* lookup =
        field && field->DataType() == FieldType::Lookup ? field->LookupTable() : nullptr;
    if (!lookup || lookup == table_) continue;
    if (std::find(lookupTables_.begin(), lookupTables_.end(), lookup) != lookupTables_.end()) {
      continue;
    }
    lookup->AttachView(this);
    lookupTables_.push_back(lookup);
  }
}

const Field* QtTableModel::ColumnField(int column) const {
  if (!table_ || column < 0 || column >= columnCount() || fieldIndexes_[column] < 0) return nullptr;
  return &table_->Fields(fieldIndexes_[column]);
}

// ---- Rows ----

int QtTableModel::CurrentRowCount() const {
  if (!table_) return 0;
  return table_->RecordCount() + (table_->State() == TableState::Insert ? 1 : 0);
}

int QtTableModel::InsertRow() const {
  if (!table_ || table_->State() != TableState::Insert) return -1;
  if (table_->InsertingAtEnd()) return table_->RecordCount();
  return std::max(0, table_->RecNo() - 1);
}

int QtTableModel::CursorRow() const {
  if (!table_) return -1;
  if (table_->State() == TableState::Insert) return InsertRow();
  return table_->RecNo() - 1;
}

int QtTableModel::RecNoForRow(int row) const {
  const int insertRow = InsertRow();
  if (insertRow < 0 || row < insertRow) return row + 1;
  return row == insertRow ? 0 : row;
}

Record QtTableModel::RecordForRow(int row) const {
  const int recNo = RecNoForRow(row);
  if (recNo == 0) return table_->CurrentRecord();
  if (table_->State() == TableState::Edit && recNo == table_->RecNo()) {
    return table_->CurrentRecord();
  }
  return table_->RecordAt(recNo);
}

Table::Bookmark QtTableModel::BookmarkAt(int row) const {
  if (!table_) return 0;
  const int recNo = RecNoForRow(row);
  const Record record = recNo == 0 ? Record(*table_, nullptr) : table_->RecordAt(recNo);
  return record.IsValid() ? record.GetRow()->id : 0;
}

bool QtTableModel::CellEditable(int row, int column) const {
  const Field* field = ColumnField(column);
  if (readOnly_ || !field || columns_[column].ReadOnly || field->ReadOnly()) return false;
  return field->DataType() != FieldType::Calculated && row >= 0 && row < shownRows_;
}

bool QtTableModel::WriteCellText(int row, int column, const std::string& text) {
  if (!CellEditable(row, column) || row != CursorRow()) return false;
  const int fieldIndex = fieldIndexes_[column];
  // Opening and leaving an editor without a change must not make a row
  // modified: an untouched new row would then be kept.
  if (text == RecordForRow(row).Text(fieldIndex)) return true;
  try {
    writer_->EditRow(*table_);
    table_->Fields(fieldIndex).SetText(text);
    rowTyped_ = true;
    return true;
  } catch (const std::exception& error) {
    if (errorHandler_) errorHandler_(error.what());
    return false;
  }
}

// ---- Qt model ----

int QtTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shownRows_;
}

int QtTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant QtTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.column() >= columnCount()) return QVariant();
  const TColumn& column = columns_[index.column()];
  const Field* field = ColumnField(index.column());
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
      if (!field) return QString();
      return QString::fromStdString(RecordForRow(index.row()).Text(field->Index()));
    }
    case Qt::TextAlignmentRole: {
      const Alignment align =
          column.Align ? *column.Align : (field ? field->GetAlignment() : Alignment::Left);
      return QVariant::fromValue(ToQtAlignment(align));
    }
    default:
      return StyleData(role, column.Font, column.Color);
  }
}

QVariant QtTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return QVariant();
  const TColumnTitle& title = columns_[section].Title;
  switch (role) {
    case Qt::DisplayRole: {
      if (!title.Caption.empty()) return QString::fromStdString(title.Caption);
      const Field* field = ColumnField(section);
      return QString::fromStdString(field ? field->DisplayLabel() : columns_[section].FieldName);
    }
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ToQtAlignment(title.Align));
    default:
      return StyleData(role, title.Font, title.Color);
  }
}

Qt::ItemFlags QtTableModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags result = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (CellEditable(index.row(), index.column())) result |= Qt::ItemIsEditable;
  return result;
}

bool QtTableModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (!index.isValid() || role != Qt::EditRole) return false;
  return WriteCellText(index.row(), index.column(), value.toString().toStdString());
}

// ---- Following the table ----

void QtTableModel::RowsChanged() {
  const int rows = CurrentRowCount();
  if (rows != shownRows_) {
    beginResetModel();
    shownRows_ = rows;
    endResetModel();
  } else if (rows > 0) {
    emit dataChanged(index(0, 0), index(rows - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Vertical, 0, rows - 1);
  }
  emit CursorMoved();
}

void QtTableModel::TableChanged(Table& table, TableChange change) {
  if (&table == table_ && table.State() == TableState::Browse) rowTyped_ = false;
  if (&table != table_) {
    // A lookup table changed: the names shown may be others now.
    if (shownRows_ > 0 && columnCount() > 0) {
      emit dataChanged(index(0, 0), index(shownRows_ - 1, columnCount() - 1));
    }
    return;
  }
  switch (change) {
    case TableChange::RecordChanged: {
      const int row = CursorRow();
      if (row >= 0 && row < shownRows_ && columnCount() > 0) {
        emit dataChanged(index(row, 0), index(row, columnCount() - 1));
      }
      break;
    }
    case TableChange::Scrolled:
      if (shownRows_ > 0) emit headerDataChanged(Qt::Vertical, 0, shownRows_ - 1);
      emit CursorMoved();
      break;
    case TableChange::LayoutChanged:
      if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
      RowsChanged();
      break;
    default:
      RowsChanged();
      break;
  }
}

}  // namespace qv
