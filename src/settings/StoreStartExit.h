#pragma once

#include <string>
#include <vector>

namespace qv {

class Dialogs;
class TDataModule1;
struct TLoadReport;

// The store reads no settings and shows nothing; these load and save it the
// way the program does, with what the settings file says and every problem
// told to the player.

// The settings file in `programFolder` was written by this build, so the
// request table beside it means what this build's fields mean. Read
// silently: the main window reports a settings file that cannot be read.
bool RequestFromThisBuild(const std::string& programFolder);

// Everything loading found, in one message: one box per file would make a
// first start click through six of them.
void ShowLoadReport(Dialogs& dialogs, const TLoadReport& report);
void ShowSaveFailures(Dialogs& dialogs, const std::vector<std::string>& failures);

// DataModuleCreate and DataModuleDestroy with their messages shown.
void LoadStore(TDataModule1& store, Dialogs& dialogs);
void SaveStore(TDataModule1& store, Dialogs& dialogs);

}  // namespace qv
