// The controls of the plan dialog and their places.
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data/TextUtil.h"
#include "economy/ComplexPlanForm.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtEditorParts.h"

namespace qv {

namespace {

QTableWidget* MakeGrid(const char* name, int columns) {
  auto* grid = Named(new QTableWidget(0, columns), name);
  grid->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  grid->verticalHeader()->hide();
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  grid->horizontalHeader()->setHighlightSections(false);
  grid->horizontalHeader()->setStretchLastSection(true);
  grid->setWordWrap(false);
  grid->setTabKeyNavigation(false);  // Tab goes on to the next control
  return grid;
}

QSpinBox* MakeSpinBox(const char* name, int minimum, int maximum, int value) {
  auto* box = Named(new QSpinBox, name);
  box->setRange(minimum, maximum);
  box->setValue(value);
  box->setLocale(QLocale::c());
  return box;
}

void SetTitles(QTableWidget& grid, const auto& titles) {
  for (int i = 0; i < static_cast<int>(titles.size()); ++i)
    grid.setHorizontalHeaderItem(i, new QTableWidgetItem(QString::fromStdString(titles[i])));
}

void SetItems(QComboBox& combo, const std::vector<std::string>& items) {
  const int chosen = std::max(combo.currentIndex(), 0);
  const QSignalBlocker block(&combo);
  combo.clear();
  for (const std::string& item : items)
    combo.addItem(QString::fromStdString(item));
  combo.setCurrentIndex(std::min(chosen, combo.count() - 1));
}

}  // namespace

void TComplexPlanForm::BuildControls() {
  // Targets: a product and its units per hour, six times.
  auto* targets = Named(new QGroupBox("Targets (units per hour)"), "GroupBox1");
  auto* targetGrid = new QGridLayout(targets);
  for (int i = 0; i < kMaxPlanTargets; ++i) {
    const std::string slot = std::to_string(i + 1);
    QComboBox* product = Named(new QComboBox, "ComboBox" + slot);
    product->setMinimumContentsLength(20);
    LimitDropDownRows(*product);
    QDoubleSpinBox* rate = Named(new QDoubleSpinBox, "SpinEdit" + slot);
    rate->setRange(0, 1e7);
    rate->setDecimals(1);
    rate->setLocale(QLocale::c());  // rates read and show with a point
    rate->setMinimumWidth(90);
    targetProducts_[i] = product;
    targetRates_[i] = rate;
    const std::string caption = "Target &" + slot + ":";
    targetGrid->addWidget(MakeLabel(("Label" + slot).c_str(), caption.c_str(), product), i, 0);
    targetGrid->addWidget(product, i, 1);
    targetGrid->addWidget(rate, i, 2);
  }

  // How the plan is chosen.
  objective_ = Named(new QComboBox, "ComboBox7");
  priceRule_ = Named(new QComboBox, "ComboBox8");
  SetItems(*objective_, formTexts_.ObjectiveList);
  SetItems(*priceRule_, formTexts_.PriceRuleList);
  priceRule_->setCurrentIndex(1);  // the average price
  solarCycle_ = MakeSpinBox("SpinEdit7", 0, 999, 90);
  mineYield_ = MakeSpinBox("SpinEdit8", 1, 999, 10);
  limit_ = MakeSpinBox("SpinEdit9", 1, 100000, 100);
  auto* choices = Named(new QGroupBox("Plan"), "GroupBox2");
  auto* choiceGrid = new QGridLayout(choices);
  choiceGrid->addWidget(MakeLabel("Label7", "&Objective:", objective_), 0, 0);
  choiceGrid->addWidget(objective_, 0, 1);
  choiceGrid->addWidget(MakeLabel("Label8", "P&rices:", priceRule_), 1, 0);
  choiceGrid->addWidget(priceRule_, 1, 1);
  choiceGrid->addWidget(MakeLabel("Label9", "Solar power plant &cycle (sec):", solarCycle_), 2, 0);
  choiceGrid->addWidget(solarCycle_, 2, 1);
  choiceGrid->addWidget(MakeLabel("Label10", "Mine &yield:", mineYield_), 3, 0);
  choiceGrid->addWidget(mineYield_, 3, 1);
  choiceGrid->addWidget(MakeLabel("Label11", "&Most factories of one type:", limit_), 4, 0);
  choiceGrid->addWidget(limit_, 4, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(targets);
  left->addWidget(choices);
  left->addStretch(1);

  // Prices and what may be bought, one row per product of the recipes.
  prices_ = MakeGrid("StringGrid1", 3);
  prices_->setColumnWidth(0, 170);
  prices_->setColumnWidth(1, 70);
  auto* priceColumn = new QVBoxLayout;
  priceColumn->addWidget(MakeLabel("Label13", "Product &prices and what may be bought:", prices_));
  priceColumn->addWidget(prices_, 1);
  connect(prices_, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* item) {
    if (filling_) return;
    const int id = prices_->item(item->row(), 0)->data(Qt::UserRole).toInt();
    if (item->column() == 1) {
      const int price = LeadingInteger(item->text().toStdString());
      filling_ = true;
      item->setText(QString::number(price));
      filling_ = false;
      typedPrices_[id] = price;
    } else if (item->column() == 2) {
      buyTicks_[id] = item->checkState() == Qt::Checked;
    }
  });

  auto* top = new QHBoxLayout;
  top->addLayout(left);
  top->addLayout(priceColumn, 1);

  // The plan: the factories to buy, and every product's rates.
  counts_ = MakeGrid("StringGrid2", 2);
  // The type takes the room, the count what it needs.
  counts_->horizontalHeader()->setStretchLastSection(false);
  counts_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  counts_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  counts_->setMinimumWidth(270);
  rates_ = MakeGrid("StringGrid3", 5);
  rates_->setColumnWidth(0, 160);
  for (int i = 1; i < 5; ++i)
    rates_->setColumnWidth(i, 80);
  auto* results = Named(new QSplitter(Qt::Horizontal), "Splitter1");
  results->addWidget(counts_);
  results->addWidget(rates_);
  results->setStretchFactor(1, 1);
  results->setChildrenCollapsible(false);

  profit_ = MakeBoldLabel("Label12", "");
  status_ = MakeBoldLabel("Label14", "");
  status_->setWordWrap(true);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* profitLine = new QHBoxLayout;
  profitLine->addWidget(MakeLabel("Label15", "Profit:"));
  profitLine->addWidget(profit_);
  profitLine->addWidget(MakeLabel("Label16", "Cr/hour"));
  profitLine->addSpacing(12);
  profitLine->addWidget(status_, 1);

  solve_ = MakePushButton("Button1", "&Solve", this);
  solve_->setDefault(true);
  use_ = MakePushButton("Button2", "&Use this plan", this);
  use_->setAutoDefault(false);
  use_->setEnabled(false);
  auto* close = MakePushButton("Button3", "Close", this);
  close->setAutoDefault(false);
  connect(solve_, &QPushButton::clicked, this, &TComplexPlanForm::SolveClick);
  connect(use_, &QPushButton::clicked, this, &TComplexPlanForm::UseClick);
  connect(close, &QPushButton::clicked, this, &QDialog::reject);
  connect(priceRule_, &QComboBox::activated, this, &TComplexPlanForm::PriceRuleChange);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(solve_);
  buttons->addWidget(use_);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(MakeLabel("Label17", "The plan: factories to buy and rates in units per hour"));
  layout->addWidget(results, 1);
  layout->addLayout(profitLine);
  layout->addLayout(buttons);
  ApplyTitles();
}

void TComplexPlanForm::ApplyTitles() {
  SetTitles(*prices_, formTexts_.PriceTitles);
  SetTitles(*counts_, formTexts_.CountTitles);
  SetTitles(*rates_, formTexts_.RateTitles);
  SetItems(*objective_, formTexts_.ObjectiveList);
  SetItems(*priceRule_, formTexts_.PriceRuleList);
}

}  // namespace qv
