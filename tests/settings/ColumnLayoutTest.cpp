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

TEST(ColumnLayoutTest, FilesThatAreNoLayoutAreRefused) {
  for (const std::string& text : {std::string(), std::string("[Column]\nField=Name\n")}) {
    std::string error;
    EXPECT_FALSE(qv::ParseColumnLayout(text, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
  const std::string header = "QVMap column layout 1\n";
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

// A layout edited by hand keeps every entry that can be read: a bad one
// leaves its property as designed, a column without a field is left out.
TEST(ColumnLayoutTest, BadEntriesAreLeftOutAndEverythingElseIsKept) {
  const std::string text =
      "QVMap column layout 1\n"
      "Field=Stray\n"
      "[Column]\nField=Name\nWidth=-4\nVisible=yes\nAlign=Middle\nFont.Size=0\nColour=5\n"
      "garbage\nTitle.Caption=Sector\n"
      "[Column]\nWidth=10\n"
      "[Column]\nField=Yield\nWidth=120\nFont.Size=abc\nFont.Name=Courier\n";
  std::vector<std::string> skipped;
  const auto read = qv::ParseColumnLayout(text, nullptr, &skipped);
  ASSERT_TRUE(read);
  ASSERT_EQ(read->size(), 2u);
  TColumn name;
  name.FieldName = "Name";
  name.Title.Caption = "Sector";
  EXPECT_EQ(read->at(0), name);
  EXPECT_EQ(read->at(1).FieldName, "Yield");
  EXPECT_EQ(read->at(1).Width, 120);
  ASSERT_TRUE(read->at(1).Font);
  EXPECT_EQ(read->at(1).Font->Name, "Courier");
  EXPECT_EQ(read->at(1).Font->Size, qv::TFontParams().Size);
  EXPECT_EQ(
      skipped,
      (std::vector<std::string>{
          "line 2: unexpected text", "line 5: bad entry Width", "line 6: bad entry Visible",
          "line 7: bad entry Align", "line 8: bad entry Font.Size", "line 9: bad entry Colour",
          "line 10: unexpected text", "line 17: bad entry Font.Size", "a column names no field"}));
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
