#include "settings/ColumnLayout.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TempDir.h"

namespace {

using qv::TColumn;
using qv::TColumnList;

// Every property set away from its default, next to a column left as made.
TColumnList FullLayout() {
  TColumn full;
  full.FieldName = "FactoryId";
  full.Width = 189;
  full.Visible = false;
  full.ReadOnly = true;
  full.Align = qv::Alignment::Center;
  full.Color = static_cast<qv::TColor>(0x80000005u);
  full.Font = qv::TFontParams{"DejaVu Sans", 11, 0x0000FF, qv::kFontBold | qv::kFontItalic, 0};
  full.PickList = {"", "Your, own", " padded "};
  full.ButtonStyle = qv::EditButtonStyle::Ellipsis;
  full.DropDownRows = 15;
  full.Title.Caption = " MP, Cr/h = max ";
  full.Title.Align = qv::Alignment::Right;
  full.Title.Color = 0x00FF00;
  full.Title.Font = qv::TFontParams{"Serif", 8, 0, qv::kFontUnderline, 204};
  TColumn plain;
  plain.FieldName = "Yield";
  return {full, plain};
}

TEST(ColumnLayoutTest, EveryPropertySurvivesAFileRoundTrip) {
  qvtest::TempDir dir;
  const std::string path = dir.File("fact4.col");
  qv::WriteColumnLayoutFile(path, FullLayout());
  std::string error;
  EXPECT_EQ(qv::ReadColumnLayoutFile(path, &error), FullLayout()) << error;
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);

  // Line breaks in a title cannot break the file apart.
  TColumnList columns = FullLayout();
  columns[0].Title.Caption = "two\r\nlines";
  const auto read = qv::ParseColumnLayout(qv::FormatColumnLayout(columns), &error);
  ASSERT_TRUE(read);
  EXPECT_EQ((*read)[0].Title.Caption, "two  lines");
}

TEST(ColumnLayoutTest, FilesThatAreNoLayoutAreRefusedWhole) {
  const std::string header = "QVMap column layout 1\n";
  for (const std::string& text : {
           std::string(),
           std::string("[Column]\nField=Name\n"),
           header + "Field=Name\n",
           header + "[Column]\nWidth=10\n",
           header + "[Column]\nField=Name\nWidth=-4\n",
           header + "[Column]\nField=Name\nVisible=yes\n",
           header + "[Column]\nField=Name\nAlign=Middle\n",
           header + "[Column]\nField=Name\nFont.Size=0\n",
           header + "[Column]\nField=Name\nColour=5\n",
           header + "[Column]\nField=Name\ngarbage\n",
       }) {
    std::string error;
    EXPECT_FALSE(qv::ParseColumnLayout(text, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
  EXPECT_EQ(qv::ParseColumnLayout(header + "\r\n[Column]\r\nField=Name\r\n", nullptr)->at(0), [] {
    TColumn column;
    column.FieldName = "Name";
    return column;
  }());
  qvtest::TempDir dir;
  std::string error;
  EXPECT_FALSE(qv::ReadColumnLayoutFile(dir.File("missing.col"), &error));
  EXPECT_FALSE(error.empty());
}

TEST(ColumnLayoutTest, ColumnsAreFoundByExactFieldNameAndValueListsSplitOnSemicolons) {
  TColumnList columns = FullLayout();
  EXPECT_EQ(qv::FindColumn(columns, "Yield"), &columns[1]);
  EXPECT_EQ(qv::FindColumn(columns, "yield"), nullptr);
  EXPECT_EQ(qv::PickListFromText("Yes;No"), (std::vector<std::string>{"Yes", "No"}));
  EXPECT_EQ(qv::PickListFromText("\"a;b\",c"), (std::vector<std::string>{"a,b", "c"}));
}

// A layout file is read only when it is a regular file of a text file's size.
TEST(ColumnLayoutTest, FifosDevicesAndHugeFilesAreRefusedUnread) {
  qvtest::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo.col").c_str(), 0644), 0);
  std::string error;
  EXPECT_FALSE(qv::ReadColumnLayoutFile(dir.File("fifo.col"), &error));
  EXPECT_EQ(error, "it is not a regular file");
  EXPECT_FALSE(qv::ReadColumnLayoutFile("/dev/zero", &error));
  EXPECT_EQ(error, "it is not a regular file");
  dir.Write("huge.col", "QVMap column layout 1\n");
  std::filesystem::resize_file(dir.File("huge.col"), std::uintmax_t{1} << 32);  // sparse
  EXPECT_FALSE(qv::ReadColumnLayoutFile(dir.File("huge.col"), &error));
  EXPECT_EQ(error, "the file is 4.0 GB, more than the 16.0 MB read from such a file");
}

}  // namespace
