// Imports the input as a tab-separated file into one table (chosen by the
// first byte) of a program folder holding the sample universe, the way
// `qvmap-cli import` does. Besides not crashing it requires: a refused import
// writes nothing and names its fault on one readable line; an accepted one
// holds only values the field can keep, and the file it writes loads back to
// the same rows and AutoInc counter.

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/DataModule1.h"
#include "data/Record.h"
#include "data/TableFile.h"
#include "data/TableImport.h"
#include "data/TextUtil.h"
#include "economy/ComplexTables.h"
#include "settings/SilentDialogs.h"
#include "support/TempDir.h"

namespace {

using qvfuzz::Require;

constexpr const char* kComplexTables[] = {"FactoryListData", "FactProdData"};
constexpr std::size_t kStoreTables = 7;

struct Folder {
  qvtest::TempDir home;
  qvtest::TempDir work;
  qv::SilentDialogs dialogs;
  Folder() { std::filesystem::copy(QV_SOURCE_DIR "/Data", home.Path() / "Data"); }
};

Folder& TheFolder() {
  static Folder folder;
  return folder;
}

// A fresh store (as the command makes one) and the chosen table in it.
struct Target {
  std::unique_ptr<qv::TDataModule1> store;
  std::unique_ptr<qv::Table> complexTable;
  qv::Table* table = nullptr;
  std::string path;

  Target(Folder& folder, std::size_t choice) {
    store = std::make_unique<qv::TDataModule1>(folder.home.Folder(), folder.dialogs);
    if (choice < kStoreTables) {
      table = store->AllTables()[choice];
      path = store->TableFilePath(*table);
    } else {
      std::string fileName;
      complexTable = qv::MakeComplexTable(kComplexTables[choice - kStoreTables], *store, fileName);
      table = complexTable.get();
      path = folder.home.Folder() + fileName;
    }
  }
};

void RequireOneReadableLine(const std::string& message) {
  Require(!message.empty(), "a refused import says why");
  Require(qv::Utf8Length(message).has_value(), "an import's message is well-formed UTF-8");
  Require(std::none_of(message.begin(), message.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }),
          "an import's message has no control characters");
}

void RequireStorableValues(const qv::Table& table) {
  for (const qv::Record& record : table.AllRecords()) {
    for (int i = 0; i < table.FieldCount(); ++i) {
      const qv::Field& field = table.Fields(i);
      const qv::Value& value = record.Get(i);
      if (value.IsNull() || field.DataType() != qv::FieldType::String) continue;
      const std::string text = value.ToString();
      const std::optional<std::size_t> length = qv::Utf8Length(text);
      Require(length.has_value(), "an imported text is well-formed UTF-8");
      Require(text.find('\0') == std::string::npos, "an imported text holds no NUL");
      Require(field.Size() <= 0 || *length <= static_cast<std::size_t>(field.Size()),
              "an imported text fits its field");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  Folder& folder = TheFolder();
  const std::string input = folder.work.File("input.tsv");
  qvfuzz::WriteFile(input, qvfuzz::Bytes(data + 1, size - 1));
  Target target(folder, data[0] % (kStoreTables + std::size(kComplexTables)));

  bool existed = false;
  const std::string before = qvfuzz::ReadFile(target.path, &existed);
  try {
    qv::ImportTableFile(*target.table, input);
  } catch (const qv::ImportError& error) {
    RequireOneReadableLine(error.message);
    Require(target.table->TotalRowCount() == 0, "a refused import leaves the table as it was");
    bool exists = false;
    Require(qvfuzz::ReadFile(target.path, &exists) == before && exists == existed,
            "a refused import leaves the table file untouched");
    return 0;
  }
  RequireStorableValues(*target.table);

  std::filesystem::create_directories(std::filesystem::path(target.path).parent_path());
  qv::SaveTableFile(*target.table, target.path);
  Target copy(folder, data[0] % (kStoreTables + std::size(kComplexTables)));
  qvfuzz::RequireLoadsAsSaved(*target.table, *copy.table, target.path);

  // The next input starts from the sample universe again.
  if (existed)
    qvfuzz::WriteFile(target.path, before);
  else
    std::filesystem::remove(target.path);
  return 0;
}
