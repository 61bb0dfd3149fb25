#include "data/TableFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/Table.h"
#include "support/TempDir.h"

namespace {

namespace fs = std::filesystem;
using qv::FieldType;
using qv::Row;
using qv::Table;
using qv::TableError;
using qv::Value;

// Slots: Name, X, Visible, Id, Label (calculated, never stored).
std::unique_ptr<Table> MakeTable() {
  auto table = std::make_unique<Table>("Sectors");
  table->AddField("Name", FieldType::String, 10);
  table->AddField("X", FieldType::Integer);
  table->AddField("Visible", FieldType::Boolean);
  table->AddField("Id", FieldType::AutoInc);
  table->AddCalculatedField("Label", FieldType::String, 20, [](const qv::Record& r) {
    return Value("#" + r.Get("Name").ToString());
  });
  return table;
}

Row MakeRow(Value name, Value x, Value visible, Value id) {
  return Row{{std::move(name), std::move(x), std::move(visible), std::move(id), Value()}, 0};
}

std::vector<std::vector<Value>> StoredValues(const Table& table) {
  std::vector<std::vector<Value>> result;
  for (const qv::Record& record : table.AllRecords()) {
    result.push_back({record.Get(0), record.Get(1), record.Get(2), record.Get(3)});
  }
  return result;
}

std::string FileText(const std::string& fields, const std::string& rows,
                     const std::string& rootAttributes = "nextAutoInc=\"10\"") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Table " + rootAttributes + ">\n<Fields>" +
         fields + "</Fields>\n<Rows>\n" + rows + "</Rows>\n</Table>\n";
}

const std::string kFields =
    "<Field name=\"Name\" type=\"string\" size=\"10\"/>"
    "<Field name=\"X\" type=\"integer\"/>"
    "<Field name=\"Visible\" type=\"boolean\"/>"
    "<Field name=\"Id\" type=\"autoinc\"/>";

std::vector<std::string> FolderEntries(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

TEST(TableFileTest, RoundTripKeepsRowsValuesNullsAndOrder) {
  qvtest::TempDir dir;
  auto source = MakeTable();
  std::vector<Row> rows;
  rows.push_back(MakeRow("Zeta", 5, true, 7));
  rows.push_back(MakeRow("", Value(), false, 3));               // empty text, null integer
  rows.push_back(MakeRow(Value(), INT_MIN, Value(), 12));       // null text and boolean
  rows.push_back(MakeRow("Kéß Ωμ→", INT_MAX, true, 1));         // non-ASCII, 7 code points
  rows.push_back(MakeRow("<a&\"b'>", -1, false, INT_MAX - 1));  // markup characters
  rows.push_back(MakeRow("t\tn\nr\r ", 0, true, -5));           // whitespace kept
  rows.push_back(MakeRow("c\x01\x1f", 8, false, 20));           // other control characters
  source->LoadRows(std::move(rows), INT_MAX);
  const auto expected = StoredValues(*source);

  const std::string path = dir.File("sectors.cds");
  qv::SaveTableFile(*source, path);
  EXPECT_EQ(FolderEntries(dir.Path()), std::vector<std::string>{"sectors.cds"});
  EXPECT_EQ(dir.Read("sectors.cds").find("Label"), std::string::npos);

  auto loaded = MakeTable();
  qv::LoadTableFile(*loaded, path);
  EXPECT_EQ(StoredValues(*loaded), expected);
  EXPECT_EQ(loaded->NextAutoInc(), INT_MAX);
  EXPECT_TRUE(loaded->AllRecords()[1].Get("Name") == Value(std::string()));
  EXPECT_TRUE(loaded->AllRecords()[2].Get("Name").IsNull());
  EXPECT_EQ(loaded->AllRecords()[0].Get("Label").ToString(), "#Zeta");

  // Saving what was loaded gives the same text again.
  const std::string first = dir.Read("sectors.cds");
  qv::SaveTableFile(*loaded, path);
  EXPECT_EQ(dir.Read("sectors.cds"), first);
}

// Files as the program writes them are read straight from their text; any
// other way of writing the same rows (by hand, by another tool) must load
// the same values.
TEST(TableFileTest, HandWrittenRowsLoadAsTheirPlainForm) {
  const std::string plain =
      FileText(kFields,
               "<Row Name=\"a&amp;b&lt;&gt;&quot;&apos;\" X=\"-7\" Visible=\"true\" Id=\"1\"/>\n"
               "<Row Name=\"&#233;&#x4E2D;&#9;&#x1F600;\" X=\"0\" Visible=\"false\" Id=\"2\"/>\n"
               "<Row Id=\"3\"/>\n<Row X=\"-0012\" Visible=\"false\" Id=\"4\"/>\n"
               "<Row X=\"1&#50;\" Id=\"5\"/>\n");
  const std::string hand =
      FileText(kFields,
               "  <Row Name = 'a&amp;b&lt;>\"&apos;' X=\"-7\"\tVisible=\"true\" Id=\"1\"></Row>\n"
               "<!-- the second row -->\n"
               "<Row Name=\"\xC3\xA9\xE4\xB8\xAD&#9;\xF0\x9F\x98\x80\" X=\"0\" Visible=\"false\" "
               "Id=\"2\" />\r\n<Row Id=\"3\"/><Row X='-0012' Visible='false' Id='4'/>"
               "<Row X=\"12\" Id=\"5\"/>");
  qvtest::TempDir dir;
  auto load = [&](const std::string& text) {
    dir.Write("t.cds", text);
    auto table = MakeTable();
    qv::LoadTableFile(*table, dir.File("t.cds"));
    return StoredValues(*table);
  };
  const auto expected =
      std::vector<std::vector<Value>>{{"a&b<>\"'", -7, true, 1},
                                      {"\xC3\xA9\xE4\xB8\xAD\t\xF0\x9F\x98\x80", 0, false, 2},
                                      {Value(), Value(), Value(), 3},
                                      {Value(), -12, false, 4},
                                      {Value(), 12, Value(), 5}};
  EXPECT_EQ(load(plain), expected);
  EXPECT_EQ(load(hand), expected);
}

// A loaded table keeps its rows' values in memory of its own; they stay
// editable, survive a refused load and give way to the next load.
TEST(TableFileTest, LoadedRowsStayEditableAcrossLoads) {
  qvtest::TempDir dir;
  dir.Write("t.cds", FileText(kFields,
                              "<Row Name=\"a\" X=\"1\" Visible=\"true\" Id=\"1\"/>\n"
                              "<Row Name=\"b\" X=\"2\" Visible=\"false\" Id=\"2\"/>\n"
                              "<Row Name=\"c\" X=\"3\" Id=\"3\"/>\n"));
  dir.Write("bad.cds", FileText(kFields, "<Row Id=\"1\"/><Row Id=\"1\"/>\n"));
  auto table = MakeTable();
  qv::LoadTableFile(*table, dir.File("t.cds"));
  table->First();
  table->Edit();
  table->FieldByName("Name").SetAsString("a longer name");
  table->Post();
  table->Next();
  table->Delete();
  table->Append();
  table->FieldByName("X").SetAsInteger(4);
  table->Post();
  const auto edited = std::vector<std::vector<Value>>{
      {"a longer n", 1, true, 1}, {"c", 3, Value(), 3}, {Value(), 4, Value(), 10}};
  EXPECT_EQ(StoredValues(*table), edited);

  EXPECT_THROW(qv::LoadTableFile(*table, dir.File("bad.cds")), TableError);
  EXPECT_EQ(StoredValues(*table), edited);
  qv::SaveTableFile(*table, dir.File("t.cds"));
  qv::LoadTableFile(*table, dir.File("t.cds"));
  EXPECT_EQ(StoredValues(*table), edited);
  table->Last();
  table->Delete();
  EXPECT_EQ(table->TotalRowCount(), 2);
}

TEST(TableFileTest, TextWithNulStillGivesALoadableFile) {
  qvtest::TempDir dir;
  auto source = MakeTable();
  source->LoadRows({MakeRow(std::string("a\0b", 3), 1, true, 1)}, 2);
  qv::SaveTableFile(*source, dir.File("t.cds"));
  auto loaded = MakeTable();
  qv::LoadTableFile(*loaded, dir.File("t.cds"));
  EXPECT_EQ(loaded->AllRecords()[0].Get("Name").ToString(), "ab");
}

TEST(TableFileTest, EmptyTableRoundTrips) {
  qvtest::TempDir dir;
  auto source = MakeTable();
  qv::SaveTableFile(*source, dir.File("empty.cds"));
  auto loaded = MakeTable();
  loaded->LoadRows({MakeRow("old", 1, true, 1)}, 2);
  qv::LoadTableFile(*loaded, dir.File("empty.cds"));
  EXPECT_EQ(loaded->TotalRowCount(), 0);
}

TEST(TableFileTest, AutoIncContinuesAfterLoad) {
  qvtest::TempDir dir;
  auto source = MakeTable();
  source->Append();
  source->FieldByName("Name").SetAsString("a");
  source->Post();
  source->Append();
  source->FieldByName("Name").SetAsString("b");
  source->Post();
  source->Last();
  source->Delete();  // the counter stays past the deleted row's Id
  const std::int32_t counter = source->NextAutoInc();
  qv::SaveTableFile(*source, dir.File("t.cds"));

  auto loaded = MakeTable();
  qv::LoadTableFile(*loaded, dir.File("t.cds"));
  EXPECT_EQ(loaded->NextAutoInc(), counter);
  loaded->Append();
  loaded->FieldByName("Name").SetAsString("c");
  loaded->Post();
  EXPECT_EQ(loaded->FieldByName("Id").AsInteger(), counter);
}

// A text longer than its field (a file edited by hand) is kept whole and
// named: cutting it at load would cut the file at the next save.
TEST(TableFileTest, LoadAcceptsOtherFieldOrderKeepsLongTextAndRepairsCounter) {
  qvtest::TempDir dir;
  const std::string fields =
      "<Field name=\"Id\" type=\"autoinc\"/><Field name=\"visible\" type=\"boolean\"/>"
      "<Field name=\"X\" type=\"integer\"/><Field name=\"Name\" type=\"string\" size=\"40\"/>";
  dir.Write("t.cds", FileText(fields,
                              "<Row Id=\"5\" X=\"-3\" Name=\"ÄÖÜäöüßéèêXYZ\" visible=\"true\"/>\n"
                              "<Row Name=\"new\"/>\n",
                              "nextAutoInc=\"2\""));
  auto table = MakeTable();
  std::vector<qv::OverlongValue> overlong;
  qv::LoadTableFile(*table, dir.File("t.cds"), &overlong);
  const auto values = StoredValues(*table);
  ASSERT_EQ(values.size(), 2u);
  EXPECT_EQ(values[0], (std::vector<Value>{"ÄÖÜäöüßéèêXYZ", -3, true, 5}));
  ASSERT_EQ(overlong.size(), 1u);
  EXPECT_EQ(overlong[0].row, 1);
  EXPECT_EQ(overlong[0].field, "Name");
  EXPECT_EQ(overlong[0].length, 13u);
  EXPECT_EQ(overlong[0].limit, 10);
  qv::SaveTableFile(*table, dir.File("t.cds"));
  EXPECT_NE(dir.Read("t.cds").find("ÄÖÜäöüßéèêXYZ"), std::string::npos);
  // A stale counter would hand out Ids already in use; a row without an Id gets a fresh one.
  EXPECT_EQ(values[1], (std::vector<Value>{"new", Value(), Value(), 6}));
  EXPECT_EQ(table->NextAutoInc(), 7);
}

struct BadFile {
  const char* what;
  std::string content;
  const char* reason;  // part of the expected message
};

// The start of an executable, NULs included (the literal's own NUL left out).
constexpr char kBinary[] =
    "\x7f"
    "ELF\x02\x01\x00\x00<\x01\xff\xfe";

TEST(TableFileTest, DamagedOrForeignFilesAreRejectedAndTableKeepsItsRows) {
  const std::string goodRow = "<Row Name=\"a\" X=\"1\" Visible=\"true\" Id=\"1\"/>\n";
  const std::string good = FileText(kFields, goodRow);
  const std::vector<BadFile> cases = {
      {"damaged xml", FileText(kFields, "<Row Name=\"a\" X=1/>"), "line 5"},
      {"truncated", good.substr(0, good.size() / 2), "line"},
      {"empty file", "", "No document element"},
      {"binary", std::string(kBinary, sizeof kBinary - 1), "binary"},
      {"NUL in a row", FileText(kFields, std::string("<Row Name=\"a") + '\0' + "b\"/>\n"),
       "binary"},
      {"not xml", "just some text\n", "No document element"},
      {"foreign root", "<Settings><Fields/><Rows/></Settings>", "not a table file"},
      {"no rows", "<Table><Fields>" + kFields + "</Fields></Table>", "not a table file"},
      {"unknown field", FileText(kFields + "<Field name=\"Owner\" type=\"integer\"/>", goodRow),
       "unknown field 'Owner'"},
      {"calculated field listed",
       FileText(kFields + "<Field name=\"Label\" type=\"string\" size=\"20\"/>", goodRow),
       "unknown field 'Label'"},
      {"missing field",
       FileText("<Field name=\"Name\" type=\"string\" size=\"10\"/><Field name=\"X\" "
                "type=\"integer\"/><Field name=\"Id\" type=\"autoinc\"/>",
                ""),
       "field 'Visible' is missing"},
      {"field twice", FileText(kFields + "<Field name=\"X\" type=\"integer\"/>", ""),
       "field 'X' is listed twice"},
      {"type mismatch",
       FileText("<Field name=\"Name\" type=\"string\" size=\"10\"/><Field name=\"X\" "
                "type=\"string\" size=\"5\"/><Field name=\"Visible\" type=\"boolean\"/>"
                "<Field name=\"Id\" type=\"autoinc\"/>",
                ""),
       "field 'X' is string in the file but integer in the table"},
      {"unknown type", FileText("<Field name=\"Name\" type=\"blob\"/>", ""), "unknown type"},
      {"text in integer", FileText(kFields, goodRow + "<Row X=\"abc\" Id=\"2\"/>\n"),
       "row 2: 'abc' is not an integer for field 'X'"},
      {"integer with junk", FileText(kFields, "<Row X=\"12 \"/>\n"), "not an integer"},
      {"empty integer", FileText(kFields, "<Row X=\"\"/>\n"), "not an integer"},
      {"integer too large", FileText(kFields, "<Row X=\"2147483648\"/>\n"),
       "row 1: '2147483648' is out of the 32-bit range for field 'X'"},
      {"integer too small", FileText(kFields, "<Row Id=\"-2147483649\"/>\n"), "out of the 32-bit"},
      {"bad boolean", FileText(kFields, "<Row Visible=\"yes\"/>\n"),
       "'yes' is not a boolean for field 'Visible'"},
      {"unknown attribute", FileText(kFields, "<Row Colour=\"1\"/>\n"),
       "row 1: unknown field 'Colour'"},
      {"attribute twice", FileText(kFields, "<Row X=\"1\" X=\"2\"/>\n"), "given twice"},
      {"foreign row element", FileText(kFields, goodRow + "<Sector/>\n"),
       "row 2: unexpected element"},
      {"duplicate autoinc",
       FileText(kFields, goodRow + "<Row Id=\"4\"/>\n<Row Name=\"b\" Id=\"1\"/>\n"),
       "rows 1 and 3 have the same Id 1"},
      {"bad counter", FileText(kFields, "", "nextAutoInc=\"many\""), "AutoInc counter"},
      {"newer version", FileText(kFields, "", "version=\"2\""), "not supported"},
  };

  qvtest::TempDir dir;
  for (const BadFile& bad : cases) {
    SCOPED_TRACE(bad.what);
    dir.Write("bad.cds", bad.content);
    auto table = MakeTable();
    table->LoadRows({MakeRow("keep", 42, true, 9)}, 10);
    try {
      qv::LoadTableFile(*table, dir.File("bad.cds"));
      ADD_FAILURE() << "loaded without error";
    } catch (const TableError& e) {
      const std::string message = e.what();
      EXPECT_NE(message.find(bad.reason), std::string::npos) << message;
      EXPECT_NE(message.find(dir.File("bad.cds")), std::string::npos) << message;
    }
    EXPECT_EQ(StoredValues(*table), (std::vector<std::vector<Value>>{{"keep", 42, true, 9}}));
    EXPECT_EQ(table->NextAutoInc(), 10);
  }
}

TEST(TableFileTest, MissingOrUnreadableFileIsAnErrorNamingThePath) {
  qvtest::TempDir dir;
  auto table = MakeTable();
  for (const std::string& path : {dir.File("absent.cds"), dir.Path().string()}) {
    try {
      qv::LoadTableFile(*table, path);
      ADD_FAILURE() << "loaded " << path;
    } catch (const TableError& e) {
      EXPECT_NE(std::string(e.what()).find("Cannot open file " + path), std::string::npos)
          << e.what();
    }
  }
}

// Anything but a regular file is refused at once: a FIFO without a writer
// would otherwise block every command that loads the universe.
TEST(TableFileTest, NonRegularFilesAreRefusedWithoutWaiting) {
  qvtest::TempDir dir;
  ASSERT_EQ(::mkfifo(dir.File("fifo.cds").c_str(), 0644), 0);
  auto table = MakeTable();
  for (const std::string& path : {dir.File("fifo.cds"), std::string("/dev/null")}) {
    try {
      qv::LoadTableFile(*table, path);
      ADD_FAILURE() << "loaded " << path;
    } catch (const TableError& e) {
      EXPECT_EQ(std::string(e.what()), "Cannot open file " + path + ": it is not a regular file");
    }
  }
}

TEST(TableFileTest, CounterPastTheLastIdentifierSurvivesTheFile) {
  qvtest::TempDir dir;
  auto table = MakeTable();
  table->LoadRows({MakeRow("last", 1, true, 2147483647)}, 1);
  qv::SaveTableFile(*table, dir.File("t.cds"));
  auto loaded = MakeTable();
  qv::LoadTableFile(*loaded, dir.File("t.cds"));
  EXPECT_EQ(loaded->NextAutoInc(), 2147483648);
  EXPECT_THROW(loaded->Append(), TableError);
}

TEST(TableFileTest, FailedWritesReportTheErrorAndKeepTheOldFile) {
  qvtest::TempDir dir;
  auto table = MakeTable();
  table->LoadRows({MakeRow("new", 2, true, 1)}, 2);
  const std::string old = "old content";

  // Folder missing.
  const std::string inMissingFolder = dir.File("nofolder/t.cds");
  EXPECT_THROW(qv::SaveTableFile(*table, inMissingFolder), TableError);
  EXPECT_FALSE(fs::exists(dir.Path() / "nofolder"));

  // Target is a folder.
  fs::create_directory(dir.Path() / "folder.cds");
  try {
    qv::SaveTableFile(*table, dir.File("folder.cds"));
    ADD_FAILURE() << "wrote over a folder";
  } catch (const TableError& e) {
    EXPECT_NE(std::string(e.what()).find(dir.File("folder.cds")), std::string::npos);
  }
  EXPECT_TRUE(fs::is_empty(dir.Path() / "folder.cds"));

  // Read-only target: refused even where the file system would allow the
  // replacement (the folder is writable, and tests may run as root).
  dir.Write("ro.cds", old);
  fs::permissions(dir.Path() / "ro.cds", fs::perms::owner_read | fs::perms::group_read);
  EXPECT_THROW(qv::SaveTableFile(*table, dir.File("ro.cds")), TableError);
  EXPECT_EQ(dir.Read("ro.cds"), old);

  // The temporary file cannot be created (its name, longer than the target's,
  // is too long for the file system): the old file stays as it was.
  const std::string longName = std::string(240, 'n') + ".cds";
  dir.Write(longName, old);
  EXPECT_THROW(qv::SaveTableFile(*table, dir.File(longName)), TableError);
  EXPECT_EQ(dir.Read(longName), old);
  fs::remove(dir.Path() / longName);
  dir.Write("t.cds", old);

  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"folder.cds", "ro.cds", "t.cds"}));

  // A writable target is replaced and keeps its permissions.
  fs::permissions(dir.Path() / "t.cds", fs::perms::owner_read | fs::perms::owner_write);
  qv::SaveTableFile(*table, dir.File("t.cds"));
  EXPECT_EQ(fs::status(dir.Path() / "t.cds").permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  auto loaded = MakeTable();
  qv::LoadTableFile(*loaded, dir.File("t.cds"));
  EXPECT_EQ(StoredValues(*loaded), (std::vector<std::vector<Value>>{{"new", 2, true, 1}}));
  EXPECT_EQ(FolderEntries(dir.Path()), (std::vector<std::string>{"folder.cds", "ro.cds", "t.cds"}));
}

}  // namespace
