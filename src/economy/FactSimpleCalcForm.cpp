#include "economy/FactSimpleCalcForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>
#include <algorithm>
#include <map>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/TextUtil.h"
#include "economy/FactoryProfit.h"
#include "editors/QtDropDownRows.h"
#include "settings/QtFormParts.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "widgets/QtUpDown.h"

namespace qv {

namespace {

constexpr const char* kSection = "FactSimpleCalcForm";
constexpr const char* kPlacementSection = "SimpleCalcWindow";
constexpr int kDesignedWidth = 470;
constexpr int kDesignedHeight = 540;
constexpr int kListRows = 15;

void FillCombo(QComboBox& combo, const std::vector<std::string>& items) {
  const QSignalBlocker block(combo);
  combo.clear();
  for (const std::string& item : items)
    combo.addItem(QString::fromStdString(item));
  combo.setCurrentIndex(-1);
}

}  // namespace

TFactSimpleCalcForm::TFactSimpleCalcForm(TDataModule1& store, QWidget* parent)
    : TProductPanelOwnerForm(parent), store_(store) {
  setObjectName("FactSimpleCalcForm");
  setWindowTitle("Factory profit");
  BuildControls();
  ClearResults();
  resize(kDesignedWidth, kDesignedHeight);
}

TFactSimpleCalcForm::~TFactSimpleCalcForm() = default;

void TFactSimpleCalcForm::BuildControls() {
  label1_ = MakeLabel("Label1", "Factory:");
  comboBox1_ = Named(new QComboBox, "ComboBox1");
  LimitDropDownRows(*comboBox1_, kListRows);
  comboBox1_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  label1_->setBuddy(comboBox1_);

  label7_ = MakeLabel("Label7", "Yield:");
  edit1_ = Named(new QLineEdit("999"), "Edit1");
  edit1_->setMaximumWidth(60);
  label7_->setBuddy(edit1_);
  upDown1_ = Named(new QtUpDown, "UpDown1");
  upDown1_->SetRange(0, 999);
  upDown1_->Associate(edit1_);
  upDown1_->SetPosition(999);
  label8_ = MakeLabel("Label8", "Sector:");
  comboBox2_ = Named(new QComboBox, "ComboBox2");
  LimitDropDownRows(*comboBox2_, kListRows);
  comboBox2_->setMinimumContentsLength(16);
  label8_->setBuddy(comboBox2_);

  const TFramePanel framePanel = MakeFramePanel();
  scrollBox1_ = framePanel.scrollBox;
  frameList_ = framePanel.frameList;

  label3_ = MakeBoldLabel("Label3", "");
  label5_ = MakeBoldLabel("Label5", "");

  auto* top = new QGridLayout;
  top->addWidget(label1_, 0, 0);
  top->addWidget(comboBox1_, 0, 1, 1, 5);
  top->addWidget(label7_, 1, 0);
  auto* cycleBox = new QHBoxLayout;
  cycleBox->setSpacing(1);
  cycleBox->addWidget(edit1_);
  cycleBox->addWidget(upDown1_);
  top->addLayout(cycleBox, 1, 1);
  top->addWidget(label8_, 1, 2, Qt::AlignRight);
  top->addWidget(comboBox2_, 1, 3, 1, 3);
  top->setColumnStretch(3, 1);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(MakeLabel("Label2", "Factory profit:"));
  bottom->addWidget(label3_);
  bottom->addWidget(MakeLabel("Label4", "Cr/unit,"));
  bottom->addWidget(label5_);
  bottom->addWidget(MakeLabel("Label6", "Cr/hour"));
  bottom->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(scrollBox1_, 1);
  layout->addLayout(bottom);

  connect(comboBox1_, &QComboBox::currentIndexChanged, this, &TFactSimpleCalcForm::ComboBox1Change);
  connect(comboBox2_, &QComboBox::activated, this, &TFactSimpleCalcForm::ComboBox2Change);
  connect(edit1_, &QLineEdit::textChanged, this, &TFactSimpleCalcForm::Edit1Change);
  // A number typed or stepped no longer comes from the chosen sector.
  connect(edit1_, &QLineEdit::textEdited, this, [this] { comboBox2_->setCurrentIndex(-1); });
  connect(upDown1_, &QtUpDown::clicked, this, &TFactSimpleCalcForm::UpDown1Click);
}

void TFactSimpleCalcForm::Execute() {
  FormShow();
  exec();
}

void TFactSimpleCalcForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  CycleCaption = languageFile.ReadString(kSection, "CycleText", CycleCaption);
  YieldCaption = languageFile.ReadString(kSection, "YieldText", YieldCaption);
  if (SpecialKind != Special::None)
    label7_->setText(
        QString::fromStdString(SpecialKind == Special::SolarPlant ? CycleCaption : YieldCaption));
}

void TFactSimpleCalcForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kPlacementSection, kDesignedWidth, kDesignedHeight, true,
                      true);
}

void TFactSimpleCalcForm::WriteSettings(IniFile* settings) {
  SaveWindowPlacement(settings, *this, kPlacementSection);
}

double TFactSimpleCalcForm::CycleSeconds() const {
  return qv::CycleSeconds(CalcTime, SpecialKind, edit1_->text().toStdString());
}

void TFactSimpleCalcForm::ClearResults() {
  label3_->clear();
  label5_->clear();
}

void TFactSimpleCalcForm::SetCycleHints(bool on) {
  const QString hint = on ? QString::fromStdString(SolarCycleHint(
                                store_.Texts(), LeadingInteger(edit1_->text().toStdString())))
                          : QString();
  edit1_->setToolTip(hint);
  upDown1_->setToolTip(hint);
}

void TFactSimpleCalcForm::UpdateCycleControls() {
  const bool solar = SpecialKind == Special::SolarPlant;
  const bool ordinary = SpecialKind == Special::None;
  for (QWidget* w : {static_cast<QWidget*>(label7_), static_cast<QWidget*>(edit1_),
                     static_cast<QWidget*>(upDown1_)})
    w->setVisible(!ordinary);
  label8_->setVisible(solar);
  comboBox2_->setVisible(solar);
  if (ordinary) return;
  label7_->setText(QString::fromStdString(solar ? CycleCaption : YieldCaption));
  upDown1_->SetPosition(DefaultCycleBoxValue(SpecialKind));
  SetCycleHints(solar);
}

void TFactSimpleCalcForm::Recalculate() {
  const double cycle = CycleSeconds();
  if (FactoryName.empty()) {
    ClearResults();
    return;
  }
  std::vector<TProfitItem> items;
  for (const std::unique_ptr<TProductFrame>& frame : frames_) {
    items.push_back({frame->Price(), frame->Quantity(), frame->IsProduct()});
    frame->ShowRate(cycle);
  }
  label3_->setText(QString::fromStdString(ProfitPerUnitText(items)));
  label5_->setText(QString::fromStdString(ProfitPerHourText(items, cycle)));
}

void TFactSimpleCalcForm::ProductChanged(TProductFrame*) {
  Recalculate();
}

void TFactSimpleCalcForm::FormShow() {
  std::vector<std::string> names;
  store_.FillFactoryNames(names, true);
  FillCombo(*comboBox1_, names);
  store_.FillSectorNames(names, "", false);
  std::sort(names.begin(), names.end());
  FillCombo(*comboBox2_, names);

  // Filling the list drops the choice; the type chosen last time comes back
  // with the prices the player had set on its frames and the yield or cycle.
  {
    const QSignalBlocker block(comboBox1_);
    comboBox1_->setCurrentIndex(
        FactoryName.empty() ? -1 : comboBox1_->findText(QString::fromStdString(FactoryName)));
  }
  const bool chosen = comboBox1_->currentIndex() >= 0;
  std::map<int, int> prices;
  const QString boxText = edit1_->text();
  if (chosen)
    for (const std::unique_ptr<TProductFrame>& frame : frames_)
      prices.emplace(frame->ProductId(), frame->Price());
  ComboBox1Change();
  if (chosen) {
    for (const std::unique_ptr<TProductFrame>& frame : frames_) {
      const auto price = prices.find(frame->ProductId());
      if (price != prices.end() && price->second > 0) frame->SetPrice(price->second);
    }
    if (SpecialKind != Special::None) edit1_->setText(boxText);
  }
  Recalculate();
}

void TFactSimpleCalcForm::ComboBox1Change() {
  if (comboBox1_->currentIndex() < 0) {
    ClearResults();
    FactoryName.clear();
    SpecialKind = Special::None;
    UpdateCycleControls();
    return;
  }
  FactoryName = comboBox1_->currentText().toStdString();
  scrollBox1_->hide();
  frames_.clear();
  const Record type = store_.FactoriesData.RowsWithKey("Name", {Value(FactoryName)}).Front();
  if (!type.IsValid()) {
    ClearResults();
    FactoryName.clear();
    SpecialKind = Special::None;
  } else {
    const TFactoriesFields& f = store_.Fields().Factories;
    CalcTime = f.Mtime.Of(type).ToInteger();
    SpecialKind = AsCode<Special>(f.Special.Of(type).ToInteger());
    frames_ =
        CreateProductFrames(frameList_, this, store_, f.Id.Of(type).ToInteger(), CycleSeconds());
  }
  scrollBox1_->show();
  UpdateCycleControls();
  Recalculate();
}

void TFactSimpleCalcForm::ComboBox2Change() {
  const int cycle = store_.SectorSolarCycle(comboBox2_->currentText().toStdString());
  if (cycle > 0) {
    upDown1_->SetPosition(cycle);
    return;
  }
  comboBox2_->setCurrentIndex(-1);
}

void TFactSimpleCalcForm::Edit1Change() {
  Recalculate();
  if (SpecialKind == Special::SolarPlant) SetCycleHints(true);
}

void TFactSimpleCalcForm::UpDown1Click() {
  comboBox2_->setCurrentIndex(-1);
}

}  // namespace qv
