#pragma once

#include <memory>
#include <string>

namespace qv {

class Dialogs;
class BusyCursor;
class TDataModule1;
class TMainForm;
class TRequestForm;
class TPrefForm;
class TLegendForm;
class TFactSimpleCalcForm;

// The program's windows and store from start-up to shut-down, in the order
// they are made and the reverse order they go:
//   start: the main window (reads the settings), the store (loads the
//          tables), the request dialog, the preferences, the legend, the
//          factory profit window; then the Language menu and the current
//          language.
//   close: the main window writes its two window switches (closeEvent);
//   end:   the factory profit window, the legend, the preferences and the
//          request dialog go (each writes
//          its placement), the store saves the tables, and last the main
//          window writes its settings.
// Every path starts at the program folder; the dialogs and the busy cursor
// are passed in so that tests can drive it all.
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
  TFactSimpleCalcForm* FactSimpleCalcForm() { return factSimpleCalcForm_.get(); }

  // Shuts down as described above; the destructor does it when not done yet.
  void Shutdown();

 private:
  std::string programFolder_;
  Dialogs& dialogs_;
  std::unique_ptr<TDataModule1> store_;
  std::unique_ptr<TMainForm> mainForm_;
  std::unique_ptr<TRequestForm> requestForm_;
  std::unique_ptr<TPrefForm> prefForm_;
  std::unique_ptr<TLegendForm> legendForm_;
  std::unique_ptr<TFactSimpleCalcForm> factSimpleCalcForm_;
  bool storeLoaded_ = false;
  bool shutDown_ = false;
};

}  // namespace qv
