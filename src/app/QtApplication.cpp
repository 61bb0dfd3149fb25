#include "app/QtApplication.h"

#include <exception>
#include <new>

#include "settings/Dialogs.h"

namespace qv {

QtApplication::QtApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool QtApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::bad_alloc&) {
    Report("Memory allocation error", "Fatal error", true);
  } catch (const std::exception& error) {
    Report(error.what(), "Error", false);
  }
  return false;
}

void QtApplication::Report(const char* text, const char* caption, bool fatal) {
  // A message box runs events of its own; an error inside it is not shown twice.
  if (dialogs_ && !reporting_) {
    reporting_ = true;
    try {
      dialogs_->ShowMessage(text, caption, MessageIcon::Error);
    } catch (...) {
    }
    reporting_ = false;
  }
  if (fatal) exit(1);
}

}  // namespace qv
