#include "settings/LanguageFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "support/TempDir.h"

namespace {

using namespace qv;
using qvtest::TempDir;

TEST(LanguageFileTest, ListsEveryLngFileSortedWithoutItsExtension) {
  TempDir dir;
  dir.Write("de.lng", "");
  dir.Write("Russian.LNG", "");
  dir.Write("english.Lng", "");
  dir.Write(" Spaced .LNG", "");
  dir.Write(".LNG", "");
  dir.Write("readme.txt", "");
  dir.Write("QVMap.INI", "");
  std::filesystem::create_directory(dir.Path() / "folder.LNG");
  EXPECT_EQ(ListLanguages(dir.Folder()),
            (std::vector<std::string>{"Spaced", ".LNG", "de", "english", "Russian"}));

  TempDir empty;
  EXPECT_TRUE(ListLanguages(empty.Folder()).empty());
  EXPECT_TRUE(ListLanguages(empty.File("missing")).empty());
}

TEST(LanguageFileTest, OpensTheFileOfALanguageWhateverTheCaseOfItsName) {
  TempDir dir;
  dir.Write("de.lng", "[MainForm]\nCaption=Karte\n");
  std::string error;
  auto file = OpenLanguageFile(dir.Folder(), "DE", &error);
  ASSERT_TRUE(file) << error;
  EXPECT_EQ(file->ReadString("MainForm", "Caption", ""), "Karte");

  dir.Write("Exact.LNG", "[A]\nk=exact\n");
  dir.Write("exact.lng", "[A]\nk=other\n");
  EXPECT_EQ(OpenLanguageFile(dir.Folder(), "Exact")->ReadString("A", "k", ""), "exact");

  auto missing = OpenLanguageFile(dir.Folder(), "Klingon");
  ASSERT_TRUE(missing);  // reads as empty, no error
  EXPECT_TRUE(missing->ReadSections().empty());
  EXPECT_EQ(LanguageFileName(dir.Folder(), "Klingon"), dir.Folder() + "Klingon.LNG");

  // Every language the menu offers opens its own file, blanks in the file
  // name and a file in the Windows code page included.
  dir.Write("My Lang .LNG",
            "[A]\nk=Gr\xFC\xDF"
            "e\n");
  dir.Write(" lead.LNG", "[A]\nk=lead\n");
  for (const std::string& language : ListLanguages(dir.Folder())) {
    error.clear();
    auto offered = OpenLanguageFile(dir.Folder(), language, &error);
    ASSERT_TRUE(offered) << language << ": " << error;
    EXPECT_FALSE(offered->ReadSections().empty()) << language;
  }
  EXPECT_EQ(OpenLanguageFile(dir.Folder(), "My Lang")->ReadString("A", "k", ""),
            "Gr\u00FC\u00DF"
            "e");
  EXPECT_EQ(OpenLanguageFile(dir.Folder(), "LEAD")->ReadString("A", "k", ""), "lead");

  // A FIFO in a language file's place is refused at once, never waited on.
  ASSERT_EQ(::mkfifo(dir.File("Broken.LNG").c_str(), 0644), 0);
  error.clear();
  EXPECT_FALSE(OpenLanguageFile(dir.Folder(), "Broken", &error));
  EXPECT_EQ(error, "it is not a regular file");
}

TEST(LanguageFileTest, WindowSectionGivesCaptionAndControlEntriesOnly) {
  TempDir dir;
  dir.Write("x.LNG",
            "[MAINFORM]\n"
            "add1.CAPTION=&Add\n"
            "Caption=Map of the universe\n"
            "ComboBox1.Hint=Zoom a=b\n"
            "Empty1.Caption=\n"
            ".Caption=no component\n"
            "Trailing.=no property\n"
            "Label1.Font=ignored\n"
            "Panel1.Sub.Caption=ignored too\n"
            "=only a value\n"
            "DeleteMsg=Delete it?\n"
            "EmptyText=\n");
  auto file = OpenLanguageFile(dir.Folder(), "x");
  ASSERT_TRUE(file);
  const auto entries = ParseWindowSection(*file, "MainForm");
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].kind, TranslationEntry::ControlCaption);
  EXPECT_EQ(entries[0].component, "add1");
  EXPECT_EQ(entries[0].value, "&Add");
  EXPECT_EQ(entries[1].kind, TranslationEntry::Caption);
  EXPECT_EQ(entries[1].value, "Map of the universe");
  EXPECT_EQ(entries[2].kind, TranslationEntry::ControlHint);
  EXPECT_EQ(entries[2].component, "combobox1");
  EXPECT_EQ(entries[2].value, "Zoom a=b");

  EXPECT_TRUE(ParseWindowSection(*file, "NoSuchForm").empty());

  // Texts the window keeps: a missing key keeps the current text, an empty
  // value empties it.
  EXPECT_EQ(ReadText(*file, "MainForm", "deletemsg", "Delete?"), "Delete it?");
  EXPECT_EQ(ReadText(*file, "MainForm", "EmptyText", "English"), "");
  EXPECT_EQ(ReadText(*file, "MainForm", "Missing", "English"), "English");
}

}  // namespace
