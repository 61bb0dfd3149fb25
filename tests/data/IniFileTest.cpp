#include "data/IniFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "support/TempDir.h"

namespace {

using qv::IniFile;
using qvtest::TempDir;

std::unique_ptr<IniFile> LoadText(const TempDir& dir, const std::string& text) {
  dir.Write("t.ini", text);
  std::string error;
  auto file = IniFile::Load(dir.File("t.ini"), &error);
  EXPECT_TRUE(file) << error;
  return file;
}

TEST(IniFileTest, ReadsIntegersInEveryEncodingAndFallsBackOnAnythingElse) {
  TempDir dir;
  auto ini = LoadText(dir,
                      "[N]\n"
                      "dec=255\nneg=-2147483643\nplus=+7\nhex=0xFF\nHEX=0XfF\ndollar=$FF\n"
                      "allF=0xFFFFFFFF\nsys=0x80000005\nnegHex=-$10\n"
                      "zeroX=0x\ndollarOnly=$\nletters=red\ntrailing=12abc\nempty=\n"
                      "tooBig=2147483648\ntooSmall=-2147483649\nlongHex=0x100000000\n"
                      "spaced=  42  \nquoted=\"17\"\ninner=1 2\n");
  auto read = [&](const char* key) { return ini->ReadInteger("N", key, -99); };
  EXPECT_EQ(read("dec"), 255);
  EXPECT_EQ(read("neg"), -2147483643);
  EXPECT_EQ(read("plus"), 7);
  EXPECT_EQ(read("hex"), 255);
  EXPECT_EQ(read("HEX"), 255);
  EXPECT_EQ(read("dollar"), 255);
  EXPECT_EQ(read("allF"), -1);
  EXPECT_EQ(read("sys"), -2147483643);
  EXPECT_EQ(read("negHex"), -16);
  EXPECT_EQ(read("spaced"), 42);
  EXPECT_EQ(read("quoted"), 17);
  for (const char* bad : {"zeroX", "dollarOnly", "letters", "trailing", "empty", "tooBig",
                          "tooSmall", "longHex", "inner", "missing"}) {
    EXPECT_EQ(read(bad), -99) << bad;
  }
  EXPECT_EQ(ini->ReadInteger("NoSuchSection", "dec", 3), 3);
}

TEST(IniFileTest, BooleansAreIntegersWhereAnythingButZeroIsTrue) {
  TempDir dir;
  auto ini = LoadText(dir, "[B]\none=1\nseven=7\nzero=0\nword=yes\n");
  EXPECT_TRUE(ini->ReadBool("B", "one", false));
  EXPECT_TRUE(ini->ReadBool("B", "seven", false));
  EXPECT_FALSE(ini->ReadBool("B", "zero", true));
  EXPECT_TRUE(ini->ReadBool("B", "word", true));
  EXPECT_FALSE(ini->ReadBool("B", "word", false));
  EXPECT_TRUE(ini->ReadBool("B", "missing", true));
}

TEST(IniFileTest, NamesMatchWithoutCaseAndTheFirstDuplicateWins) {
  TempDir dir;
  auto ini = LoadText(dir,
                      "[MainWindow]\nZoom=150\nzoom=50\n[mainwindow]\nOther=1\n"
                      "[ Spaced ]\n  key  =  some value  \n");
  EXPECT_TRUE(ini->SectionExists("MAINWINDOW"));
  EXPECT_EQ(ini->ReadInteger("mainWINDOW", "ZOOM", 0), 150);
  EXPECT_FALSE(ini->ValueExists("MainWindow", "Other"));  // only the first section counts
  EXPECT_EQ(ini->ReadString("spaced", "KEY", ""), "some value");
  EXPECT_EQ(ini->ReadSection("MainWindow"), (std::vector<std::string>{"Zoom"}));

  ini->WriteInteger("MAINWINDOW", "ZOOM", 75);
  EXPECT_EQ(ini->ReadInteger("MainWindow", "Zoom", 0), 75);
  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("t.ini"),
            "[MainWindow]\r\nZoom=75\r\nzoom=50\r\n[mainwindow]\r\nOther=1\r\n"
            "[ Spaced ]\r\n  key  =  some value  \r\n");
}

TEST(IniFileTest, ValuesKeepEqualsSignsLoseMatchingQuotesAndAreCutAt2047Characters) {
  TempDir dir;
  const std::string longValue(3000, 'x');
  const std::string umlauts(2100, 'a');
  auto ini =
      LoadText(dir, "[S]\ncap=a=b\ndq=\"quoted\"\nsq='single'\nodd=\"half\nlong=" + longValue +
                        "\nwide=\xC3\xA4" + umlauts + "\n");
  EXPECT_EQ(ini->ReadString("S", "cap", ""), "a=b");
  EXPECT_EQ(ini->ReadString("S", "dq", ""), "quoted");
  EXPECT_EQ(ini->ReadString("S", "sq", ""), "single");
  EXPECT_EQ(ini->ReadString("S", "odd", ""), "\"half");
  EXPECT_EQ(ini->ReadString("S", "long", "").size(), 2047u);
  // Cut by characters, never inside a multi-byte one.
  const std::string wide = ini->ReadString("S", "wide", "");
  EXPECT_EQ(wide.size(), 2048u);
  EXPECT_EQ(wide.substr(0, 2), "\xC3\xA4");
}

TEST(IniFileTest, LinesWithoutEqualsCommentsAndPreambleAreKeptButAreNoEntries) {
  TempDir dir;
  const std::string text =
      "; preamble comment\r\nstray=1\r\n[S]\r\njust text\r\n; note=not a key\r\n"
      "=nokey\r\nk=v\r\nempty=\r\n";
  auto ini = LoadText(dir, text);
  EXPECT_FALSE(ini->ValueExists("S", "just text"));
  EXPECT_FALSE(ini->ValueExists("S", "; note"));
  EXPECT_EQ(ini->ReadSections(), (std::vector<std::string>{"S"}));
  const auto values = ini->ReadSectionValues("S");
  ASSERT_EQ(values.size(), 2u);  // "empty" is left out
  EXPECT_EQ(values[0], (std::pair<std::string, std::string>{"", "nokey"}));
  EXPECT_EQ(values[1], (std::pair<std::string, std::string>{"k", "v"}));
  EXPECT_EQ(ini->ReadString("S", "empty", "default"), "");

  ini->WriteString("S", "k", "w");
  ASSERT_TRUE(ini->UpdateFile());
  std::string expected = text;
  expected.replace(expected.find("k=v"), 3, "k=w");
  EXPECT_EQ(dir.Read("t.ini"), expected);
}

TEST(IniFileTest, WritingKeepsOrderAndAppendsNewKeysAndSectionsAtTheirEnd) {
  TempDir dir;
  auto ini = LoadText(dir, "[A]\nx=1\ny=2\n\n[B]\nz=3\n");
  ini->WriteString("A", "new", "n");
  ini->WriteString("C", "c", "3");
  ini->WriteBool("B", "flag", true);
  ini->WriteInteger("A", "x", -5);
  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("t.ini"),
            "[A]\r\nx=-5\r\ny=2\r\nnew=n\r\n\r\n[B]\r\nz=3\r\nflag=1\r\n[C]\r\nc=3\r\n");

  ini->DeleteKey("a", "Y");
  ini->EraseSection("b");
  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("t.ini"), "[A]\r\nx=-5\r\nnew=n\r\n\r\n[C]\r\nc=3\r\n");
}

TEST(IniFileTest, AValueWithLineBreaksCannotAddKeysOrSections) {
  TempDir dir;
  IniFile ini(dir.File("t.ini"));
  ini.WriteString("S", "Name", "Arial\r\n[Evil]\nBuild=99");
  ASSERT_TRUE(ini.UpdateFile());
  auto again = IniFile::Load(dir.File("t.ini"));
  ASSERT_TRUE(again);
  EXPECT_FALSE(again->SectionExists("Evil"));
  EXPECT_EQ(again->ReadSection("S").size(), 1u);
  EXPECT_EQ(again->ReadString("S", "Name", ""), "Arial  [Evil] Build=99");
}

// Reading trims blanks and drops one pair of quotes; writing quotes what
// would otherwise come back different.
TEST(IniFileTest, ValuesWithBlankEdgesOrQuotesReadBackAsWritten) {
  TempDir dir;
  IniFile ini(dir.File("t.ini"));
  const std::string values[] = {" Map ", "\"x\"", "'y'", "\"", "a\"b", "\"\"", "plain", ""};
  for (std::size_t i = 0; i < std::size(values); ++i)
    ini.WriteString("S", "k" + std::to_string(i), values[i]);
  ASSERT_TRUE(ini.UpdateFile());
  EXPECT_NE(dir.Read("t.ini").find("k6=plain\r\nk7=\r\n"), std::string::npos);
  auto again = IniFile::Load(dir.File("t.ini"));
  ASSERT_TRUE(again);
  for (std::size_t i = 0; i < std::size(values); ++i)
    EXPECT_EQ(again->ReadString("S", "k" + std::to_string(i), "?"), values[i]) << i;
}

TEST(IniFileTest, AcceptsBomAndMixedLineEndsAndKeepsTheBom) {
  TempDir dir;
  auto ini = LoadText(dir, "\xEF\xBB\xBF[S]\r\na=1\nb=2\r\n");
  EXPECT_EQ(ini->ReadSections(), (std::vector<std::string>{"S"}));
  EXPECT_EQ(ini->ReadInteger("S", "a", 0), 1);
  EXPECT_EQ(ini->ReadInteger("S", "b", 0), 2);
  ini->WriteInteger("S", "b", 3);
  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("t.ini"), "\xEF\xBB\xBF[S]\r\na=1\r\nb=3\r\n");
}

// Hand-edited files in the Windows code page are read as such, and written
// back in UTF-8; a BOM says nothing about the rest of the file.
TEST(IniFileTest, TextThatIsNotUtf8IsReadAsWindows1252AndWrittenAsUtf8) {
  TempDir dir;
  auto ini = LoadText(dir, "[S]\nname=M\xFCller\nquote=\x93hi\x94 \x80 \x81\n[Gr\xFC\xDF]\nz=1\n");
  EXPECT_EQ(ini->ReadString("S", "name", ""), "M\u00FCller");
  EXPECT_EQ(ini->ReadString("S", "quote", ""), "\u201Chi\u201D \u20AC \u0081");
  EXPECT_EQ(ini->ReadInteger("Gr\u00FC\u00DF", "z", 0), 1);
  ini->WriteString("S", "name", "Gr\u00F6\u00DFe");
  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("t.ini"),
            "[S]\r\nname=Gr\u00F6\u00DFe\r\nquote=\u201Chi\u201D \u20AC \u0081\r\n"
            "[Gr\u00FC\u00DF]\r\nz=1\r\n");

  auto bom = LoadText(dir, "\xEF\xBB\xBF[S]\nname=M\xFCller\n");
  EXPECT_EQ(bom->ReadSections(), (std::vector<std::string>{"S"}));
  EXPECT_EQ(bom->ReadString("S", "name", ""), "M\u00FCller");
  auto utf8 = LoadText(dir, "[S]\nname=M\u00FCller \xE2\x82\xAC\n");  // valid UTF-8 stays
  EXPECT_EQ(utf8->ReadString("S", "name", ""), "M\u00FCller \u20AC");
}

TEST(IniFileTest, MissingFileIsEmptyButFifosDevicesFoldersAndHugeFilesAreRefused) {
  TempDir dir;
  std::string error;
  auto missing = IniFile::Load(dir.File("none.ini"), &error);
  ASSERT_TRUE(missing);
  EXPECT_TRUE(missing->ReadSections().empty());
  EXPECT_FALSE(missing->IsDirty());
  EXPECT_TRUE(missing->UpdateFile());  // nothing changed: nothing written
  EXPECT_FALSE(dir.Exists("none.ini"));

  // None of them is waited on or read to its (missing) end.
  ASSERT_EQ(::mkfifo(dir.File("fifo.ini").c_str(), 0644), 0);
  EXPECT_FALSE(IniFile::Load(dir.File("fifo.ini"), &error));
  EXPECT_EQ(error, "it is not a regular file");
  EXPECT_FALSE(IniFile::Load("/dev/zero", &error));
  EXPECT_EQ(error, "it is not a regular file");
  std::filesystem::create_directory(dir.Path() / "folder.ini");
  EXPECT_FALSE(IniFile::Load(dir.File("folder.ini"), &error));
  EXPECT_EQ(error, "it is a folder");
  dir.Write("huge.ini", "[S]\na=1\n");
  std::filesystem::resize_file(dir.File("huge.ini"), std::uintmax_t{3} << 30);  // sparse
  EXPECT_FALSE(IniFile::Load(dir.File("huge.ini"), &error));
  EXPECT_EQ(error, "the file is 3.0 GB, more than the 16.0 MB read from such a file");
}

// What can be read is read: NUL padding left by a crash, a line of binary
// junk and a line in another encoding cost no other line.
TEST(IniFileTest, JunkLinesAreKeptButCostNoOtherSetting) {
  TempDir dir;
  using namespace std::string_literals;
  const std::string text =
      "[S]\r\nname=Gr\u00FC\u00DFe\r\nbad=\x01\0\x02junk=1\r\nold=M\xFCller\r\n"
      "[T]\r\nBuild=4\0\0\r\n\0\0\0"s;
  auto ini = LoadText(dir, text);
  ASSERT_TRUE(ini);
  EXPECT_EQ(ini->ReadSection("S"), (std::vector<std::string>{"name", "old"}));
  EXPECT_EQ(ini->ReadString("S", "name", ""), "Gr\u00FC\u00DFe");  // UTF-8 stays
  EXPECT_EQ(ini->ReadString("S", "old", ""), "M\u00FCller");       // its line is Windows-1252
  EXPECT_EQ(ini->ReadInteger("T", "Build", 0), 4);
  // Written back, the junk line stands as it was and the padding is gone.
  ini->WriteInteger("T", "Build", 5);
  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("t.ini"),
            "[S]\r\nname=Gr\u00FC\u00DFe\r\nbad=\x01\0\x02junk=1\r\nold=M\u00FCller\r\n"
            "[T]\r\nBuild=5\r\n"s);
}

TEST(IniFileTest, FailedUpdateKeepsTheOldFileAndLeavesNoTemporaryFile) {
  TempDir dir;
  dir.Write("t.ini", "[S]\na=1\n");
  auto ini = IniFile::Load(dir.File("t.ini"));
  ASSERT_TRUE(ini);
  ini->WriteInteger("S", "a", 2);
  // A folder cannot be replaced by a file: the rename fails.
  std::filesystem::create_directory(dir.Path() / "blocked.ini");
  std::filesystem::create_directory(dir.Path() / "blocked.ini" / "inside");
  IniFile blocked(dir.File("blocked.ini"));
  blocked.WriteInteger("S", "a", 2);
  std::string error;
  EXPECT_FALSE(blocked.UpdateFile(&error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(blocked.IsDirty());
  EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "blocked.ini" / "inside"));

  IniFile nowhere(dir.File("no/such/folder/t.ini"));
  nowhere.WriteInteger("S", "a", 1);
  EXPECT_FALSE(nowhere.UpdateFile());

  ASSERT_TRUE(ini->UpdateFile());
  EXPECT_EQ(dir.Read("t.ini"), "[S]\r\na=2\r\n");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    ++files;
  }
  EXPECT_EQ(files, 2);  // t.ini and the blocking folder, no temporary leftovers
}

}  // namespace
