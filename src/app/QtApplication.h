#pragma once

#include <QApplication>

namespace qv {

class Dialogs;

// The application object of the program. An error that escapes a command
// (a table that refuses an edit, a file that cannot be read) is shown to the
// player with the caption "Error" instead of ending the program; running out
// of memory shows "Memory allocation error" ("Fatal error") and ends it.
class QtApplication : public QApplication {
 public:
  QtApplication(int& argc, char** argv);
  void SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
  bool notify(QObject* receiver, QEvent* event) override;

 private:
  Dialogs* dialogs_ = nullptr;
  bool reporting_ = false;
  void Report(const char* text, const char* caption, bool fatal);
};

}  // namespace qv
