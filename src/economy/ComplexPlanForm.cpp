#include "economy/ComplexPlanForm.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableWidget>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/TextUtil.h"
#include "economy/ComplexResults.h"
#include "economy/GlpkSolver.h"
#include "settings/CommaText.h"
#include "settings/Dialogs.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

namespace {

constexpr const char* kSettingsSection = "ComplexPlanWindow";
constexpr int kDesignedWidth = 1000;
constexpr int kDesignedHeight = 800;

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

QTableWidgetItem* ReadOnlyItem(const std::string& text, bool number) {
  auto* item = new QTableWidgetItem(Q(text));
  item->setFlags(item->flags() & ~Qt::ItemIsEditable);
  if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return item;
}

// A list of a language file's values, taken only when it names them all.
void ReadList(const IniFile& languageFile, const char* key, std::vector<std::string>& items) {
  const std::vector<std::string> read =
      SplitCommaText(languageFile.ReadString(kPlanTextSection, key, JoinCommaText(items)));
  if (read.size() == items.size()) items = read;
}

}  // namespace

TComplexPlanForm::TComplexPlanForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy,
                                   QWidget* parent)
    : QDialog(parent), store_(store), dialogs_(dialogs), busy_(busy), solver_(MakeGlpkSolver()) {
  setObjectName("ComplexPlanForm");
  setWindowTitle("Plan a complex");
  BuildControls();
  resize(kDesignedWidth, kDesignedHeight);
}

TComplexPlanForm::~TComplexPlanForm() = default;

bool TComplexPlanForm::Execute(int solarCycle, bool complexEmpty) {
  FormShow(solarCycle, complexEmpty);
  return exec() == QDialog::Accepted;
}

void TComplexPlanForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kPlanTextSection);
  TranslatePlanTexts(texts_, languageFile);
  TPlanFormTexts& t = formTexts_;
  const auto read = [&languageFile](const char* key, std::string& text) {
    text = languageFile.ReadString(kPlanTextSection, key, text);
  };
  read("NoTargetMsg", t.NoTargetMsg);
  read("ReplaceMsg", t.ReplaceMsg);
  read("ReplaceCap", t.ReplaceCap);
  const char* priceKeys[3] = {"GridProduct", "GridPrice", "GridMayBuy"};
  for (int i = 0; i < 3; ++i)
    read(priceKeys[i], t.PriceTitles[i]);
  const char* countKeys[2] = {"GridFactory", "GridCount"};
  for (int i = 0; i < 2; ++i)
    read(countKeys[i], t.CountTitles[i]);
  const char* rateKeys[5] = {"GridRateProduct", "GridMade", "GridUsed", "GridBought",
                             "GridSurplus"};
  for (int i = 0; i < 5; ++i)
    read(rateKeys[i], t.RateTitles[i]);
  ReadList(languageFile, "ObjectiveList", t.ObjectiveList);
  ReadList(languageFile, "PriceRuleList", t.PriceRuleList);
  ApplyTitles();
  ShowPlan();  // the status in the new language
}

void TComplexPlanForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kSettingsSection, kDesignedWidth, kDesignedHeight, true,
                      true);
  if (!settings) return;
  objective_->setCurrentIndex(
      std::clamp(settings->ReadInteger(kSettingsSection, "Objective", 0), 0, 1));
  priceRule_->setCurrentIndex(
      std::clamp(settings->ReadInteger(kSettingsSection, "PriceRule", 1), 0, 2));
  mineYield_->setValue(settings->ReadInteger(kSettingsSection, "MineYield", mineYield_->value()));
  limit_->setValue(settings->ReadInteger(kSettingsSection, "Limit", limit_->value()));
  // The targets by product name: FormShow finds them among the products.
  for (int i = 0; i < kMaxPlanTargets; ++i) {
    const std::string slot = std::to_string(i + 1);
    const std::string product = settings->ReadString(kSettingsSection, "Target" + slot, "");
    if (product.empty()) continue;
    targetProducts_[i]->addItem(Q(product));
    targetProducts_[i]->setCurrentIndex(targetProducts_[i]->count() - 1);
    targetRates_[i]->setValue(
        QLocale::c().toDouble(Q(settings->ReadString(kSettingsSection, "Rate" + slot, "0"))));
  }
}

void TComplexPlanForm::WriteSettings(IniFile* settings) {
  if (!settings) return;
  SaveWindowPlacement(settings, *this, kSettingsSection);
  settings->WriteInteger(kSettingsSection, "Objective", objective_->currentIndex());
  settings->WriteInteger(kSettingsSection, "PriceRule", priceRule_->currentIndex());
  settings->WriteInteger(kSettingsSection, "MineYield", mineYield_->value());
  settings->WriteInteger(kSettingsSection, "Limit", limit_->value());
  for (int i = 0; i < kMaxPlanTargets; ++i) {
    const std::string slot = std::to_string(i + 1);
    settings->WriteString(kSettingsSection, "Target" + slot,
                          targetProducts_[i]->currentText().toStdString());
    settings->WriteString(kSettingsSection, "Rate" + slot,
                          QLocale::c().toString(targetRates_[i]->value()).toStdString());
  }
}

// ---- Showing ----

void TComplexPlanForm::FormShow(int solarCycle, bool complexEmpty) {
  complexEmpty_ = complexEmpty;
  catalogue_ = LoadPlanCatalogue(store_);
  // Each target list offers what can be made; a choice still there stays.
  for (QComboBox* combo : targetProducts_) {
    const QString chosen = combo->currentText();
    const QSignalBlocker block(combo);
    combo->clear();
    combo->addItem(QString(), -1);
    for (const TPlanProduct* product : catalogue_.MadeProducts())
      combo->addItem(Q(product->Name), product->Id);
    combo->setCurrentIndex(std::max(combo->findText(chosen), 0));
  }
  solarCycle_->setValue(solarCycle);
  FillPriceGrid();
  plan_ = TPlan();
  options_ = TPlanOptions();
  ShowPlan();
  targetProducts_[0]->setFocus();
}

void TComplexPlanForm::FillPriceGrid() {
  filling_ = true;
  const std::set<int> defaultBuy = catalogue_.DefaultMayBuy();
  TPlanOptions rule;
  rule.PriceRule = static_cast<TPlanPriceRule>(std::max(priceRule_->currentIndex(), 0));
  const std::vector<const TPlanProduct*> products = catalogue_.RecipeProducts();
  prices_->clearContents();
  prices_->setRowCount(static_cast<int>(products.size()));
  for (int row = 0; row < static_cast<int>(products.size()); ++row) {
    const TPlanProduct& product = *products[row];
    QTableWidgetItem* name = ReadOnlyItem(PlanProductName(catalogue_, product.Id), false);
    name->setData(Qt::UserRole, product.Id);
    prices_->setItem(row, 0, name);
    const auto typed = typedPrices_.find(product.Id);
    auto* price = new QTableWidgetItem(
        QString::number(typed != typedPrices_.end() ? typed->second : PlanPrice(product, rule)));
    price->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    prices_->setItem(row, 1, price);
    auto* buy = new QTableWidgetItem;
    buy->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    const auto ticked = buyTicks_.find(product.Id);
    const bool mayBuy = ticked != buyTicks_.end() ? ticked->second : defaultBuy.count(product.Id);
    buy->setCheckState(mayBuy ? Qt::Checked : Qt::Unchecked);
    prices_->setItem(row, 2, buy);
  }
  filling_ = false;
}

void TComplexPlanForm::PriceRuleChange() {
  // A new rule sets every price anew.
  typedPrices_.clear();
  FillPriceGrid();
}

// ---- Solving ----

bool TComplexPlanForm::ReadOptions(TPlanOptions& options) const {
  TPlanOptions read;
  for (int i = 0; i < kMaxPlanTargets; ++i) {
    const int product = targetProducts_[i]->currentData().toInt();
    const double rate = targetRates_[i]->value();
    if (targetProducts_[i]->currentIndex() > 0 && rate > 0) read.Targets.push_back({product, rate});
  }
  if (read.Targets.empty()) return false;
  read.Objective = objective_->currentIndex() == 1 ? TPlanObjective::Cost : TPlanObjective::Count;
  read.PriceRule = static_cast<TPlanPriceRule>(std::max(priceRule_->currentIndex(), 0));
  read.SolarCycle = solarCycle_->value();
  read.MineYield = mineYield_->value();
  read.Limit = limit_->value();
  for (int row = 0; row < prices_->rowCount(); ++row) {
    const int id = prices_->item(row, 0)->data(Qt::UserRole).toInt();
    const TPlanProduct* product = catalogue_.FindProduct(id);
    const int price = LeadingInteger(prices_->item(row, 1)->text().toStdString());
    if (product && price != PlanPrice(*product, read)) read.Prices[id] = price;
    if (prices_->item(row, 2)->checkState() == Qt::Checked) read.MayBuy.insert(id);
  }
  options = std::move(read);
  return true;
}

void TComplexPlanForm::SolveClick() {
  TPlanOptions options;
  if (!ReadOptions(options)) {
    dialogs_.ShowError(formTexts_.NoTargetMsg);
    return;
  }
  {
    BusyGuard busy(busy_);
    plan_ = SolvePlan(catalogue_, options, *solver_);
  }
  options_ = std::move(options);
  ShowPlan();
}

void TComplexPlanForm::ShowPlan() {
  counts_->clearContents();
  counts_->setRowCount(static_cast<int>(plan_.Counts.size()));
  for (int row = 0; row < static_cast<int>(plan_.Counts.size()); ++row) {
    counts_->setItem(row, 0, ReadOnlyItem(plan_.Counts[row].Name, false));
    counts_->setItem(row, 1, ReadOnlyItem(std::to_string(plan_.Counts[row].Count), true));
  }
  rates_->clearContents();
  rates_->setRowCount(static_cast<int>(plan_.Rates.size()));
  for (int row = 0; row < static_cast<int>(plan_.Rates.size()); ++row) {
    const TPlanRate& rate = plan_.Rates[row];
    rates_->setItem(row, 0, ReadOnlyItem(rate.Name, false));
    const double cells[4] = {rate.Made, rate.Used, rate.Bought, rate.Surplus};
    for (int column = 0; column < 4; ++column)
      rates_->setItem(row, column + 1, ReadOnlyItem(PlanRateText(cells[column]), true));
  }
  const bool solved = !options_.Targets.empty();
  profit_->setText(plan_.HasPlan() ? Q(TruncatedText(plan_.Profit)) : QString());
  status_->setText(solved ? Q(PlanStatusText(plan_, catalogue_, options_, texts_)) : QString());
  use_->setEnabled(plan_.HasPlan());
}

void TComplexPlanForm::UseClick() {
  if (!plan_.HasPlan()) return;
  if (!complexEmpty_ && !dialogs_.AskYesNo(formTexts_.ReplaceMsg, formTexts_.ReplaceCap)) return;
  accept();
}

}  // namespace qv
