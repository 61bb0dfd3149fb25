// How the main window reaches the program's other windows.
#include "app/MainForm.h"

#include <QAction>
#include <QToolButton>

#include "economy/RequestForm.h"
#include "economy/SectProdForm.h"
#include "map/LegendForm.h"
#include "settings/PrefForm.h"

namespace qv {

bool TMainForm::RunRequestDialog() {
  if (auto* request = Window<TRequestForm>())
    return request->Execute(settings_.Request, settings_.Map.ReqDigitFont, request_);
  return false;
}

bool TMainForm::RunPrefDialog() {
  if (auto* pref = Window<TPrefForm>()) return pref->Execute(settings_.Map, settings_.Request);
  return false;
}

bool TMainForm::LegendVisible() const {
  const auto* legend = Window<TLegendForm>();
  return legend && legend->isVisible();
}

void TMainForm::ShowLegendWindow(bool show) {
  auto* legend = Window<TLegendForm>();
  if (!legend) return;
  if (show) {
    RefreshLegend();
    legend->show();
  } else {
    legend->hide();
  }
}

void TMainForm::RefreshLegend() {
  if (auto* legend = Window<TLegendForm>())
    legend->UpdateLegend(settings_.Map, request_, SelectedCell(), settings_.Map.ShowStatistics,
                         settings_.Request.ShowRates);
}

void TMainForm::TurnLegendPage(bool statistics) {
  if (auto* legend = Window<TLegendForm>()) legend->ShowPage(statistics);
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
  const auto* products = Window<TSectProdForm>();
  return products && products->isVisible();
}

void TMainForm::ShowProductsWindow(bool show) {
  auto* products = Window<TSectProdForm>();
  if (!products) return;
  if (show) {
    RefreshProducts();
    products->show();
  } else {
    products->hide();
  }
}

void TMainForm::RefreshProducts() {
  if (auto* products = Window<TSectProdForm>())
    products->ShowSector(geometry_.SelX(), geometry_.SelY());
}

}  // namespace qv
