// How the main window reaches the program's other windows.
#include "app/MainForm.h"

#include "economy/FactSimpleCalcForm.h"
#include "economy/RequestForm.h"
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

void TMainForm::Factoryprofit1Click() {
  if (auto* profit = Window<TFactSimpleCalcForm>()) profit->Execute();
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

}  // namespace qv
