#include "settings/StoreStartExit.h"

#include <memory>

#include "data/DataModule1.h"
#include "settings/Dialogs.h"
#include "settings/Settings.h"

namespace qv {

bool RequestFromThisBuild(const std::string& programFolder) {
  const std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder);
  return SettingsBuildMatches(settings.get());
}

void ShowLoadReport(Dialogs& dialogs, const TLoadReport& report) {
  if (report.Text.empty()) return;
  if (report.IsError)
    dialogs.ShowError(report.Text);
  else
    dialogs.ShowMessage(report.Text, "Warning", MessageIcon::Warning);
}

void ShowSaveFailures(Dialogs& dialogs, const std::vector<std::string>& failures) {
  for (const std::string& failure : failures)
    dialogs.ShowError(failure);
}

void LoadStore(TDataModule1& store, Dialogs& dialogs) {
  ShowLoadReport(dialogs, store.DataModuleCreate(RequestFromThisBuild(store.ProgramFolder())));
}

void SaveStore(TDataModule1& store, Dialogs& dialogs) {
  ShowSaveFailures(dialogs, store.DataModuleDestroy());
}

}  // namespace qv
