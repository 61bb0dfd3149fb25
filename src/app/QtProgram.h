#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "app/QtProgramWindows.h"
#include "settings/GatheringDialogs.h"

namespace qv {

class StoreJournal;

class Dialogs;
class BusyCursor;
class TDataModule1;
class TMainForm;
class ProgramFolderLock;

// The program folder is held by another program: the player has been told,
// and nothing was made or written. The program ends.
class ProgramFolderInUse : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The program's windows and store from start-up to shut-down:
//   start: the main window (reads the settings), the store (loads the
//          tables), the other windows in the order of TProgramWindows
//          (each reads its settings); then the Language menu
//          and the current language.
//   close: the main window writes its two window switches (closeEvent);
//   end:   the other windows go in the reverse order (each writes its
//          settings), the store saves the tables, and last the main window
//          writes its settings.
// Whatever cannot be written from the close on is told in one message at
// the very end. Every path starts at the program folder; the dialogs and the
// busy cursor are passed in so that tests can drive it all. Before anything
// is made the program takes the folder's lock (one writer per folder) and
// keeps it to the very end; when another program holds it, the constructor
// throws ProgramFolderInUse. When the lock cannot be taken at all, the
// program runs but writes nothing of the folder, and says so once.
class QtProgram {
 public:
  QtProgram(const std::string& programFolder, Dialogs& dialogs, BusyCursor* busy);
  ~QtProgram();
  QtProgram(const QtProgram&) = delete;
  QtProgram& operator=(const QtProgram&) = delete;

  TMainForm& MainForm() { return *mainForm_; }
  TDataModule1& Store() { return *store_; }
  // Null when the folder is not held (nothing of it is written).
  StoreJournal* Journal() { return journal_.get(); }
  // One of the other windows (&TProgramWindows::legend, ...), null once gone.
  template <class T>
  T* Window(TWindowSlot<T> TProgramWindows::*slot) const {
    return qv::Window(windows_.get(), slot);
  }

  // Shuts down as described above; the destructor does it when not done yet.
  void Shutdown();

 private:
  void StartJournal();

  std::string programFolder_;
  // What every window and the store are given: it gathers the exit's messages.
  GatheringDialogs dialogs_;
  std::unique_ptr<ProgramFolderLock> lock_;  // first made, last to go
  std::unique_ptr<TDataModule1> store_;
  // The journal of the run's steps; it hears the store, so it goes before it.
  std::unique_ptr<StoreJournal> journal_;
  std::unique_ptr<TMainForm> mainForm_;
  // After the main window, so that it goes first if start-up fails half way.
  std::unique_ptr<TProgramWindows> windows_;
  bool storeLoaded_ = false;
  bool shutDown_ = false;
};

}  // namespace qv
