#pragma once

#include <memory>
#include <stdexcept>
#include <string>

namespace qv {

class Dialogs;
class BusyCursor;
class TDataModule1;
class TMainForm;
class TRequestForm;
class TPrefForm;
class TLegendForm;
class ProgramFolderLock;

// The program folder is held by another program: the player has been told,
// and nothing was made or written. The program ends.
class ProgramFolderInUse : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The program's windows and store from start-up to shut-down, in the order
// they are made and the reverse order they go:
//   start: the main window (reads the settings), the store (loads the
//          tables), the request dialog, the preferences, the legend; then the
//          Language menu and the current language.
//   close: the main window writes its two window switches (closeEvent);
//   end:   the legend, the preferences and the request dialog go (each writes
//          its placement), the store saves the tables, and last the main
//          window writes its settings.
// Every path starts at the program folder; the dialogs and the busy cursor
// are passed in so that tests can drive it all. Before anything is made the
// program takes the folder's lock (one writer per folder) and keeps it to the
// very end; when another program holds it, the constructor throws
// ProgramFolderInUse.
class QtProgram {
 public:
  QtProgram(const std::string& programFolder, Dialogs& dialogs, BusyCursor* busy);
  ~QtProgram();
  QtProgram(const QtProgram&) = delete;
  QtProgram& operator=(const QtProgram&) = delete;

  TMainForm& MainForm() { return *mainForm_; }
  TDataModule1& Store() { return *store_; }
  TRequestForm* RequestForm() { return requestForm_.get(); }
  TPrefForm* PrefForm() { return prefForm_.get(); }
  TLegendForm* LegendForm() { return legendForm_.get(); }

  // Shuts down as described above; the destructor does it when not done yet.
  void Shutdown();

 private:
  std::string programFolder_;
  Dialogs& dialogs_;
  std::unique_ptr<ProgramFolderLock> lock_;  // first made, last to go
  std::unique_ptr<TDataModule1> store_;
  std::unique_ptr<TMainForm> mainForm_;
  std::unique_ptr<TRequestForm> requestForm_;
  std::unique_ptr<TPrefForm> prefForm_;
  std::unique_ptr<TLegendForm> legendForm_;
  bool storeLoaded_ = false;
  bool shutDown_ = false;
};

}  // namespace qv
