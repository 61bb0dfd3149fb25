// The Edit menu: undo and redo of every step of the run, from the main
// window and from the editor windows alike.
#include <QAction>
#include <QKeySequence>
#include <QShortcut>

#include "app/MainForm.h"
#include "editors/BrowseForm.h"
#include "editors/FactoriesForm.h"
#include "editors/ProductsForm.h"
#include "editors/SectorDataForm.h"
#include "settings/Dialogs.h"

namespace qv {

namespace {

const QKeySequence kRedoKeys[] = {QKeySequence(Qt::CTRL | Qt::Key_Y),
                                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)};

}  // namespace

void TMainForm::CreateEditActions() {
  AddAction("Undo1", "&Undo", &TMainForm::Undo1Click)->setShortcut(QKeySequence::Undo);
  QAction* redo = AddAction("Redo1", "&Redo", &TMainForm::Redo1Click);
  redo->setShortcuts({kRedoKeys[0], kRedoKeys[1]});
  undo_ = std::make_unique<UndoStack>(store_);
  // After the undo stack, so that the menu texts see the step already on it.
  stepListener_ = store_.AddChangeListener(
      [this](const ChangeRecord& record, ChangeOrigin origin) { StepFinished(record, origin); });
}

void TMainForm::Undo1Click() {
  RunUndo(&UndoStack::Undo);
}

void TMainForm::Redo1Click() {
  RunUndo(&UndoStack::Redo);
}

void TMainForm::RunUndo(bool (UndoStack::*step)()) {
  try {
    BusyGuard busy(busy_);
    (undo_.get()->*step)();
  } catch (const std::exception& error) {
    dialogs_.ShowError(FormatText(editTexts_.UndoFailedMsg, {std::string(error.what())}));
  }
  UpdateEditCommands();
}

void TMainForm::UpdateEditCommands() {
  if (!undo_) return;
  QAction* undo = Action("Undo1");
  QAction* redo = Action("Redo1");
  undo->setText(QString::fromStdString(editTexts_.UndoText(undo_->NextUndo())));
  redo->setText(QString::fromStdString(editTexts_.RedoText(undo_->NextRedo())));
  undo->setEnabled(undo_->CanUndo());
  redo->setEnabled(undo_->CanRedo());
}

// An edit refreshes the windows itself; an undo or a redo changes the tables under them, so the
// map, the legend and the tool windows follow here, and the selection goes to the sector the step
// put back.
void TMainForm::StepFinished(const ChangeRecord& record, ChangeOrigin origin) {
  UpdateEditCommands();
  // A replay at start is followed by one refresh of its own.
  if (origin == ChangeOrigin::Edit || origin == ChangeOrigin::Replay) return;
  AfterSectorsChanged();
  if (TSectorDataForm* objects = Window(&TProgramWindows::sectorData)) objects->CloseIfSectorGone();
  const Field& x = store_.SectorsData.FieldByName("X");
  const Field& y = store_.SectorsData.FieldByName("Y");
  for (auto it = record.rows.rbegin(); it != record.rows.rend(); ++it) {
    if (it->table != store_.SectorsData.Name() || it->kind == RowChangeKind::Delete) continue;
    SelectSector(it->after[x.Index()].ToInteger(), it->after[y.Index()].ToInteger());
    break;
  }
}

// The editor windows are modal, so the main window's keys do not reach them
// while they are open: each grid editor gets the same keys for the same stack.
// A cell being typed in keeps Ctrl+Z for its own text.
void TMainForm::InstallEditKeys() {
  if (!windows_) return;
  QWidget* editors[] = {Window(&TProgramWindows::sectorData), Window(&TProgramWindows::factories),
                        Window(&TProgramWindows::products), Window(&TProgramWindows::browse)};
  for (QWidget* editor : editors) {
    if (!editor) continue;
    auto* undo = new QShortcut(QKeySequence::Undo, editor);
    connect(undo, &QShortcut::activated, this, &TMainForm::Undo1Click);
    for (const QKeySequence& keys : kRedoKeys) {
      auto* redo = new QShortcut(keys, editor);
      connect(redo, &QShortcut::activated, this, &TMainForm::Redo1Click);
    }
  }
}

}  // namespace qv
