#include "data/RowWriter.h"

#include "data/Table.h"

namespace qv {

void TRowWriter::EditRow(Table& table) {
  if (table.State() == TableState::Browse) table.Edit();
}

void TRowWriter::NewRow(Table& table, bool append) {
  if (append)
    table.Append();
  else
    table.Insert();
}

void TRowWriter::PostRow(Table& table) {
  table.Post();
}

void TRowWriter::FinishRow(Table& table) {
  table.CheckBrowseMode();
}

void TRowWriter::DeleteRow(Table& table) {
  table.Delete();
}

TRowWriter& PlainRowWriter() {
  // Stateless: one instance serves every table that is not the store's.
  static TRowWriter writer;
  return writer;
}

}  // namespace qv
