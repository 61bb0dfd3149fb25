#include "app/QtProgram.h"

#include "app/JournalRestore.h"
#include "app/MainForm.h"
#include "data/DataModule1.h"
#include "data/ProgramFolderLock.h"
#include "data/StoreJournal.h"
#include "settings/Dialogs.h"
#include "settings/Settings.h"
#include "settings/StoreStartExit.h"

namespace qv {

namespace {

std::string Sentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
    text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text + ".";
}

}  // namespace

QtProgram::QtProgram(const std::string& programFolder, Dialogs& dialogs, BusyCursor* busy)
    : programFolder_(ProgramFolder(programFolder)),
      dialogs_(dialogs),
      lock_(std::make_unique<ProgramFolderLock>(programFolder)) {
  if (lock_->HeldElsewhere()) {
    dialogs.ShowError(Sentence(lock_->Problem()) +
                      "\nThis program ends without changing anything.");
    throw ProgramFolderInUse(lock_->Problem());
  }
  // The store object only holds the table layouts until it loads; the main
  // window reads the settings before the tables are read, as at every start.
  store_ = std::make_unique<TDataModule1>(programFolder, busy);
  // Another writer cannot be ruled out: the folder is only looked at.
  if (!lock_->Held()) store_->SetFolderReadOnly();
  mainForm_ = std::make_unique<TMainForm>(*store_, dialogs_, busy, programFolder);
  LoadStore(*store_, dialogs_);
  storeLoaded_ = true;

  TMainForm& main = *mainForm_;
  // The exit begins with the close: its messages come as one at the end.
  QObject::connect(&main, &TMainForm::Closing, &main, [this] { dialogs_.BeginGathering(); });
  {
    // Read silently: the main window reports a file that cannot be read.
    const std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_);
    const TProgramContext context{*store_, dialogs_, busy, programFolder_, main};
    windows_ = std::make_unique<TProgramWindows>(context, settings.get());
  }
  main.SetWindows(windows_.get());
  main.InstallEditKeys();

  main.BuildLanguageMenu();
  main.SetLanguage();
  if (lock_->Held()) StartJournal();
  if (!lock_->Held())
    dialogs_.ShowError(Sentence(lock_->Problem()) + "\n" + main.Texts().FolderReadOnlyMsg);
}

// A journal left by a run that did not end normally is offered first; from
// then on every step is journaled. Without the folder's lock nothing of it is
// touched: the journal may be another program's, still being written.
void QtProgram::StartJournal() {
  TMainForm& main = *mainForm_;
  journal_ = std::make_unique<StoreJournal>(*store_);
  RestoreJournalAtStart(*store_, *journal_, dialogs_, main.EditTexts());
  main.AfterSectorsChanged();
  journal_->Start([this](const std::string& error) {
    dialogs_.ShowError(FormatText(mainForm_->EditTexts().JournalWriteErrorMsg, {error}));
  });
}

QtProgram::~QtProgram() {
  Shutdown();
}

void QtProgram::Shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  dialogs_.BeginGathering();
  // Shown however the shut-down ends: what it could not write is never lost.
  struct ShowGathered {
    GatheringDialogs& dialogs;
    std::string heading;
    ~ShowGathered() {
      try {
        dialogs.EndGathering(heading);
      } catch (...) {
        // Nothing is left that could tell the player.
      }
    }
  } showGathered{dialogs_,
                 mainForm_ ? mainForm_->Texts().ExitSaveErrorMsg : TMainTexts().ExitSaveErrorMsg};
  {
    // Without the folder's lock the windows keep their settings to themselves.
    std::string error;
    std::unique_ptr<SettingsFile> settings;
    if (!store_ || !store_->FolderReadOnly()) settings = OpenSettings(programFolder_, &error);
    if (windows_) windows_->DestroyAll(settings.get());
    if (settings) settings->Save(&error);
    if (mainForm_) mainForm_->NoteSettingsWriteFailure(error);  // told with its last write
  }
  if (storeLoaded_) SaveStore(*store_, dialogs_);
  // Only a whole save makes the journal needless.
  if (journal_ && store_->UniverseSaved()) {
    try {
      journal_->Finish();
    } catch (const std::exception& error) {
      dialogs_.ShowError(error.what());
    }
  }
  journal_.reset();
  mainForm_.reset();
  store_.reset();
}

}  // namespace qv
