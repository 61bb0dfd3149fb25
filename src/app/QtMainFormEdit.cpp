// The Edit menu: undo and redo of every step of the run, from the main
// window and from the editor windows alike.
#include <algorithm>

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

// Every finished step, whoever made it (an editor, a command of this window, undo or redo),
// refreshes the map, the legend, the tool windows and the commands here, once: no caller has to
// remember it. After an undo or a redo the selection also goes to the sector the step put back.
void TMainForm::StepFinished(const ChangeRecord& record, ChangeOrigin origin) {
  UpdateEditCommands();
  // A replay at start is followed by one refresh of its own.
  if (origin == ChangeOrigin::Replay) return;
  // Recipes, cycle times and trading quantities feed the statistics as much as the sectors'
  // own objects do.
  const auto typeTable = [this](const RowChange& row) {
    return row.table == store_.FactoriesData.Name() || row.table == store_.ProductsData.Name() ||
           row.table == store_.FactoryProdData.Name();
  };
  if (std::ranges::any_of(record.rows, typeTable)) store_.MarkDataChanged();
  AfterSectorsChanged();
  if (origin == ChangeOrigin::Edit) return;
  if (TSectorDataForm* objects = Window(&TProgramWindows::sectorData)) objects->CloseIfSectorGone();
  const TSectorsFields& sector = store_.Fields().Sectors;
  for (auto it = record.rows.rbegin(); it != record.rows.rend(); ++it) {
    if (it->table != store_.SectorsData.Name() || it->kind == RowChangeKind::Delete) continue;
    SelectSector(it->after[sector.X.Index()].ToInteger(), it->after[sector.Y.Index()].ToInteger());
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
