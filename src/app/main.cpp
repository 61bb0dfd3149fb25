#include <QObject>
#include <memory>
#include <new>

#include "app/MainForm.h"
#include "app/QtApplication.h"
#include "app/QtProgram.h"
#include "app/QtSignalClose.h"
#include "settings/QtDialogs.h"

int main(int argc, char** argv) {
  qv::QtApplication app(argc, argv);
  app.setApplicationName("QVMap");
  // The main window's close ends the program even while the legend is open.
  app.setQuitOnLastWindowClosed(false);

  qv::QtDialogs dialogs;
  qv::QtBusyCursor busy;
  app.SetDialogs(&dialogs);
  std::unique_ptr<qv::QtProgram> program;
  try {
    program = std::make_unique<qv::QtProgram>(QCoreApplication::applicationDirPath().toStdString(),
                                              dialogs, &busy);
  } catch (const qv::ProgramFolderInUse&) {
    return 1;  // the player has been told; nothing was written
  } catch (const std::bad_alloc&) {
    dialogs.ShowMessage("Memory allocation error", "Fatal error", qv::MessageIcon::Error);
    return 1;
  }
  qv::TMainForm& window = program->MainForm();
  qv::QtSignalClose signalClose(window);
  QObject::connect(
      &window, &qv::TMainForm::FatalError, &app, [&window] { window.close(); },
      Qt::QueuedConnection);
  QObject::connect(&window, &qv::TMainForm::Closed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  window.show();
  const int exitCode = app.exec();
  program.reset();  // the usual shut-down: windows, tables, settings
  return exitCode;
}
