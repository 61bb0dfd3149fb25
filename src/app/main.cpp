#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QIcon>
#include <QObject>
#include <memory>
#include <new>
#include <string>

#include "app/MainForm.h"
#include "app/QtAboutBox.h"
#include "app/QtApplication.h"
#include "app/QtProgram.h"
#include "app/QtSignalClose.h"
#include "data/ProgramHome.h"
#include "settings/QtDialogs.h"

int main(int argc, char** argv) {
  qv::QtApplication app(argc, argv);
  app.setApplicationName("QVMap");
  app.setApplicationVersion(qv::ProgramVersion());
  // The desktop entry and the icon theme know the program by this name.
  app.setDesktopFileName("qvmap");
  QIcon icon;
  icon.addFile(":/icons/qvmap-48.png");
  icon.addFile(":/icons/qvmap-256.png");
  app.setWindowIcon(icon);
  // The main window's close ends the program even while the legend is open.
  app.setQuitOnLastWindowClosed(false);

  QCommandLineParser arguments;
  arguments.setApplicationDescription(
      "A map and economy calculator for players of the space trading game Quorvane.");
  arguments.addHelpOption();
  arguments.addVersionOption();
  const QCommandLineOption homeOption(
      "home",
      "The program folder, which holds the universe (Data/) and QVMap.INI. Default: the "
      "program's own folder when it holds Data/ and may be written, else "
      "~/.local/share/qvmap.",
      "DIR");
  arguments.addOption(homeOption);
  arguments.process(app);

  qv::QtDialogs dialogs;
  qv::QtBusyCursor busy;
  app.SetDialogs(&dialogs);
  std::string folder;
  try {
    folder = qv::ChooseProgramHome(
                 qv::ProgramHomeSourcesOf(arguments.value(homeOption).toStdString(),
                                          QCoreApplication::applicationDirPath().toStdString()))
                 .folder;
  } catch (const qv::ProgramHomeError& error) {
    dialogs.ShowError(error.what());
    return 1;
  }
  std::unique_ptr<qv::QtProgram> program;
  try {
    program = std::make_unique<qv::QtProgram>(folder, dialogs, &busy);
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
