#include "app/QtProgram.h"

#include "app/JournalRestore.h"
#include "app/MainForm.h"
#include "data/DataModule1.h"
#include "data/ProgramFolderLock.h"
#include "data/StoreJournal.h"
#include "economy/FactComplexCalcForm.h"
#include "economy/FactSimpleCalcForm.h"
#include "economy/RequestForm.h"
#include "economy/SectProdForm.h"
#include "economy/WhereToForm.h"
#include "editors/BrowseForm.h"
#include "editors/FactoriesForm.h"
#include "editors/ProcessDataForm.h"
#include "editors/ProductsForm.h"
#include "editors/RevealSectorForm.h"
#include "editors/SectorDataForm.h"
#include "editors/SectorPropForm.h"
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

// The order in which a language is applied after the main window, by the
// language file sections of the windows and the store (DataModule1).
enum LanguagePlace : int {
  kBrowseForm,
  kFactComplexCalcForm,
  kDataModule1,
  kFactoriesForm,
  kFactSimpleCalcForm,
  kLegendForm,
  kPrefForm,
  kProcessDataForm,
  kProductsForm,
  kRequestForm,
  kRevealSectorForm,
  kSectorDataForm,
  kSectorPropForm,
  kSectProdForm,
  kWhereToForm,
};

using WindowPtr = std::unique_ptr<TProgramWindow>;

struct WindowEntry {
  LanguagePlace language;
  WindowPtr (*make)(const TProgramContext& context);
};

// The program's windows besides the main window: the one place that says
// which windows there are, in which order they are made, and when each takes
// a language.
//
// - Made in the order of this list, after the main window and the store; each
//   reads its settings as it is made (TProgramWindow::ReadSettings).
// - A language is applied by the language places above, the store in its
//   place (TProgramWindow::Translate).
// - At the end they go in the reverse order of this list, each writing its
//   settings just before (TProgramWindow::WriteSettings); then the store
//   saves the tables and the main window goes last.
// - The main window reaches a window by its type: Window<TLegendForm>().
//
// To add a window: derive its class from TProgramWindow, and add its line here
// at its place in the making order (the comments name the windows still to
// come), with its language place. Signals to the main window are connected
// in the line's make function; a window made earlier is at hand there through
// c.main.Window<T>().
const WindowEntry kProgramWindows[] = {
    {kSectorPropForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TSectorPropForm>(c.store, c.dialogs, c.busy, &c.main);
     }},
    {kProductsForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TProductsForm>(c.store, c.dialogs, c.main.Texts(), c.programFolder,
                                              &c.main);
     }},
    {kFactoriesForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TFactoriesForm>(c.store, c.dialogs, c.main.Texts(), c.programFolder,
                                               *c.main.Window<TProductsForm>(), &c.main);
     }},
    {kSectorDataForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TSectorDataForm>(c.store, c.dialogs, c.main.Texts(), c.programFolder,
                                                *c.main.Window<TFactoriesForm>(),
                                                *c.main.Window<TProductsForm>(), &c.main);
     }},
    {kSectProdForm,
     [](const TProgramContext& c) -> WindowPtr {
       auto products = std::make_unique<TSectProdForm>(c.store, &c.main);
       QObject::connect(products.get(), &TSectProdForm::closed, &c.main,
                        &TMainForm::ProductsWindowClosed);
       return products;
     }},
    {kRequestForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TRequestForm>(c.store, c.dialogs, c.main.CustomColors(), &c.main);
     }},
    {kPrefForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TPrefForm>(c.dialogs, c.main.CustomColors(), &c.main);
     }},
    {kLegendForm,
     [](const TProgramContext& c) -> WindowPtr {
       auto legend = std::make_unique<TLegendForm>(&c.main);
       QObject::connect(legend.get(), &TLegendForm::closed, &c.main, &TMainForm::LegendClosed);
       QObject::connect(legend.get(), &TLegendForm::preferencesRequested, &c.main,
                        &TMainForm::Preferences1Click);
       return legend;
     }},
    {kBrowseForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TBrowseForm>(c.store, c.dialogs, c.main.Texts(), &c.main);
     }},
    {kRevealSectorForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TRevealSectorForm>(c.store, c.dialogs, &c.main);
     }},
    {kFactSimpleCalcForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TFactSimpleCalcForm>(c.store, &c.main);
     }},
    {kFactComplexCalcForm,
     [](const TProgramContext& c) -> WindowPtr {
       return std::make_unique<TFactComplexCalcForm>(c.store, c.dialogs, c.busy, c.programFolder,
                                                     c.main.Texts(), &c.main);
     }},
    {kProcessDataForm,
     [](const TProgramContext& c) -> WindowPtr {
       auto process = std::make_unique<TProcessDataForm>(c.dialogs, c.busy, &c.main);
       if (auto* browse = c.main.Window<TBrowseForm>()) browse->SetProcessDialog(process.get());
       return process;
     }},
    {kWhereToForm,
     [](const TProgramContext& c) -> WindowPtr {
       auto whereTo = std::make_unique<TWhereToForm>(c.store, c.busy, &c.main);
       QObject::connect(whereTo.get(), &TWhereToForm::routeChosen, &c.main,
                        &TMainForm::WhereToRouteChosen);
       return whereTo;
     }},
};

}  // namespace

QtProgram::QtProgram(const std::string& programFolder, Dialogs& dialogs, BusyCursor* busy)
    : programFolder_(ProgramFolder(programFolder)),
      dialogs_(dialogs),
      lock_(std::make_unique<ProgramFolderLock>(programFolder)),
      windows_(kDataModule1) {
  if (lock_->HeldElsewhere()) {
    dialogs.ShowError(Sentence(lock_->Problem()) +
                      "\nThis program ends without changing anything.");
    throw ProgramFolderInUse(lock_->Problem());
  }
  // The store object only holds the table layouts until it loads; the main
  // window reads the settings before the tables are read, as at every start.
  store_ = std::make_unique<TDataModule1>(programFolder, dialogs_, busy);
  // Another writer cannot be ruled out: the folder is only looked at.
  if (!lock_->Held()) store_->SetFolderReadOnly();
  mainForm_ = std::make_unique<TMainForm>(*store_, dialogs_, busy, programFolder);
  store_->DataModuleCreate();
  storeLoaded_ = true;

  TMainForm& main = *mainForm_;
  // The exit begins with the close: its messages come as one at the end.
  QObject::connect(&main, &TMainForm::Closing, &main, [this] { dialogs_.BeginGathering(); });
  // Given first, so that a window may be made with one made before it.
  main.SetWindows(&windows_);
  {
    // Read silently: the main window reports a file that cannot be read.
    const std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_);
    const TProgramContext context{*store_, dialogs_, busy, programFolder_, main};
    for (const WindowEntry& entry : kProgramWindows)
      windows_.Add(entry.make(context), entry.language, settings.get());
  }
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
    windows_.DestroyAll(settings.get());
    if (settings) settings->Save(&error);
    if (mainForm_) mainForm_->NoteSettingsWriteFailure(error);  // told with its last write
  }
  if (storeLoaded_) store_->DataModuleDestroy();
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
