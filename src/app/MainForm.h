#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/EditTexts.h"
#include "app/MapRoutePlan.h"
#include "app/QtProgramWindows.h"
#include "data/DataModule1.h"
#include "data/UndoStack.h"
#include "editors/SectorPlacement.h"
#include "map/MapGeometry.h"
#include "map/QtTextCache.h"
#include "map/RequestData.h"
#include "map/SectorArray.h"
#include "map/SectorDrawList.h"
#include "settings/MainTexts.h"
#include "settings/MainWindowSettings.h"
#include "settings/Settings.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressDialog;
class QScrollArea;
class QToolButton;

namespace qv {

class BusyCursor;
class Dialogs;
class IniFile;
class QtMapSurface;
struct TMapDrawContext;

// The main window: the map in a scrolling viewport, the selected sector and
// its status line, and every command of the program through the menu bar,
// the tool bar, the map's pop-up menu and keys. Reads its settings when it is
// made and writes them when it goes; the store must outlive it.
class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  TMainForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy, std::string programFolder,
            QWidget* parent = nullptr);
  ~TMainForm() override;

  // The program's other windows, which the main window opens and translates;
  // they are made after it (and after the store) and go before it.
  void SetWindows(const TProgramWindows* windows) { windows_ = windows; }
  // Gives the editor windows the keys of the Edit menu (once they are made).
  void InstallEditKeys();
  // One of the other windows (&TProgramWindows::legend, ...), or null (none
  // given, or already gone).
  template <class T>
  T* Window(TWindowSlot<T> TProgramWindows::*slot) const {
    return qv::Window(windows_, slot);
  }

  // The Language menu from the language files of the program folder, marked
  // for the current language.
  void BuildLanguageMenu();
  // Applies the current language to the main window, the other windows and
  // the store, then completes the tool-button hints with their keys.
  void SetLanguage();

  // Operations the other windows call.
  void Repaint();
  // The map, the statistics shown, the status line and the companion windows
  // follow the tables: after loading, and after every step (StepFinished).
  void AfterSectorsChanged();
  void UpdateSelection();
  void UpdateCommands();
  void SetShowStatistics(bool on);
  void SelectSector(int x, int y);
  void MoveSelection(int dx, int dy);
  void SetZoom(const std::string& text);

  // Command handlers (named after the controls that run them).
  void Add1Click();
  void ToolButton2Click();
  void Properties1Click();
  void Objectsinsector1Click();
  void Revealsector1Click();
  void Revealallsectors1Click();
  void SavemapasBMP1Click();
  void ToolButton6Click();
  void ToolButton7Click();
  void Directaccess1Click();
  void Calculatestatistics1Click();
  void Factoryprofit1Click();
  void Complexprofit1Click();
  void Productsinsector1Click();
  void Showlegend1Click();
  void Showstatistics1Click();
  void Showraces1Click();
  void Showsuns1Click();
  void Showdocks1Click();
  void Showshipyards1Click();
  void Showpiratebases1Click();
  void Showinvisiblesectors1Click();
  void Zoomin1Click();
  void Zoomout1Click();
  void Preferences1Click();
  void North1Click();
  void South1Click();
  void West1Click();
  void East1Click();
  void M_TemplateClick(QAction& item);
  // The About box: version, licence and the folders in use.
  void About1Click();
  // Shows or hides the legend as its tool button says.
  void ToolButton19Click();
  // The legend was closed by the player.
  void LegendClosed();
  // Shows or hides the products-in-sector window as its tool button says.
  void ToolButton9Click();
  // The products-in-sector window was closed by the player.
  void ProductsWindowClosed();
  // Undo and redo of the run's steps (see QtMainFormEdit.cpp).
  void Undo1Click();
  void Redo1Click();
  // Routes on the map and the "Where to" window (see QtMainFormRoutes.cpp).
  void Routefromhere1Click();
  void Routetohere1Click();
  void Clearroute1Click();
  void Whereto1Click();
  // A row of the "Where to" window was chosen: the route to its sector is
  // shown and the sector selected, the window keeping its start.
  void WhereToRouteChosen(int startId, int endId, int x, int y);

  // Mouse on the map.
  void PaintBox1MouseDown(int x, int y);
  void PaintBox1DblClick();
  void ScrollBox1MouseDown();
  // Prepares the pop-up menu as it opens (shown entries, reveal directions).
  void PreparePopupMenu();

  // Runs once, when the window is first shown (from showEvent, or by the
  // program when it drives the window without showing it).
  void FirstShow();
  // A settings file that could not be read when the window was made: one
  // message naming the file and the reason (once; FirstShow shows it).
  void ReportSettingsReadProblem();
  // A write of the settings at exit that failed ("<path>: <reason>"): told
  // with the main window's own write, the run's last, in one message.
  void NoteSettingsWriteFailure(const std::string& error);

  // State for the program and the tests.
  const TMainWindowSettings& Settings() const { return settings_; }
  TMainWindowSettings& MutableSettings() { return settings_; }
  const TMapGeometry& Geometry() const { return geometry_; }
  const TRequestData& Request() const { return request_; }
  const TSectorArray& Cells() const { return cells_; }
  const TMainTexts& Texts() const { return texts_; }
  CustomColorList& CustomColors() { return customColors_; }
  const std::string& CurrentLanguage() const { return settings_.Language; }
  QString StatusText() const;
  QString StatusHint() const;
  QAction* Action(const QString& name) const;
  QToolButton* Button(const QString& name) const;
  QMenu* PopupMenu() const { return popupMenu_; }
  QMenu* LanguageMenu() const { return languageMenu_; }
  QComboBox* ZoomBox() const { return zoomBox_; }
  QScrollArea* ScrollBox() const { return scrollBox_; }
  QtMapSurface* Surface() const { return surface_; }
  bool LegendVisible() const;
  bool ProductsWindowVisible() const;
  bool WhereToVisible() const;
  const TMapRoutePlan& RoutePlan() const { return routePlan_; }
  QString RouteStatusText() const;
  UndoStack& Steps() { return *undo_; }
  const TEditTexts& EditTexts() const { return editTexts_; }

 signals:
  // A fatal failure (memory) asks the program to end after the usual shut-down.
  void FatalError();
  // The window is about to close (the program's exit begins).
  void Closing();
  // The window was closed: the program ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Construction (see QtMainFormLayout.cpp).
  void CreateActions();
  void CreateMenus();
  void CreateToolBar();
  void CreateMapView();
  QAction* AddAction(const char* name, const char* caption, void (TMainForm::*handler)(),
                     bool checkable = false);
  QToolButton* AddToolButton(const char* name, const char* hint, int icon,
                             void (TMainForm::*handler)(), bool toggle = false);

  void ReadSettings();
  void WriteSettings();
  void ApplyGeometrySettings();
  void ApplySwitchesToControls();
  void SetSwitch(const char* menuItem, const char* button, bool on);
  bool IsChecked(const char* name) const;
  void ToggleFromSender(const char* menuItem, const char* button, bool& value);
  void CompleteToolButtonHints(bool strip);
  void MarkLanguage();
  void ReportOutOfMemory(const char* caption);

  TViewport Viewport() const;
  void RefreshBounds();
  void ResizeCells();
  void SetSurfaceSize();
  void ApplyScroll(int x, int y);
  void UpdateMarkerArea();  // around the selected square
  void PaintMap(QPainter& painter, const QRect& exposed);
  TMapDrawContext DrawContext() const;
  const double* SelectedCell() const;
  void RecalculateStatistics();
  void UpdateStatusHint();
  void RevealDirection(int dx, int dy);

  // Companion windows (see QtMainFormWindows.cpp).
  void SectorStored(TGridPos position);
  bool RunRequestDialog();
  bool RunPrefDialog();
  void ShowLegendWindow(bool show);
  void RefreshLegend();
  void TurnLegendPage(bool statistics);
  void ShowProductsWindow(bool show);
  void ShowToolWindow(QWidget* window, bool show, void (TMainForm::*fill)());
  void RefreshProducts();
  // The menu item and the tool button of a tool window show and hide it together.
  void ConnectToolWindowSwitch(const char* menuItem, const char* button,
                               void (TMainForm::*show)(bool));
  void ToolWindowSwitched(const char* menuItem, const char* button, void (TMainForm::*show)(bool),
                          bool on);

  // The Edit menu (see QtMainFormEdit.cpp).
  void CreateEditActions();
  void RunUndo(bool (UndoStack::*step)());
  void UpdateEditCommands();
  void StepFinished(const ChangeRecord& record, ChangeOrigin origin);

  // Routes (see QtMainFormRoutes.cpp).
  void CreateRouteActions();
  QMenu* AvoidMenu();
  void ApplyRouteOptionsToControls();
  void AvoidSwitched();
  void RefreshRoute();
  void UpdateRouteStatus();
  void UpdateRouteCommands();
  void RefreshWhereTo();

  TDataModule1& store_;
  Dialogs& dialogs_;
  BusyCursor* busy_;
  std::string programFolder_;

  TMainWindowSettings settings_;
  TMapGeometry geometry_;
  TSectorArray cells_;
  QtTextCache mapTexts_;  // names measured and shaped once for all repaints
  // The sectors as drawn, read again only when the sectors table changes.
  mutable TSectorDrawList mapSectors_;
  TRequestData request_;
  TMainTexts texts_;
  CustomColorList customColors_{};
  std::string saveFolder_;
  TSectorBounds lastBounds_;
  bool firstShown_ = false;
  bool settingsWritten_ = false;
  std::string settingsReadProblem_;  // "<path>: <reason>" when the start could not read them
  bool settingsReadReported_ = false;
  std::vector<std::string> settingsWriteFailures_;

  const TProgramWindows* windows_ = nullptr;  // the program's, not owned

  std::map<QString, QAction*> actions_;
  std::map<QString, QToolButton*> buttons_;
  QMenu* popupMenu_ = nullptr;
  QMenu* revealMenu_ = nullptr;
  QMenu* languageMenu_ = nullptr;
  QComboBox* zoomBox_ = nullptr;
  QScrollArea* scrollBox_ = nullptr;
  QtMapSurface* surface_ = nullptr;
  QLabel* statusLabel_ = nullptr;
  QLabel* statusHint_ = nullptr;  // says why shown statistics show nothing
  QProgressDialog* bmpProgress_ = nullptr;

  std::unique_ptr<UndoStack> undo_;
  int stepListener_ = 0;
  TEditTexts editTexts_;

  TMapRoutePlan routePlan_;
  QLabel* routeLabel_ = nullptr;
  QMenu* avoidMenu_ = nullptr;
  bool whereToKeepsStart_ = false;  // the selection moves to a sector the window chose
};

}  // namespace qv
