#include "editors/QtColumnLayout.h"

#include <filesystem>

#include "data/AtomicFile.h"
#include "data/Field.h"
#include "data/Table.h"
#include "editors/QtDataGrid.h"
#include "settings/ColumnLayout.h"
#include "settings/Dialogs.h"
#include "settings/Settings.h"

namespace qv {

bool LoadColumnLayout(QtDataGrid& grid, const std::string& path, std::string* error) {
  std::optional<TColumnList> columns = ReadColumnLayoutFile(path, error);
  if (!columns) return false;
  const Table* table = grid.GetTable();
  TColumnList known;
  for (TColumn& column : *columns) {
    if (table) {
      const Field* field = table->FindField(column.FieldName);
      if (!field) continue;
      column.FieldName = field->FieldName();  // as the table spells it
    } else if (!grid.FindColumn(column.FieldName)) {
      continue;
    }
    known.push_back(std::move(column));
  }
  if (known.empty()) {
    if (error) *error = "the layout holds no column of this grid";
    return false;
  }
  grid.SetColumns(std::move(known));
  return true;
}

void SaveColumnLayout(const QtDataGrid& grid, const std::string& path) {
  WriteColumnLayoutFile(path, grid.Columns());
}

QtColumnLayoutFile::QtColumnLayoutFile(QtDataGrid& grid, const std::string& programFolder,
                                       const std::string& fileName, bool buildMatches,
                                       Dialogs& dialogs, bool folderWritable)
    : grid_(&grid),
      path_(ProgramFolder(programFolder) + fileName),
      dialogs_(dialogs),
      folderWritable_(folderWritable) {
  // A layout written by another build may describe other columns; a
  // damaged one is simply not taken, and the designed columns stay.
  std::error_code ec;
  if (buildMatches && std::filesystem::exists(path_, ec)) loaded_ = LoadColumnLayout(grid, path_);
}

QtColumnLayoutFile::~QtColumnLayoutFile() {
  Save();
}

bool QtColumnLayoutFile::Save() {
  if (!grid_ || !folderWritable_) return false;
  try {
    SaveColumnLayout(*grid_, path_);
    return true;
  } catch (const std::exception& error) {
    try {
      dialogs_.ShowError(WriteFailureText(path_, error));
    } catch (...) {
      // Reporting is all that is left to do; a destructor must not throw.
    }
    return false;
  }
}

}  // namespace qv
