#pragma once

#include <QDialog>
#include <array>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "economy/ComplexPlan.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace qv {

class BusyCursor;
class Dialogs;
class IniFile;
class TDataModule1;
class TMipSolver;

// The dialog's own texts a language file may replace (section "ComplexPlanForm").
struct TPlanFormTexts {
  std::string NoTargetMsg = "Choose at least one product and how many units per hour you want.";
  std::string ReplaceMsg = "Replace the factories of the complex by the plan?";
  std::string ReplaceCap = "Use this plan";
  std::array<std::string, 3> PriceTitles = {"Product", "Price", "May be bought"};
  std::array<std::string, 2> CountTitles = {"Factory", "Count"};
  std::array<std::string, 5> RateTitles = {"Product", "Made", "Used", "Bought", "Surplus"};
  std::vector<std::string> ObjectiveList = {"Fewest factories", "Lowest cost of bought inputs"};
  std::vector<std::string> PriceRuleList = {"Minimum", "Average", "Maximum"};
};

// "Plan a complex": the player names up to six products with the units per
// hour he wants of each, and the planner finds the factories to buy, with
// whole counts: the fewest, or those that buy the least from outside, at
// prices by a rule or typed per product, and with a choice of what may be
// bought. "Use this plan" hands the plan to the complex window, which then
// computes it as any complex. The dialog lives as long as the complex window
// and keeps what the player chose between openings.
class TComplexPlanForm : public QDialog {
  Q_OBJECT

 public:
  TComplexPlanForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy,
                   QWidget* parent = nullptr);
  ~TComplexPlanForm() override;

  // Shows the dialog for a complex whose solar power plants run at
  // `solarCycle`; true when the player chose "Use this plan" (and agreed to
  // replace the factories when `complexEmpty` is false).
  bool Execute(int solarCycle, bool complexEmpty);

  void Translate(const IniFile& languageFile);
  // The placement and the choices of section "ComplexPlanWindow".
  void ReadSettings(const IniFile* settings);
  void WriteSettings(IniFile* settings);

  // The plan found last, with what it was found from.
  const TPlan& Plan() const { return plan_; }
  const TPlanOptions& Options() const { return options_; }
  const TPlanCatalogue& Catalogue() const { return catalogue_; }
  const TPlanTexts& Texts() const { return texts_; }
  const TPlanFormTexts& FormTexts() const { return formTexts_; }

  // Events, public so that tests drive the dialog as the player does.
  void FormShow(int solarCycle, bool complexEmpty);
  void SolveClick();
  void UseClick();
  void PriceRuleChange();
  // The options the controls give; false (nothing changed) without a target.
  bool ReadOptions(TPlanOptions& options) const;

 private:
  void BuildControls();
  void FillPriceGrid();
  void ShowPlan();
  void ApplyTitles();

  TDataModule1& store_;
  Dialogs& dialogs_;
  BusyCursor* busy_;
  std::unique_ptr<TMipSolver> solver_;
  TPlanCatalogue catalogue_;
  TPlanOptions options_;  // those of the plan found last
  TPlan plan_;
  TPlanTexts texts_;
  TPlanFormTexts formTexts_;
  bool complexEmpty_ = true;
  bool filling_ = false;  // the price grid is being filled: its changes are no edits
  // What the player set on the price grid, kept for the next opening.
  std::map<int, int> typedPrices_;
  std::map<int, bool> buyTicks_;

  std::array<QComboBox*, kMaxPlanTargets> targetProducts_{};    // ComboBox1..6
  std::array<QDoubleSpinBox*, kMaxPlanTargets> targetRates_{};  // SpinEdit1..6
  QComboBox* objective_ = nullptr;                              // ComboBox7
  QComboBox* priceRule_ = nullptr;                              // ComboBox8
  QSpinBox* solarCycle_ = nullptr;                              // SpinEdit7
  QSpinBox* mineYield_ = nullptr;                               // SpinEdit8
  QSpinBox* limit_ = nullptr;                                   // SpinEdit9
  QTableWidget* prices_ = nullptr;  // StringGrid1: product, price, may be bought
  QTableWidget* counts_ = nullptr;  // StringGrid2: factory type, count
  QTableWidget* rates_ = nullptr;   // StringGrid3: product, made, used, bought, surplus
  QLabel* profit_ = nullptr;        // Label12
  QLabel* status_ = nullptr;        // Label14
  QPushButton* solve_ = nullptr;    // Button1
  QPushButton* use_ = nullptr;      // Button2
};

}  // namespace qv
