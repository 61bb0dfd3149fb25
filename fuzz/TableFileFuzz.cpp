// Loads the input as the table file of each table of the store, the way the
// program reads its universe at start. Besides not crashing it requires:
// a file that does not load leaves the table's rows as they were, and a file
// that loads saves to bytes that load to the same rows and AutoInc counter
// and save to the very same bytes again.

#include <memory>
#include <string>
#include <vector>

#include "FuzzSupport.h"
#include "data/DataModule1.h"
#include "data/TableFile.h"
#include "settings/SilentDialogs.h"
#include "support/TempDir.h"

namespace {

// Two stores set up as at start (indexes and rules in place, no files): one
// the input is loaded into, one that reads back what the first one saved.
struct Stores {
  qvtest::TempDir home;
  qvtest::TempDir copyHome;
  qv::SilentDialogs dialogs;
  qv::TDataModule1 store{home.Folder(), dialogs};
  qv::TDataModule1 copy{copyHome.Folder(), dialogs};
  Stores() {
    store.LoadAllTables();
    copy.LoadAllTables();
  }
};

Stores& TheStores() {
  static Stores stores;
  return stores;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using qvfuzz::Require;
  Stores& s = TheStores();
  const std::string input = s.home.File("input.cds");
  const std::string saved = s.home.File("saved.cds");
  qvfuzz::WriteFile(input, qvfuzz::Bytes(data, size));

  const std::vector<qv::Table*> tables = s.store.AllTables();
  const std::vector<qv::Table*> copies = s.copy.AllTables();
  for (std::size_t t = 0; t < tables.size(); ++t) {
    qv::Table& table = *tables[t];
    const auto before = qvfuzz::RowsOf(table);
    try {
      qv::LoadTableFile(table, input);
    } catch (const qv::TableError&) {
      Require(qvfuzz::RowsOf(table) == before, "a file that does not load leaves the rows");
      continue;
    }
    qv::SaveTableFile(table, saved);
    const std::string text = qvfuzz::ReadFile(saved);
    qvfuzz::RequireLoadsAsSaved(table, *copies[t], saved);
    Require(qv::TableFileText(*copies[t], saved) == text,
            "a table read from a saved file saves to the same bytes");
  }
  return 0;
}
