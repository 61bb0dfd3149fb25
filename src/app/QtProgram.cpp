#include "app/QtProgram.h"

#include "app/MainForm.h"
#include "data/DataModule1.h"
#include "data/ProgramFolderLock.h"
#include "economy/RequestForm.h"
#include "map/LegendForm.h"
#include "settings/Dialogs.h"
#include "settings/PrefForm.h"
#include "settings/Settings.h"

namespace qv {

namespace {

std::string Sentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text + ".";
}

}  // namespace

QtProgram::QtProgram(const std::string& programFolder, Dialogs& dialogs, BusyCursor* busy)
    : programFolder_(programFolder),
      dialogs_(dialogs),
      lock_(std::make_unique<ProgramFolderLock>(programFolder)) {
  if (lock_->HeldElsewhere()) {
    dialogs.ShowError(Sentence(lock_->Problem()) +
                      "\nThis program ends without changing anything.");
    throw ProgramFolderInUse(lock_->Problem());
  }
  // The store object only holds the table layouts until it loads; the main
  // window reads the settings before the tables are read, as at every start.
  store_ = std::make_unique<TDataModule1>(programFolder, dialogs, busy);
  if (!lock_->Held()) {
    // Another writer cannot be ruled out: the universe is only looked at.
    dialogs.ShowError(Sentence(lock_->Problem()) +
                      "\nNo change to the universe will be saved in this run.");
    store_->SetUniverseReadOnly();
  }
  mainForm_ = std::make_unique<TMainForm>(*store_, dialogs, busy, programFolder);
  store_->DataModuleCreate();
  storeLoaded_ = true;

  TMainForm& main = *mainForm_;
  requestForm_ = std::make_unique<TRequestForm>(*store_, dialogs, main.CustomColors(), &main);
  prefForm_ = std::make_unique<TPrefForm>(dialogs, main.CustomColors(), &main);
  legendForm_ = std::make_unique<TLegendForm>(&main);
  if (std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_, dialogs_))
    legendForm_->ReadPlacement(settings.get());
  QObject::connect(legendForm_.get(), &TLegendForm::closed, &main, &TMainForm::LegendClosed);
  QObject::connect(legendForm_.get(), &TLegendForm::preferencesRequested, &main,
                   &TMainForm::Preferences1Click);
  main.AttachWindows(requestForm_.get(), prefForm_.get(), legendForm_.get());

  main.BuildLanguageMenu();
  main.SetLanguage();
}

QtProgram::~QtProgram() {
  Shutdown();
}

void QtProgram::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (mainForm_) mainForm_->AttachWindows(nullptr, nullptr, nullptr);
  if (legendForm_) {
    if (std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_, dialogs_))
      legendForm_->WritePlacement(settings.get());
  }
  legendForm_.reset();
  prefForm_.reset();
  requestForm_.reset();
  if (storeLoaded_) store_->DataModuleDestroy();
  mainForm_.reset();
  store_.reset();
}

}  // namespace qv
