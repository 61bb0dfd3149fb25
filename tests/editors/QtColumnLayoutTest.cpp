#include "editors/QtColumnLayout.h"

#include <gtest/gtest.h>

#include "data/Table.h"
#include "editors/QtDataGrid.h"
#include "settings/ColumnLayout.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

namespace {

qv::TColumn Col(const std::string& field, int width) {
  qv::TColumn column;
  column.FieldName = field;
  column.Width = width;
  return column;
}

// A hand-edited layout with a column of a field that is gone and a bad
// entry: the custom width of the column that is fine survives the load and
// the write at the window's end. A program that does not hold its folder
// leaves the file as it is.
TEST(QtColumnLayoutTest, LayoutKeepsWhatItCanReadAndIsNotWrittenWithoutTheFolder) {
  qvtest::TempDir dir;
  qvtest::ScriptedDialogs dialogs;
  qv::Table products("Products");
  products.AddField("Name", qv::FieldType::String, 20);
  products.AddField("Min", qv::FieldType::Integer);
  const std::string layout =
      "QVMap column layout 1\n[Column]\nField=Gone\nWidth=30\n[Column]\nField=Min\n"
      "Width=abc\n[Column]\nField=Name\nWidth=177\n";
  dir.Write("products.col", layout);
  {
    qv::QtDataGrid grid(dialogs);
    grid.SetTable(&products);
    grid.SetColumns({Col("Name", 80), Col("Min", 50)});
    qv::QtColumnLayoutFile file(grid, dir.Folder(), "products.col", true, dialogs, false);
    EXPECT_TRUE(file.Loaded());
    ASSERT_EQ(grid.Columns().size(), 2u);
    EXPECT_EQ(grid.Columns()[0].FieldName, "Min");
    EXPECT_EQ(grid.Columns()[1].FieldName, "Name");
    EXPECT_EQ(grid.Columns()[1].Width, 177);
    EXPECT_FALSE(file.Save());
  }
  EXPECT_EQ(dir.Read("products.col"), layout);
  {
    qv::QtDataGrid grid(dialogs);
    grid.SetTable(&products);
    grid.SetColumns({Col("Name", 80), Col("Min", 50)});
    qv::QtColumnLayoutFile file(grid, dir.Folder(), "products.col", true, dialogs);
  }
  const auto written = qv::ReadColumnLayoutFile(dir.File("products.col"), nullptr);
  ASSERT_TRUE(written);
  ASSERT_EQ(written->size(), 2u);
  EXPECT_EQ(written->at(1).FieldName, "Name");
  EXPECT_EQ(written->at(1).Width, 177);
  EXPECT_TRUE(dialogs.shown.empty());
}

}  // namespace
