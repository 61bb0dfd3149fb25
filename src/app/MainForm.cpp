#include "app/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>
#include <exception>
#include <new>
#include <stdexcept>

#include "app/QtMapSurface.h"
#include "data/AtomicFile.h"
#include "economy/SectorStatistics.h"
#include "editors/SectorCommands.h"
#include "map/MapRenderer.h"
#include "map/PixelMath.h"
#include "map/QtCanvas.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

namespace {

constexpr const char* kSection = "MainWindow";
constexpr const char* kMemoryError = "Memory allocation error";

// The key each tool button's hint names after a language change.
struct ButtonKey {
  const char* button;
  const char* suffix;
};
constexpr ButtonKey kButtonKeys[] = {
    {"ToolButton1", " (Ctrl+Ins)"}, {"ToolButton2", " (Del)"},     {"ToolButton3", " (Alt+Enter)"},
    {"ToolButton10", " (Enter)"},   {"ToolButton6", " (Ctrl+F)"},  {"ToolButton7", " (Ctrl+P)"},
    {"ToolButton9", " (Ctrl+I)"},   {"ToolButton19", " (Ctrl+L)"}, {"ToolButton13", " (Ctrl+S)"},
    {"ToolButton11", " (Ctrl+C)"}};

// The view switches: menu item, tool button and the setting behind them.
struct ViewSwitch {
  const char* menuItem;
  const char* button;
  bool TMapSettings::*flag;
};
constexpr ViewSwitch kViewSwitches[] = {
    {"Showraces1", "ToolButton16", &TMapSettings::ShowRaces},
    {"Showsuns1", "ToolButton15", &TMapSettings::ShowSuns},
    {"Showdocks1", "ToolButton17", &TMapSettings::ShowDocks},
    {"Showshipyards1", "ToolButton18", &TMapSettings::ShowShipyards},
    {"Showpiratebases1", "ToolButton20", &TMapSettings::ShowPirateBases},
    {"Showinvisiblesectors1", "ToolButton21", &TMapSettings::ShowInvisibleSectors},
    {"Showstatistics1", "ToolButton13", &TMapSettings::ShowStatistics},
};

}  // namespace

TMainForm::TMainForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy,
                     std::string programFolder, QWidget* parent)
    : QMainWindow(parent),
      store_(store),
      dialogs_(dialogs),
      busy_(busy),
      programFolder_(ProgramFolder(programFolder)) {
  setObjectName("MainForm");
  setWindowTitle("QVMap");
  resize(1024, 720);
  CreateActions();
  CreateMenus();
  CreateToolBar();
  CreateMapView();

  // The toggles hear the state they were switched to; the menu item and the
  // tool button of a switch then show it together.
  for (const ViewSwitch& view : kViewSwitches) {
    auto apply = [this, view](bool on) {
      if (view.flag == &TMapSettings::ShowStatistics) {
        SetShowStatistics(on);
        return;
      }
      SetSwitch(view.menuItem, view.button, on);
      settings_.Map.*view.flag = on;
      Repaint();
      if (view.flag == &TMapSettings::ShowInvisibleSectors) {
        RefreshBounds();
        UpdateSelection();
      }
      if (view.flag == &TMapSettings::ShowRaces && on) SetShowStatistics(false);
    };
    connect(Action(view.menuItem), &QAction::triggered, this, apply);
    connect(Button(view.button)->defaultAction(), &QAction::triggered, this, apply);
  }
  ConnectToolWindowSwitch("Productsinsector1", "ToolButton9", &TMainForm::ShowProductsWindow);
  ConnectToolWindowSwitch("Showlegend1", "ToolButton19", &TMainForm::ShowLegendWindow);

  ReadSettings();
  ApplySwitchesToControls();
  ApplyRouteOptionsToControls();
  zoomBox_->setEditText(QString::fromStdString(geometry_.ZoomText()));
  UpdateCommands();
  UpdateEditCommands();
}

TMainForm::~TMainForm() {
  store_.RemoveChangeListener(stepListener_);
  try {
    WriteSettings();
  } catch (const std::exception&) {
    // Nothing more can be done for the settings while the window goes.
  }
}

// ---- Settings ----

void TMainForm::ReadSettings() {
  // The first reader of the run: a file that cannot be read is reported
  // once, when the window is shown, and the others read it silently.
  std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_, &settingsReadProblem_);
  if (settings) {
    LoadWindowPlacement(settings.get(), *this, kSection, -1, -1, true, true);
    ReadMainWindowSettings(*settings, settings_);
    ReadCustomColors(customColors_, settings.get());
  }
  ApplyGeometrySettings();
}

void TMainForm::ReportSettingsReadProblem() {
  if (settingsReadProblem_.empty() || settingsReadReported_) return;
  settingsReadReported_ = true;
  dialogs_.ShowError(FormatText(texts_.SettingsReadErrorMsg, {settingsReadProblem_}));
}

void TMainForm::NoteSettingsWriteFailure(const std::string& error) {
  // A file that could not be read at start is not written, as the player
  // was told then.
  if (error.empty() || error == settingsReadProblem_) return;
  if (std::find(settingsWriteFailures_.begin(), settingsWriteFailures_.end(), error) ==
      settingsWriteFailures_.end())
    settingsWriteFailures_.push_back(error);
}

void TMainForm::WriteSettings() {
  if (settingsWritten_) return;
  settingsWritten_ = true;
  // Without the folder's lock nothing of the folder is written in this run:
  // another program may be writing it.
  if (!store_.FolderReadOnly()) {
    std::string error;
    if (std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_, &error)) {
      settings->MarkLastWriteOfRun();
      SaveWindowPlacement(settings.get(), *this, kSection);
      settings_.Map.Zoom = geometry_.Zoom();
      WriteMainWindowSettings(settings_, *settings);
      WriteCustomColors(customColors_, settings.get());
      settings->Save(&error);
    }
    NoteSettingsWriteFailure(error);
  }
  // Every write of the run's settings that failed, in one message, each
  // named as every other file the exit cannot write.
  if (settingsWriteFailures_.empty()) return;
  const std::string path = SettingsFileName(programFolder_);
  std::string failures;
  for (const std::string& failure : settingsWriteFailures_)
    failures +=
        (failures.empty() ? "" : "\n") + WriteFailureText(path, std::runtime_error(failure));
  settingsWriteFailures_.clear();
  dialogs_.ShowError(FormatText(texts_.SettingsWriteErrorMsg, {failures}));
}

void TMainForm::ApplyGeometrySettings() {
  geometry_.SetSettings(GeometryOf(settings_.Map));
  // The geometry holds each value to its range; what is kept and written
  // back is what the map uses.
  StoreGeometry(geometry_.Settings(), settings_.Map);
}

void TMainForm::ApplySwitchesToControls() {
  for (const ViewSwitch& view : kViewSwitches)
    SetSwitch(view.menuItem, view.button, settings_.Map.*view.flag);
}

void TMainForm::SetSwitch(const char* menuItem, const char* button, bool on) {
  if (QAction* action = Action(menuItem)) action->setChecked(on);
  if (QToolButton* toolButton = Button(button)) toolButton->defaultAction()->setChecked(on);
}

bool TMainForm::IsChecked(const char* name) const {
  if (QAction* action = Action(name)) return action->isChecked();
  if (QToolButton* button = Button(name)) return button->defaultAction()->isChecked();
  return false;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  emit Closing();
  // Without the folder's lock nothing of the folder is written in this run.
  if (!store_.FolderReadOnly()) {
    std::string error;
    if (std::unique_ptr<SettingsFile> settings = OpenSettings(programFolder_, &error)) {
      WriteMainWindowSwitchesOnClose(*settings, ProductsWindowVisible(), LegendVisible());
      settings->Save(&error);
    }
    NoteSettingsWriteFailure(error);  // told with the main window's own write at exit
  }
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit Closed();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // After the window has asked to be mapped: a tool window (products, legend)
  // reopened before that is not known to the window manager as this window's
  // own and would end up beneath it.
  if (!firstShown_) QMetaObject::invokeMethod(this, &TMainForm::FirstShow, Qt::QueuedConnection);
}

void TMainForm::FirstShow() {
  if (firstShown_) return;
  firstShown_ = true;
  if (settings_.ShowProducts) {
    SetSwitch("Productsinsector1", "ToolButton9", true);
    ShowProductsWindow(true);
  }
  if (settings_.ShowLegend) {
    SetSwitch("Showlegend1", "ToolButton19", true);
    ShowLegendWindow(true);
  }
  RefreshBounds();
  ResizeCells();
  UpdateCommands();
  scrollBox_->setFocus();
  ReportSettingsReadProblem();  // over the map, once it is laid out
}

// ---- Accessors ----

QString TMainForm::StatusText() const {
  return statusLabel_->text();
}

QString TMainForm::StatusHint() const {
  return statusHint_->text();
}

QAction* TMainForm::Action(const QString& name) const {
  const auto it = actions_.find(name);
  return it == actions_.end() ? nullptr : it->second;
}

QToolButton* TMainForm::Button(const QString& name) const {
  const auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

// ---- Language ----

void TMainForm::BuildLanguageMenu() {
  for (QAction* item : languageMenu_->actions())
    if (item != Action("M_Template")) {
      languageMenu_->removeAction(item);
      item->deleteLater();
    }
  for (const std::string& language : ListLanguages(programFolder_)) {
    auto* item = new QAction(QString::fromStdString(language), languageMenu_);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this, [this, item] { M_TemplateClick(*item); });
    languageMenu_->addAction(item);
  }
  languageMenu_->menuAction()->setVisible(languageMenu_->actions().size() >= 2);
  MarkLanguage();
}

void TMainForm::MarkLanguage() {
  const QString current = QString::fromStdString(settings_.Language);
  for (QAction* item : languageMenu_->actions())
    if (item != Action("M_Template"))
      item->setChecked(item->text().compare(current, Qt::CaseInsensitive) == 0);
}

void TMainForm::M_TemplateClick(QAction& item) {
  settings_.Language = item.text().toStdString();
  MarkLanguage();
  BusyGuard busy(busy_);
  SetLanguage();
  UpdateSelection();
}

void TMainForm::SetLanguage() {
  std::string error;
  std::unique_ptr<IniFile> file = OpenLanguageFile(programFolder_, settings_.Language, &error);
  if (!file) {
    dialogs_.ShowError("Error reading " + LanguageFileName(programFolder_, settings_.Language) +
                       ": " + error);
    return;
  }
  // The hints lose the key they were given last time, so that a language
  // that leaves a hint alone does not get the key twice.
  CompleteToolButtonHints(true);
  dialogs_.SetLanguage(settings_.Language, *file);
  TranslateWindow(*this, *file, "MainForm");
  TranslateMainTexts(*file, texts_);
  TranslateEditTexts(*file, editTexts_);
  UpdateEditCommands();
  if (windows_)
    windows_->Translate(*file, store_);
  else
    store_.TranslateStoreTexts(*file);
  CompleteToolButtonHints(false);
  UpdateStatusHint();
  UpdateRouteStatus();
}

void TMainForm::CompleteToolButtonHints(bool strip) {
  for (const ButtonKey& key : kButtonKeys) {
    QToolButton* button = Button(key.button);
    if (!button) continue;
    QAction* action = button->defaultAction();
    QString hint = action->toolTip();
    const QString suffix = QString::fromLatin1(key.suffix);
    if (strip) {
      if (hint.endsWith(suffix)) hint.chop(suffix.size());
    } else {
      hint += suffix;
    }
    action->setToolTip(hint);
  }
}

// ---- Selection, bounds, drawing ----

TViewport TMainForm::Viewport() const {
  const QWidget* client = scrollBox_->viewport();
  return {client->width(), client->height(), scrollBox_->horizontalScrollBar()->value(),
          scrollBox_->verticalScrollBar()->value()};
}

void TMainForm::RefreshBounds() {
  lastBounds_ = store_.GetSectorBounds();
  geometry_.RefreshBounds(lastBounds_, settings_.Map.ShowInvisibleSectors, Viewport());
  SetSurfaceSize();
  // Whatever changes the bounds may change the ways between the sectors.
  RefreshRoute();
}

void TMainForm::SetSurfaceSize() {
  const QSize size(geometry_.SurfaceWidth(), geometry_.SurfaceHeight());
  if (surface_->size() != size) surface_->setFixedSize(size);
  surface_->update();
}

void TMainForm::ResizeCells() {
  try {
    cells_.SetRange(geometry_.MinX(), geometry_.MinY(), geometry_.MaxX(), geometry_.MaxY());
  } catch (const std::bad_alloc&) {
    cells_.Clear();
    ReportOutOfMemory("Fatal");
  }
}

void TMainForm::ReportOutOfMemory(const char* caption) {
  dialogs_.ShowMessage(kMemoryError, caption, MessageIcon::Error);
  emit FatalError();
}

void TMainForm::ApplyScroll(int x, int y) {
  scrollBox_->horizontalScrollBar()->setValue(x);
  scrollBox_->verticalScrollBar()->setValue(y);
}

void TMainForm::UpdateMarkerArea() {
  if (!geometry_.HasSelection()) return;
  const TERect rect = geometry_.SectorRect(geometry_.SelX(), geometry_.SelY());
  surface_->update(QRect(AddPixels(rect.left, -4), AddPixels(rect.top, -4),
                         AddPixels(rect.width, 9), AddPixels(rect.height, 9)));
}

TMapDrawContext TMainForm::DrawContext() const {
  return {store_,   geometry_, settings_.Map, settings_.Request,
          request_, cells_,    &mapSectors_,  routePlan_.Shown()};
}

void TMainForm::PaintMap(QPainter& painter, const QRect& exposed) {
  try {
    QtCanvas canvas(painter, &mapTexts_);
    // Only what reaches the exposed rectangle: a repaint of a large map
    // would otherwise draw every sector to see a few of them.
    DrawMapPart(DrawContext(), canvas, surface_->width(), surface_->height(),
                MakeERect(exposed.x(), exposed.y(), exposed.width(), exposed.height()));
    geometry_.ToggleSelectionMarker(canvas);
  } catch (const std::exception&) {
    // A paint cannot ask anything; the next repaint tries again.
  }
}

const double* TMainForm::SelectedCell() const {
  if (!geometry_.HasSelection()) return nullptr;
  return cells_.Cell(geometry_.SelX(), geometry_.SelY());
}

void TMainForm::Repaint() {
  surface_->update();
  UpdateStatusHint();
  if (LegendVisible()) RefreshLegend();
}

void TMainForm::UpdateStatusHint() {
  const bool empty = settings_.Map.ShowStatistics && request_.ChoosesNoProduct();
  statusHint_->setText(empty ? QString::fromStdString(texts_.NoProductMsg) : QString());
  statusHint_->setVisible(empty);
}

void TMainForm::UpdateSelection() {
  QString status;
  if (geometry_.HasSelection()) {
    const std::optional<std::string> text = SectorStatusText(
        store_, geometry_.SelX(), geometry_.SelY(), settings_.Map.ShowInvisibleSectors, texts_);
    if (text)
      status = QString::fromStdString(*text);
    else
      geometry_.ClearSelection();
  }
  statusLabel_->setText(status);
  UpdateCommands();
  if (ProductsWindowVisible()) RefreshProducts();
  if (LegendVisible()) RefreshLegend();
  if (WhereToVisible()) RefreshWhereTo();
}

void TMainForm::UpdateCommands() {
  auto enable = [this](const char* name, bool on) {
    const QString key = QString::fromLatin1(name);
    if (QAction* action = Action(key)) action->setEnabled(on);
    if (QToolButton* button = Button(key)) button->defaultAction()->setEnabled(on);
  };
  const bool selected = geometry_.HasSelection();
  for (const char* name :
       {"ToolButton2", "ToolButton3", "ToolButton10", "Delete1", "Properties1", "Objectsinsector1"})
    enable(name, selected);
  const bool hidden = geometry_.HiddenCount() >= 1;
  enable("Revealsector1", hidden);
  enable("Revealallsectors1", hidden);
  enable("Zoomin1", geometry_.CanZoomIn());
  enable("Zoomout1", geometry_.CanZoomOut());
  UpdateRouteCommands();
}

void TMainForm::SelectSector(int x, int y) {
  UpdateMarkerArea();
  geometry_.SetSelection(x, y);
  UpdateSelection();
  UpdateMarkerArea();
  if (!geometry_.HasSelection()) return;
  const auto [scrollX, scrollY] = geometry_.ScrollToSelection(Viewport());
  ApplyScroll(scrollX, scrollY);
}

void TMainForm::MoveSelection(int dx, int dy) {
  const bool showHidden = settings_.Map.ShowInvisibleSectors;
  const auto next = geometry_.NextSelectableSector(
      dx, dy, [&](int x, int y) { return DrawableSectorAt(store_, x, y, showHidden); });
  if (next) SelectSector(next->first, next->second);
}

void TMainForm::SetZoom(const std::string& text) {
  const TZoomChange change = geometry_.SetZoom(text, Viewport());
  {
    const QSignalBlocker blocker(zoomBox_);
    zoomBox_->setEditText(QString::fromStdString(change.boxText));
  }
  SetSurfaceSize();
  ApplyScroll(change.scrollX, change.scrollY);
  surface_->update();
  UpdateCommands();
  scrollBox_->setFocus();
}

void TMainForm::AfterSectorsChanged() {
  RefreshBounds();
  UpdateSelection();
  ResizeCells();
  if (store_.DataChanged() && settings_.Map.ShowStatistics) RecalculateStatistics();
  Repaint();
}

void TMainForm::RecalculateStatistics() {
  BusyGuard busy(busy_);
  try {
    CalcRequestStatistics(store_, request_, cells_);
  } catch (const std::bad_alloc&) {
    ReportOutOfMemory("Fatal");
  }
}

// ---- Mouse and keys ----

void TMainForm::PaintBox1MouseDown(int x, int y) {
  UpdateMarkerArea();
  if (const auto hit = geometry_.HitTest(x, y))
    geometry_.SetSelection(hit->first, hit->second);
  else
    geometry_.ClearSelection();
  UpdateSelection();
  UpdateMarkerArea();
}

void TMainForm::ScrollBox1MouseDown() {
  UpdateMarkerArea();
  geometry_.ClearSelection();
  UpdateSelection();
}

void TMainForm::PaintBox1DblClick() {
  if (geometry_.HasSelection())
    Objectsinsector1Click();
  else
    Preferences1Click();
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride && zoomBox_ && watched == zoomBox_->lineEdit()) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) event->accept();
    return false;
  }
  if (event->type() == QEvent::KeyPress && (watched == scrollBox_ || watched == surface_)) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left:
        MoveSelection(-1, 0);
        return true;
      case Qt::Key_Up:
        MoveSelection(0, -1);
        return true;
      case Qt::Key_Right:
        MoveSelection(1, 0);
        return true;
      case Qt::Key_Down:
        MoveSelection(0, 1);
        return true;
      default:
        break;
    }
  }
  if (scrollBox_ && watched == scrollBox_->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) ScrollBox1MouseDown();
    if (event->type() == QEvent::Resize && firstShown_) {
      geometry_.RefreshBounds(lastBounds_, settings_.Map.ShowInvisibleSectors, Viewport());
      SetSurfaceSize();
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void TMainForm::PreparePopupMenu() {
  const bool selected = geometry_.HasSelection();
  for (const char* name : {"Delete2", "Properties2", "Objects1"})
    Action(name)->setVisible(selected);
  Action("Zoomin2")->setEnabled(geometry_.CanZoomIn());
  Action("Zoomout2")->setEnabled(geometry_.CanZoomOut());
  const TRevealDirections directions =
      selected ? GetRevealDirections(store_, geometry_.SelX(), geometry_.SelY())
               : TRevealDirections{};
  revealMenu_->menuAction()->setVisible(directions.Any());
  Action("North1")->setEnabled(directions.north);
  Action("South1")->setEnabled(directions.south);
  Action("West1")->setEnabled(directions.west);
  Action("East1")->setEnabled(directions.east);
}

}  // namespace qv
