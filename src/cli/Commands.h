#pragma once

#include <string>
#include <vector>

namespace qv::cli {

class CliContext;
using CommandArgs = std::vector<std::string>;

// One command of the tool. `run` returns the exit status (0 done, 1 failed
// with a line on stderr) and throws UsageError for a wrong command line.
struct Command {
  const char* name;
  const char* usage;  // the arguments, as the usage text shows them
  int (*run)(CliContext& context, const CommandArgs& args);
};

// Every command, in the order the usage lists them. A new command is a file
// of its own with its Run function, declared here and listed in Commands.cpp.
const std::vector<Command>& AllCommands();
const Command* FindCommand(const std::string& name);
std::string UsageText();

int RunTables(CliContext& context, const CommandArgs& args);
int RunDump(CliContext& context, const CommandArgs& args);
int RunImport(CliContext& context, const CommandArgs& args);
int RunRender(CliContext& context, const CommandArgs& args);
int RunStats(CliContext& context, const CommandArgs& args);
int RunSector(CliContext& context, const CommandArgs& args);
int RunProfit(CliContext& context, const CommandArgs& args);
int RunComplex(CliContext& context, const CommandArgs& args);
int RunPlan(CliContext& context, const CommandArgs& args);
int RunRoute(CliContext& context, const CommandArgs& args);
int RunWhere(CliContext& context, const CommandArgs& args);
int RunRecover(CliContext& context, const CommandArgs& args);

// The solar power plant cycle the complex window starts with: PowerCycle of
// its settings section, else 90 (also when the settings file cannot be read,
// which the context reports).
int SavedPowerCycle(CliContext& context);

}  // namespace qv::cli
