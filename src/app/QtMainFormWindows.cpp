// How the main window reaches the program's other windows.
#include "app/MainForm.h"

#include <QAction>
#include <QToolButton>

#include "economy/FactComplexCalcForm.h"
#include "economy/FactSimpleCalcForm.h"
#include "economy/RequestForm.h"
#include "economy/SectProdForm.h"
#include "editors/BrowseForm.h"
#include "editors/FactoriesForm.h"
#include "editors/ProductsForm.h"
#include "editors/RevealSectorForm.h"
#include "editors/SectorDataForm.h"
#include "editors/SectorPropForm.h"
#include "map/LegendForm.h"
#include "settings/PrefForm.h"

namespace qv {

bool TMainForm::RunRequestDialog() {
  if (auto* request = Window(&TProgramWindows::request))
    return request->Execute(settings_.Request, settings_.Map.ReqDigitFont, request_);
  return false;
}

bool TMainForm::RunPrefDialog() {
  if (auto* pref = Window(&TProgramWindows::pref))
    return pref->Execute(settings_.Map, settings_.Request);
  return false;
}

void TMainForm::Add1Click() {
  if (auto* sector = Window(&TProgramWindows::sectorProp))
    if (sector->Execute(true, -1, -1)) SectorStored(sector->StoredPosition());
}

void TMainForm::Properties1Click() {
  if (!geometry_.HasSelection()) return;
  if (auto* sector = Window(&TProgramWindows::sectorProp))
    if (sector->Execute(false, geometry_.SelX(), geometry_.SelY()))
      SectorStored(sector->StoredPosition());
  Repaint();
}

void TMainForm::Revealsector1Click() {
  if (auto* reveal = Window(&TProgramWindows::reveal))
    if (reveal->Execute()) SectorStored(reveal->RevealedPosition());
  UpdateCommands();
}

void TMainForm::Directaccess1Click() {
  if (auto* browse = Window(&TProgramWindows::browse)) browse->Execute();
}

// The selection moves to a sector added, edited or revealed, so that the
// player sees where it went (the map followed the edit already).
void TMainForm::SectorStored(TGridPos position) {
  SelectSector(position.x, position.y);
}

void TMainForm::Factoryprofit1Click() {
  if (auto* profit = Window(&TProgramWindows::profit)) profit->Execute();
}

void TMainForm::Complexprofit1Click() {
  if (auto* complex = Window(&TProgramWindows::complex)) complex->Execute();
}

void TMainForm::Objectsinsector1Click() {
  auto* objects = Window(&TProgramWindows::sectorData);
  if (!objects || !geometry_.HasSelection()) return;
  objects->Execute(geometry_.SelX(), geometry_.SelY());
}

void TMainForm::ToolButton6Click() {
  if (auto* factories = Window(&TProgramWindows::factories)) factories->Execute();
}

void TMainForm::ToolButton7Click() {
  if (auto* products = Window(&TProgramWindows::products)) products->Execute();
}

namespace {

bool IsShown(const QWidget* window) {
  return window && window->isVisible();
}

}  // namespace

// A tool window is filled for the selection before it shows.
void TMainForm::ShowToolWindow(QWidget* window, bool show, void (TMainForm::*fill)()) {
  if (!window) return;
  if (show) {
    (this->*fill)();
    window->show();
  } else {
    window->hide();
  }
}

bool TMainForm::LegendVisible() const {
  return IsShown(Window(&TProgramWindows::legend));
}

void TMainForm::ShowLegendWindow(bool show) {
  // Opened while statistics are shown, the legend opens on their page.
  if (show) TurnLegendPage(settings_.Map.ShowStatistics);
  ShowToolWindow(Window(&TProgramWindows::legend), show, &TMainForm::RefreshLegend);
}

void TMainForm::RefreshLegend() {
  if (auto* legend = Window(&TProgramWindows::legend))
    legend->UpdateLegend(settings_.Map, request_, SelectedCell(), settings_.Map.ShowStatistics,
                         settings_.Request.ShowRates);
}

void TMainForm::TurnLegendPage(bool statistics) {
  if (auto* legend = Window(&TProgramWindows::legend)) legend->ShowPage(statistics);
}

void TMainForm::ConnectToolWindowSwitch(const char* menuItem, const char* button,
                                        void (TMainForm::*show)(bool)) {
  // Each hears the state it was switched to.
  auto switched = [this, menuItem, button, show](bool on) {
    ToolWindowSwitched(menuItem, button, show, on);
  };
  connect(Action(menuItem), &QAction::triggered, this, switched);
  connect(Button(button)->defaultAction(), &QAction::triggered, this, switched);
}

void TMainForm::ToolWindowSwitched(const char* menuItem, const char* button,
                                   void (TMainForm::*show)(bool), bool on) {
  SetSwitch(menuItem, button, on);
  (this->*show)(on);
}

bool TMainForm::ProductsWindowVisible() const {
  return IsShown(Window(&TProgramWindows::sectProd));
}

void TMainForm::ShowProductsWindow(bool show) {
  ShowToolWindow(Window(&TProgramWindows::sectProd), show, &TMainForm::RefreshProducts);
}

void TMainForm::RefreshProducts() {
  auto* products = Window(&TProgramWindows::sectProd);
  if (!products) return;
  if (geometry_.HasSelection())
    products->ShowSector(geometry_.SelX(), geometry_.SelY());
  else
    products->ShowNoSector();
}

}  // namespace qv
