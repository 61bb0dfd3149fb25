#include <ostream>

#include "cli/CliContext.h"
#include "cli/Commands.h"

namespace qv::cli {

// tables: every table of the store in load order with its row count.
int RunTables(CliContext& context, const CommandArgs& args) {
  if (!args.empty()) throw UsageError("tables takes no arguments");
  TDataModule1& store = context.Store();
  for (Table* table : store.AllTables())
    context.Out() << table->Name() << '\t' << table->TotalRowCount() << '\n';
  return context.StoreLoadFailed() ? 1 : 0;
}

}  // namespace qv::cli
