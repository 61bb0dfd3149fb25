#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/DataModule1.h"
#include "settings/Dialogs.h"

namespace qv::cli {

// A wrong command line: main prints the message and the usage and exits 2.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The dialogs of a program without a display: messages go to stderr as one
// line each, questions are answered No, pickers are cancelled.
class StderrDialogs : public Dialogs {
 public:
  explicit StderrDialogs(std::ostream& err) : err_(err) {}
  void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
  bool AskYesNo(const std::string& text, const std::string& caption) override;
  std::optional<std::string> AskSaveFileName(std::string& folder, const std::string& filter,
                                             const std::string& defaultExtension) override;
  TColor AskColor(TColor color, std::vector<std::string>& customColors) override;
  bool AskFont(TFontParams& font, bool showEffects, CustomColorList& customColors) override;

  int ErrorCount() const { return errorCount_; }

 private:
  std::ostream& err_;
  int errorCount_ = 0;
};

// What every command shares: the program folder, the language, the output
// streams and the store, loaded on first use the way the program loads it at
// start (but never saved: the tool writes only what its command says).
class CliContext {
 public:
  CliContext(std::string home, std::string language, std::ostream& out, std::ostream& err);
  ~CliContext();

  const std::string& Home() const { return home_; }  // with a trailing separator
  std::ostream& Out() { return out_; }
  std::ostream& Err() { return err_; }
  StderrDialogs& GetDialogs() { return dialogs_; }

  // The settings file, read on first use; nullptr when it cannot be read
  // (the file and the reason go to stderr, once).
  const IniFile* Settings();
  // The language to apply: --language, else "Language" of "MainWindow" of
  // the settings file, else "English".
  const std::string& Language();
  // The language file of Language(); an empty one when it does not exist or
  // cannot be read (the reason then goes to stderr).
  const IniFile& LanguageFile();

  // The store with every table loaded and the language applied to its texts.
  // Loading problems are reported on stderr as they happen.
  TDataModule1& Store();
  // True when some universe table could not be read from its file.
  bool StoreLoadFailed();
  // A store that holds only the schemas: nothing read, nothing to be saved.
  std::unique_ptr<TDataModule1> EmptyStore();

 private:
  void ApplyJournal();

  std::string home_;
  std::string language_;
  bool languageKnown_;
  std::ostream& out_;
  std::ostream& err_;
  StderrDialogs dialogs_;
  std::unique_ptr<IniFile> settings_;
  bool settingsRead_ = false;
  std::unique_ptr<IniFile> languageFile_;
  std::unique_ptr<TDataModule1> store_;
  bool loadFailed_ = false;
};

}  // namespace qv::cli
