// How the main window reaches the legend, the request dialog and the
// preferences dialog.
#include "app/MainForm.h"

#include "economy/RequestForm.h"
#include "map/LegendForm.h"
#include "settings/PrefForm.h"

namespace qv {

bool TMainForm::RunRequestDialog() {
  if (requestForm_)
    return requestForm_->Execute(settings_.Request, settings_.Map.ReqDigitFont, request_);
  return false;
}

bool TMainForm::RunPrefDialog() {
  if (prefForm_) return prefForm_->Execute(settings_.Map, settings_.Request);
  return false;
}

bool TMainForm::LegendVisible() const {
  return legendForm_ && legendForm_->isVisible();
}

void TMainForm::ShowLegendWindow(bool show) {
  if (!legendForm_) return;
  if (show) {
    RefreshLegend();
    TurnLegendPage(settings_.Map.ShowStatistics);
    legendForm_->show();
    legendForm_->raise();
  } else {
    legendForm_->hide();
  }
}

void TMainForm::RefreshLegend() {
  if (legendForm_)
    legendForm_->UpdateLegend(settings_.Map, request_, SelectedCell(), settings_.Map.ShowStatistics,
                              settings_.Request.ShowRates);
}

void TMainForm::TurnLegendPage(bool statistics) {
  if (legendForm_) legendForm_->ShowPage(statistics);
}

// The legend, the preferences and the request dialog, in their place of the
// program's translation order.
void TMainForm::TranslateCompanions(const IniFile& languageFile) {
  if (legendForm_) legendForm_->Translate(languageFile);
  if (prefForm_) prefForm_->Translate(languageFile);
  if (requestForm_) requestForm_->Translate(languageFile);
}

}  // namespace qv
