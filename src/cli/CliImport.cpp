#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "cli/CliContext.h"
#include "cli/Commands.h"
#include "data/CommitRecord.h"
#include "data/JournalFile.h"
#include "data/ProgramFolderLock.h"
#include "data/TableFile.h"
#include "data/TableImport.h"
#include "economy/ComplexTables.h"

namespace qv::cli {

// import TABLE FILE: replaces the rows of one table by those of a
// tab-separated file and writes that table's file, nothing else. It holds the
// program folder meanwhile, as the program does.
int RunImport(CliContext& context, const CommandArgs& args) {
  if (args.size() != 2) throw UsageError("import needs a table and a file");
  const std::string& tableName = args[0];
  const std::string& path = args[1];

  const ProgramFolderLock lock(context.Home());
  if (!lock.Held()) {
    context.Err() << "qvmap-cli: " << lock.Problem() << "; nothing written\n";
    return 1;
  }
  std::unique_ptr<TDataModule1> store = context.EmptyStore();
  // A save of the universe cut short is completed first, as the program does
  // at start: a table written now must not be replaced by an older one later.
  const CommitRecord::Recovery recovery = CommitRecord::Recover(store->DataFolder());
  for (const CommitRecord::Failure& failure : recovery.failures)
    context.Err() << "qvmap-cli: " << failure.target << ": " << failure.reason << "\n";
  if (recovery.outcome == CommitRecord::Recovery::Outcome::Pending) {
    context.Err() << "qvmap-cli: the last save of the universe in " << store->DataFolder()
                  << " could not be completed; nothing written\n";
    return 1;
  }
  Table* table = store->FindTable(tableName);
  // The complex calculator's two tables live beside the program, outside the store.
  std::string complexFile;
  std::unique_ptr<Table> complexTable;
  if (!table) {
    complexTable = MakeComplexTable(tableName, *store, complexFile);
    table = complexTable.get();
  }
  if (!table) {
    context.Err() << "qvmap-cli: " << path << ": unknown table " << tableName << "\n";
    return 1;
  }
  // A table written now would no longer be what the journal's changes were
  // made on: they would never be applied again.
  const std::string journal = store->DataFolder() + JournalFile::kFileName;
  if (!complexTable && table != &store->AuxRequestData && std::filesystem::exists(journal)) {
    context.Err() << "qvmap-cli: " << journal
                  << " holds changes that were not saved (QVMap did not close normally); run "
                     "qvmap-cli recover first; nothing written\n";
    return 1;
  }
  try {
    ImportTableFile(*table, path);
  } catch (const ImportError& error) {
    context.Err() << "qvmap-cli: " << path;
    if (error.line > 0) context.Err() << ":" << error.line;
    context.Err() << ": " << error.message << "\n";
    return 1;
  }

  const std::string target =
      complexTable ? context.Home() + complexFile : store->TableFilePath(*table);
  try {
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    SaveTableFile(*table, target);
  } catch (const TableError& error) {
    context.Err() << "qvmap-cli: " << error.what() << "\n";  // it names the file
    return 1;
  } catch (const std::exception& error) {
    context.Err() << "qvmap-cli: Cannot write file " << target << ": " << error.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace qv::cli
