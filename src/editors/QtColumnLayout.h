#pragma once

#include <QPointer>
#include <string>

namespace qv {

class Dialogs;
class QtDataGrid;

// Replaces the grid's columns by the layout stored in `path`. Every entry
// that can be read is taken: a bad entry keeps that one property as designed,
// and a column naming a field the grid's table does not have is left out. A
// file that cannot be read, is no layout of this program or holds no usable
// column leaves the grid's columns as they are; the result is then false,
// with the reason in `error`.
bool LoadColumnLayout(QtDataGrid& grid, const std::string& path, std::string* error = nullptr);
// Writes the grid's columns (display order, current widths) to `path`,
// creating or replacing it in one step. TableError when it cannot.
void SaveColumnLayout(const QtDataGrid& grid, const std::string& path);

// The layout file of one grid over its window's life, so that a window needs
// one line per grid: created after the grid has its designed columns, it
// reads the file when it exists and the settings file is this build's;
// destroyed with the window, it writes the grid's layout back, always (so a
// file that could not be read is replaced by a good one), unless the program
// may not write its folder. A file that cannot be written is reported
// through the dialogs.
class QtColumnLayoutFile {
 public:
  QtColumnLayoutFile(QtDataGrid& grid, const std::string& programFolder,
                     const std::string& fileName, bool buildMatches, Dialogs& dialogs,
                     bool folderWritable = true);
  ~QtColumnLayoutFile();
  QtColumnLayoutFile(const QtColumnLayoutFile&) = delete;
  QtColumnLayoutFile& operator=(const QtColumnLayoutFile&) = delete;

  const std::string& Path() const { return path_; }
  // Whether the grid took its columns from the file.
  bool Loaded() const { return loaded_; }
  // What destruction does; false (message shown) when the file could not be
  // written, and when it may not be.
  bool Save();

 private:
  QPointer<QtDataGrid> grid_;
  std::string path_;
  Dialogs& dialogs_;
  bool folderWritable_;
  bool loaded_ = false;
};

}  // namespace qv
