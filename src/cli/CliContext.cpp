#include "cli/CliContext.h"

#include <algorithm>
#include <ostream>

#include "data/IniFile.h"
#include "data/StoreJournal.h"
#include "settings/LanguageFile.h"
#include "settings/Settings.h"
#include "settings/StoreStartExit.h"

namespace qv::cli {

void StderrDialogs::ShowMessage(const std::string& text, const std::string&, MessageIcon icon) {
  // One line per message: the reason that a dialog shows on a line of its
  // own follows after a colon.
  std::string line = text;
  std::string::size_type pos;
  while ((pos = line.find_first_of("\r\n")) != std::string::npos) {
    std::string::size_type end = line.find_first_not_of("\r\n", pos);
    line.replace(pos, (end == std::string::npos ? line.size() : end) - pos, ": ");
  }
  err_ << "qvmap-cli: " << line << "\n";
  if (icon == MessageIcon::Error) ++errorCount_;
}

bool StderrDialogs::AskYesNo(const std::string&, const std::string&) {
  return false;
}

std::optional<std::string> StderrDialogs::AskSaveFileName(std::string&, const std::string&,
                                                          const std::string&) {
  return std::nullopt;
}

TColor StderrDialogs::AskColor(TColor color, std::vector<std::string>&) {
  return color;
}

bool StderrDialogs::AskFont(TFontParams&, bool, CustomColorList&) {
  return false;
}

CliContext::CliContext(std::string home, std::string language, std::ostream& out, std::ostream& err)
    : home_(ProgramFolder(home)),
      language_(std::move(language)),
      languageKnown_(!language_.empty()),
      out_(out),
      err_(err),
      dialogs_(err) {}

CliContext::~CliContext() = default;

const IniFile* CliContext::Settings() {
  if (!settingsRead_) {
    settingsRead_ = true;
    std::string error;
    settings_ = OpenSettings(home_, &error);
    if (!settings_)
      dialogs_.ShowMessage("Cannot read the settings file " + error, "", MessageIcon::Warning);
  }
  return settings_.get();
}

const std::string& CliContext::Language() {
  if (!languageKnown_) {
    language_ = "English";
    if (const IniFile* settings = Settings())
      language_ = settings->ReadString("MainWindow", "Language", language_);
    languageKnown_ = true;
  }
  return language_;
}

const IniFile& CliContext::LanguageFile() {
  if (!languageFile_) {
    std::string error;
    languageFile_ = OpenLanguageFile(home_, Language(), &error);
    if (!languageFile_) {
      dialogs_.ShowMessage(LanguageFileName(home_, Language()) + "\n" + error, "",
                           MessageIcon::Warning);
      languageFile_ = std::make_unique<IniFile>(LanguageFileName(home_, Language()));
    }
  }
  return *languageFile_;
}

TDataModule1& CliContext::Store() {
  if (!store_) {
    store_ = std::make_unique<TDataModule1>(home_);
    // A reader without the folder's lock: it reads the universe as the last
    // save left it, even one cut short, and changes nothing.
    store_->SetFolderReadOnly();
    store_->LoadAllTables(RequestFromThisBuild(home_));
    for (const std::string& problem : store_->LoadProblems())
      dialogs_.ShowMessage(problem, "", MessageIcon::Warning);  // one line each
    for (Table* table : store_->AllTables())
      if (store_->FileState(*table) == TableFileState::Damaged ||
          (table != &store_->AuxRequestData &&
           store_->FileState(*table) == TableFileState::Missing))
        loadFailed_ = true;
    ApplyJournal();
    store_->TranslateStoreTexts(LanguageFile());
  }
  return *store_;
}

// The changes a run of QVMap journaled and did not save, applied in memory
// only: the reading commands see the universe as the player left it.
void CliContext::ApplyJournal() {
  StoreJournal journal(*store_);
  const JournalFile::Contents contents = journal.Read();
  if (contents.state == JournalFile::Contents::State::Foreign) {
    err_ << "qvmap-cli: " << journal.Path() << " ignored: " << contents.problem << "\n";
    return;
  }
  if (contents.state == JournalFile::Contents::State::None || contents.steps.empty()) return;
  const StoreJournal::Replayed replayed = journal.Replay(contents.steps);
  err_ << "qvmap-cli: applied " << replayed.steps << " unsaved changes of " << journal.Path()
       << " in memory (run recover to save them)";
  if (!replayed.stopped.empty())
    err_ << "; the rest did not fit: " << replayed.stopped;
  else if (contents.droppedBytes > 0)
    err_ << "; a damaged end of " << contents.droppedBytes << " bytes was left out";
  err_ << "\n";
}

bool CliContext::StoreLoadFailed() {
  Store();
  return loadFailed_;
}

std::unique_ptr<TDataModule1> CliContext::EmptyStore() {
  return std::make_unique<TDataModule1>(home_);
}

}  // namespace qv::cli
