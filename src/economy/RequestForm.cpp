#include "economy/RequestForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <array>
#include <cstddef>
#include <exception>
#include <string>

#include "data/DataModule1.h"
#include "economy/RequestBuilder.h"
#include "economy/RequestImport.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtLookupComboBox.h"
#include "map/RequestData.h"
#include "settings/CommaText.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/MainWindowSettings.h"
#include "settings/QtColorPicking.h"
#include "settings/QtFormParts.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "widgets/QtNumberBox.h"

namespace qv {

namespace {

constexpr int kSlots = 6;
constexpr int kProductRows = 20;  // rows a product list shows at a time
constexpr int kFactoryRows = 10;

std::string Numbered(const char* prefix, int number) {
  return prefix + std::to_string(number);
}

// The radio buttons stand in the order of the traders modes' numbers.
QRadioButton* TradersButton(const std::array<QRadioButton*, 4>& buttons, TradersMode mode) {
  return buttons[static_cast<std::size_t>(CodeOf(mode))];
}

// The mode a settings file holds; a number outside the modes (a damaged
// file) is "Ignore traders".
TradersMode StoredTradersMode(int stored) {
  const bool known =
      stored >= CodeOf(TradersMode::Ignore) && stored <= CodeOf(TradersMode::AddToBoth);
  return known ? AsCode<TradersMode>(stored) : TradersMode::Ignore;
}

QPushButton* MakeColorButton(int number) {
  auto* button = new QPushButton;
  button->setObjectName(QString::fromStdString(Numbered("BitBtn", number)));
  button->setAutoDefault(false);
  return button;
}

// The colour setting behind colour button i (BitBtn1 .. BitBtn8).
TColor& ButtonColor(TRequestSettings& settings, int i) {
  if (i == 0) return settings.ProdColor;
  if (i == 1) return settings.DemandColor;
  return settings.ReqColor[i - 2];
}

}  // namespace

TRequestForm::TRequestForm(TDataModule1& store, Dialogs& dialogs, CustomColorList& customColors,
                           QWidget* parent)
    : QDialog(parent), store_(store), dialogs_(dialogs), customColors_(customColors) {
  setObjectName("RequestForm");
  setWindowTitle("Calculate statistics");
  UseDialogFrame(*this);
  BuildControls();
  CopySharedTexts();
  // The dialog keeps its own design until the store gives it data: nothing
  // is bound to the tables before the store exists, and it always does here.
  const TAuxRequestFields& f = store_.Fields().AuxRequest;
  simpleProduct_->Bind(&store_.AuxRequestData, f.ProdName[0]->FieldName());
  for (int k = 0; k < kSlots; ++k)
    slotProducts_[k]->Bind(&store_.AuxRequestData, f.ProdName[k]->FieldName());
  importFactory_->Bind(&store_.AuxRequestData, f.Fact1Name->FieldName());
}

TRequestForm::~TRequestForm() = default;

void TRequestForm::BuildControls() {
  QGroupBox* requestBox = BuildRequestBox();
  countYour_ = Named(new QCheckBox("Count your factories"), "CheckBox4");
  QWidget* ratesBox = BuildRatesBox();
  QGroupBox* tradersBox = BuildTradersBox();

  auto* left = new QVBoxLayout;
  left->addWidget(requestBox);
  left->addWidget(countYour_);
  left->addWidget(ratesBox);
  left->addWidget(tradersBox);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildSimpleBox());
  right->addWidget(BuildCustomBox());
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(BuildBarsBox());
  bottom->addWidget(BuildNumbersBox(), 1);

  auto* layout = new QGridLayout(this);
  layout->addLayout(left, 0, 0);
  layout->addLayout(right, 0, 1);
  layout->addLayout(bottom, 1, 0, 1, 2);
  layout->addLayout(BuildButtons(), 2, 0, 1, 2);
  layout->setColumnStretch(1, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  ConnectControls();
  SetKeyboardOrder();
}

// Request kind, own factories, factories or rates, traders: the left column.
QGroupBox* TRequestForm::BuildRequestBox() {
  auto* requestBox = Named(new QGroupBox("Request"), "GroupBox4");
  simple_ = Named(new QRadioButton("Simple"), "RadioButton5");
  custom_ = Named(new QRadioButton("Custom"), "RadioButton6");
  auto* requestLayout = new QVBoxLayout(requestBox);
  requestLayout->addWidget(simple_);
  requestLayout->addWidget(custom_);
  return requestBox;
}

QWidget* TRequestForm::BuildRatesBox() {
  auto* ratesBox = new QWidget;  // keeps the two rate buttons a group of their own
  factories_ = Named(new QRadioButton("Factories"), "RadioButton7");
  rates_ = Named(new QRadioButton("Product rates"), "RadioButton8");
  auto* ratesLayout = new QVBoxLayout(ratesBox);
  ratesLayout->setContentsMargins(0, 0, 0, 0);
  ratesLayout->addWidget(factories_);
  ratesLayout->addWidget(rates_);
  return ratesBox;
}

QGroupBox* TRequestForm::BuildTradersBox() {
  auto* tradersBox = Named(new QGroupBox("Traders"), "GroupBox1");
  auto* tradersLayout = new QVBoxLayout(tradersBox);
  const char* traderTexts[4] = {"Ignore traders", "Add traders to producers",
                                "Add traders to consumers", "Add traders to both"};
  for (int i = 0; i < 4; ++i) {
    traders_[i] = new QRadioButton(traderTexts[i]);
    traders_[i]->setObjectName(QString::fromStdString(Numbered("RadioButton", i + 1)));
    tradersLayout->addWidget(traders_[i]);
  }
  return tradersBox;
}

// Also makes the eight colour buttons: the first two are the simple
// request's, the others the custom slots'.
QGroupBox* TRequestForm::BuildSimpleBox() {
  auto* simpleBox = Named(new QGroupBox("Simple request"), "GroupBox2");
  simpleProduct_ = Named(new QtLookupComboBox, "DBLookupComboBox1");
  simpleProduct_->SetDropDownRows(kProductRows);
  for (int i = 0; i < 8; ++i)
    colorButtons_[i] = MakeColorButton(i + 1);
  simpleScale_ = Named(new QCheckBox("Individual scales"), "CheckBox5");
  auto* simpleLayout = new QGridLayout(simpleBox);
  simpleLayout->addWidget(MakeLabel("Label1", "Product:", simpleProduct_), 0, 0);
  simpleLayout->addWidget(simpleProduct_, 0, 1, 1, 4);
  simpleLayout->addWidget(MakeLabel("Label2", "Production:", colorButtons_[0]), 1, 0);
  simpleLayout->addWidget(colorButtons_[0], 1, 1, Qt::AlignLeft);
  simpleLayout->addWidget(MakeLabel("Label3", "Demand:", colorButtons_[1]), 1, 2, Qt::AlignRight);
  simpleLayout->addWidget(colorButtons_[1], 1, 3, Qt::AlignLeft);
  simpleLayout->addWidget(simpleScale_, 2, 0, 1, 5);
  simpleLayout->setColumnStretch(4, 1);
  return simpleBox;
}

// Custom request: role, "of", product, colour per slot.
QGroupBox* TRequestForm::BuildCustomBox() {
  auto* customBox = Named(new QGroupBox("Custom request"), "GroupBox3");
  auto* customLayout = new QGridLayout(customBox);
  for (int k = 0; k < kSlots; ++k) {
    roles_[k] = new QComboBox;
    roles_[k]->setObjectName(QString::fromStdString(Numbered("ComboBox", k + 1)));
    LimitDropDownRows(*roles_[k]);
    ofLabels_[k] = new QLabel("of");
    ofLabels_[k]->setObjectName(QString::fromStdString(Numbered("Label", 4 + k)));
    slotProducts_[k] = new QtLookupComboBox;
    slotProducts_[k]->setObjectName(QString::fromStdString(Numbered("DBLookupComboBox", k + 2)));
    slotProducts_[k]->SetDropDownRows(kProductRows);
    customLayout->addWidget(roles_[k], k, 0);
    customLayout->addWidget(ofLabels_[k], k, 1);
    customLayout->addWidget(slotProducts_[k], k, 2);
    customLayout->addWidget(colorButtons_[2 + k], k, 3);
  }
  roles_[0]->addItems({"-- None --", "Production", "Demand"});
  importFactory_ = Named(new QtLookupComboBox, "DBLookupComboBox8");
  importFactory_->SetDropDownRows(kFactoryRows);
  // The import row has a long label of its own; in the slot grid it would
  // widen the "of" column.
  auto* importRow = new QHBoxLayout;
  importRow->addWidget(MakeLabel("Label10", "Import conditions from factory:", importFactory_));
  importRow->addWidget(importFactory_, 1);
  customLayout->addLayout(importRow, kSlots, 0, 1, 4);
  customScale_ = Named(new QCheckBox("Individual scales"), "CheckBox6");
  customLayout->addWidget(customScale_, kSlots + 1, 0, 1, 4);
  customLayout->setColumnStretch(2, 1);
  return customBox;
}

QGroupBox* TRequestForm::BuildBarsBox() {
  auto* barsBox = Named(new QGroupBox("Bars"), "GroupBox5");
  barWidth_ = Named(new QtNumberBox(0, 100), "UpDown1");
  // The up-down and its text box are one control here; the text box carries
  // the name Edit1 so that both names reach it.
  if (auto* edit = barWidth_->findChild<QLineEdit*>()) edit->setObjectName("Edit1");
  verticalBars_ = Named(new QCheckBox("Vertical bars"), "CheckBox2");
  auto* barsLayout = new QGridLayout(barsBox);
  barsLayout->addWidget(MakeLabel("Label11", "Width:", barWidth_), 0, 0);
  barsLayout->addWidget(barWidth_, 0, 1);
  barsLayout->addWidget(verticalBars_, 1, 0, 1, 2);
  barsLayout->setColumnStretch(2, 1);
  return barsBox;
}

QGroupBox* TRequestForm::BuildNumbersBox() {
  auto* numbersBox = Named(new QGroupBox("Numbers"), "GroupBox6");
  showNumbers_ = Named(new QCheckBox("Show numbers (1-2 bars)"), "CheckBox1");
  fontButton_ = Named(new QPushButton("Font..."), "Button3");
  fontButton_->setAutoDefault(false);
  numbersOnly_ = Named(new QCheckBox("Numbers only"), "CheckBox3");
  auto* numbersLayout = new QGridLayout(numbersBox);
  numbersLayout->addWidget(showNumbers_, 0, 0);
  numbersLayout->addWidget(fontButton_, 0, 1, Qt::AlignLeft);
  numbersLayout->setColumnStretch(2, 1);
  numbersLayout->addWidget(numbersOnly_, 1, 0, 1, 2);
  return numbersBox;
}

QHBoxLayout* TRequestForm::BuildButtons() {
  process_ = Named(new QPushButton("Process"), "Button1");
  process_->setDefault(true);
  cancel_ = Named(new QPushButton("Cancel"), "Button2");
  cancel_->setAutoDefault(false);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(process_);
  buttons->addWidget(cancel_);
  return buttons;
}

void TRequestForm::ConnectControls() {
  auto onChange = [this] {
    if (!busy_) UpdateControls();
  };
  connect(simple_, &QRadioButton::toggled, this, onChange);
  connect(numbersOnly_, &QCheckBox::toggled, this, onChange);
  for (QComboBox* role : roles_)
    connect(role, &QComboBox::currentIndexChanged, this, onChange);
  connect(factories_, &QRadioButton::toggled, this, [this] {
    if (!busy_) UpdateTraderStates();
  });
  for (int i = 0; i < 8; ++i)
    connect(colorButtons_[i], &QPushButton::clicked, this, [this, i] { ColorButtonClick(i); });
  connect(fontButton_, &QPushButton::clicked, this, [this] { Button3Click(); });
  connect(importFactory_, &QtLookupComboBox::ValueChosen, this,
          [this] { DBLookupComboBox8Click(); });
  connect(process_, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

// Keyboard order follows the columns: kind, rates, traders, then the
// request, then bars, numbers and the buttons.
void TRequestForm::SetKeyboardOrder() {
  QWidget* order[] = {simple_,          custom_,          countYour_,  factories_,  rates_,
                      traders_[0],      traders_[1],      traders_[2], traders_[3], simpleProduct_,
                      colorButtons_[0], colorButtons_[1], simpleScale_};
  for (std::size_t i = 1; i < std::size(order); ++i)
    setTabOrder(order[i - 1], order[i]);
  QWidget* previous = simpleScale_;
  for (int k = 0; k < kSlots; ++k) {
    for (QWidget* w : {static_cast<QWidget*>(roles_[k]), static_cast<QWidget*>(slotProducts_[k]),
                       static_cast<QWidget*>(colorButtons_[2 + k])}) {
      setTabOrder(previous, w);
      previous = w;
    }
  }
  QWidget* tail[] = {previous,     importFactory_, customScale_, barWidth_, verticalBars_,
                     showNumbers_, fontButton_,    numbersOnly_, process_,  cancel_};
  for (std::size_t i = 1; i < std::size(tail); ++i)
    setTabOrder(tail[i - 1], tail[i]);
}

// The custom request repeats a few texts of the simple one and of its first
// slot; a language file gives each of them once.
void TRequestForm::CopySharedTexts() {
  busy_ = true;
  customScale_->setText(simpleScale_->text());
  QStringList items;
  for (int i = 0; i < roles_[0]->count(); ++i)
    items << roles_[0]->itemText(i);
  for (int k = 0; k < kSlots; ++k) {
    if (k > 0) ofLabels_[k]->setText(ofLabels_[0]->text());
    if (k == 0) continue;
    const int index = roles_[k]->currentIndex();
    roles_[k]->clear();
    roles_[k]->addItems(items);
    roles_[k]->setCurrentIndex(index < items.size() ? index : 0);
  }
  busy_ = false;
}

int TRequestForm::ProductCount() const {
  if (simple_->isChecked()) return 2;
  int count = 0;
  for (const QComboBox* role : roles_)
    if (ListItemToRole(role->currentIndex()) != kRoleNone) ++count;
  return count;
}

void TRequestForm::UpdateControls() {
  const bool isSimple = simple_->isChecked();
  simpleProduct_->setEnabled(isSimple);
  colorButtons_[0]->setEnabled(isSimple);
  colorButtons_[1]->setEnabled(isSimple);
  simpleScale_->setEnabled(isSimple);

  for (int k = 0; k < kSlots; ++k) {
    const bool used = ListItemToRole(roles_[k]->currentIndex()) != kRoleNone;
    roles_[k]->setEnabled(!isSimple);
    ofLabels_[k]->setEnabled(!isSimple);
    slotProducts_[k]->setEnabled(!isSimple && used);
    colorButtons_[2 + k]->setEnabled(!isSimple && used);
  }
  importFactory_->setEnabled(!isSimple);
  customScale_->setEnabled(!isSimple);

  const bool numbersOnly = numbersOnly_->isChecked();
  const int count = ProductCount();
  barWidth_->setEnabled(!numbersOnly);
  verticalBars_->setEnabled(!numbersOnly);
  showNumbers_->setEnabled(!numbersOnly && count < 3);
  process_->setEnabled(count >= 1);
}

// Traders add to producers only when factories are counted: a trader has no
// production rate.
void TRequestForm::UpdateTraderStates() {
  const bool countFactories = factories_->isChecked();
  QRadioButton* producers = TradersButton(traders_, TradersMode::AddToProducers);
  QRadioButton* both = TradersButton(traders_, TradersMode::AddToBoth);
  producers->setEnabled(countFactories);
  both->setEnabled(countFactories);
  if (!countFactories && (producers->isChecked() || both->isChecked()))
    TradersButton(traders_, TradersMode::Ignore)->setChecked(true);
}

void TRequestForm::FormShow() {
  CopySharedTexts();

  Table& aux = store_.AuxRequestData;
  try {
    if (aux.State() == TableState::Browse) {
      if (aux.IsEmpty())
        aux.Append();
      else
        aux.Edit();
    }
    store_.Fields().AuxRequest.Fact1->SetAsInteger(-1);  // no factory shown
    aux.Post();
  } catch (const std::exception& error) {
    aux.Cancel();
    dialogs_.ShowError(error.what());
  }

  Table& factories = store_.FactoriesData;
  factories.SetFilter("Buyable");
  factories.SetFiltered(true);
  factories.SetIndexFieldNames("Name");

  for (int i = 0; i < 8; ++i)
    MakeColorGlyph(*colorButtons_[i], 30, 12, ButtonColor(*settings_, i));

  busy_ = true;
  for (int k = 0; k < kSlots; ++k)
    roles_[k]->setCurrentIndex(RoleToListItem(settings_->ReqOp[k]));
  (settings_->SimpleRequest ? simple_ : custom_)->setChecked(true);
  // A traders mode outside 0..3 (a damaged settings file) shows as "Ignore
  // traders"; with no button checked, "Process" would store "add to both".
  TradersButton(traders_, StoredTradersMode(settings_->Traders))->setChecked(true);
  barWidth_->setValue(settings_->BarWidth);
  verticalBars_->setChecked(settings_->VerticalBars);
  showNumbers_->setChecked(settings_->ShowNumbers);
  numbersOnly_->setChecked(settings_->NumbersOnly);
  countYour_->setChecked(settings_->CountYourFactories);
  simpleScale_->setChecked(settings_->SimpleIndividualScale);
  customScale_->setChecked(settings_->CustomIndividualScale);
  (settings_->ShowRates ? rates_ : factories_)->setChecked(true);
  busy_ = false;

  UpdateTraderStates();
  UpdateControls();
  process_->setFocus();
}

void TRequestForm::ColorButtonClick(int button) {
  if (!settings_) return;
  PickColor(dialogs_, *colorButtons_[button], ButtonColor(*settings_, button), customColors_);
}

void TRequestForm::Button3Click() {
  if (reqDigitFont_) EditFont(*reqDigitFont_, dialogs_, true, customColors_);
}

void TRequestForm::DBLookupComboBox8Click() {
  Table& aux = store_.AuxRequestData;
  if (aux.IsEmpty()) return;
  const TAuxRequestFields& f = store_.Fields().AuxRequest;
  const TImportedConditions conditions =
      ImportFactoryConditions(store_, f.Fact1->AsInteger());

  if (aux.State() == TableState::Browse) aux.Edit();
  busy_ = true;
  if (conditions.setsSlot1) {
    roles_[0]->setCurrentIndex(RoleToListItem(conditions.slot1.role));
    f.Prod[0]->SetAsInteger(conditions.slot1.productId);
  }
  for (int k = 1; k < kSlots; ++k) {
    const TImportedSlot& slot = conditions.slots2to6[k - 1];
    roles_[k]->setCurrentIndex(RoleToListItem(slot.role));
    if (slot.role != kRoleNone) f.Prod[static_cast<std::size_t>(k)]->SetAsInteger(slot.productId);
  }
  busy_ = false;
  UpdateControls();
}

void TRequestForm::Button1Click() {
  TRequestSettings& s = *settings_;
  for (int k = 0; k < kSlots; ++k)
    s.ReqOp[k] = ListItemToRole(roles_[k]->currentIndex());
  s.SimpleRequest = simple_->isChecked();
  s.CountYourFactories = countYour_->isChecked();
  s.SimpleIndividualScale = simpleScale_->isChecked();
  s.CustomIndividualScale = customScale_->isChecked();
  s.ShowRates = rates_->isChecked();
  TradersMode mode = TradersMode::AddToBoth;
  for (const TradersMode shown :
       {TradersMode::Ignore, TradersMode::AddToProducers, TradersMode::AddToConsumers}) {
    if (TradersButton(traders_, shown)->isChecked()) {
      mode = shown;
      break;
    }
  }
  s.Traders = CodeOf(mode);
  *request_ = BuildProcessRequest(store_, s);
  accept();
}

void TRequestForm::FormClose() {
  CommitNumberBoxes(*this);
  store_.FactoriesData.SetFiltered(false);
  Table& aux = store_.AuxRequestData;
  if (aux.State() != TableState::Browse) {
    try {
      aux.Post();
      aux.MergeChangeLog();
    } catch (const std::exception& error) {
      aux.Cancel();
      dialogs_.ShowError(error.what());
    }
  }
  store_.FactoriesData.SetIndexName("FactoriesDataIdIndex");

  TRequestSettings& s = *settings_;
  s.BarWidth = barWidth_->value() == 0 ? 5 : barWidth_->value();
  s.VerticalBars = verticalBars_->isChecked();
  s.ShowNumbers = showNumbers_->isChecked();
  s.NumbersOnly = numbersOnly_->isChecked();
}

bool TRequestForm::Execute(TRequestSettings& settings, TFontParams& reqDigitFont,
                           TRequestData& request) {
  settings_ = &settings;
  reqDigitFont_ = &reqDigitFont;
  request_ = &request;
  FormShow();
  const bool processed = exec() == QDialog::Accepted;
  FormClose();
  settings_ = nullptr;
  reqDigitFont_ = nullptr;
  request_ = nullptr;
  return processed;
}

void TRequestForm::Translate(const IniFile& languageFile) {
  const std::string section = "RequestForm";
  TranslateWindow(*this, languageFile, section);
  QStringList current;
  for (int i = 0; i < roles_[0]->count(); ++i)
    current << roles_[0]->itemText(i);
  std::vector<std::string> items;
  for (const QString& item : current)
    items.push_back(item.toStdString());
  const std::vector<std::string> translated =
      SplitCommaText(ReadText(languageFile, section, "TypeList", JoinCommaText(items)));
  // The three roles are told apart by their place in the list: a list of
  // fewer items cannot stand for them and is not taken.
  if (translated.size() >= 3) {
    busy_ = true;
    for (int i = 0; i < 3; ++i)
      roles_[0]->setItemText(i, QString::fromStdString(translated[i]));
    busy_ = false;
  }
  CopySharedTexts();
}

}  // namespace qv
