#include "settings/PrefForm.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>
#include <string>
#include <utility>

#include "settings/MainWindowKeys.h"
#include "settings/MainWindowSettings.h"
#include "settings/QtColorPicking.h"
#include "settings/QtFormParts.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "widgets/QtNumberBox.h"

namespace qv {

namespace {

constexpr int kClientWidth = 479;
constexpr int kClientHeight = 333;

QLabel* AddLabelled(QGridLayout& grid, int row, const std::string& labelName, const char* text,
                    QWidget* control, int column = 0) {
  auto* label = Named(new QLabel(QString::fromUtf8(text)), labelName);
  label->setBuddy(control);
  grid.addWidget(label, row, column);
  grid.addWidget(control, row, column + 1, Qt::AlignLeft);
  return label;
}

QGroupBox* MakeGroup(const char* name, const char* title) {
  return Named(new QGroupBox(QString::fromUtf8(title)), name);
}

QGridLayout* GridOf(QGroupBox& group) {
  auto* grid = new QGridLayout(&group);
  grid->setContentsMargins(6, 6, 6, 6);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(3);
  return grid;
}

}  // namespace

TPrefForm::TPrefForm(Dialogs& dialogs, CustomColorList& customColors, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), customColors_(customColors) {
  setObjectName("PrefForm");
  setWindowTitle("Preferences");
  UseDialogFrame(*this);
  BuildControls();
}

TPrefForm::~TPrefForm() = default;

void TPrefForm::BuildControls() {
  MakeSharedControls();
  // Keyboard order: map, races, statistics, misc, then the buttons, as each
  // builder adds its controls.
  std::vector<QWidget*> order;
  auto* left = new QVBoxLayout;
  left->addWidget(BuildMapBox(order), 1);
  QGroupBox* racesBox = BuildRacesBox(order);
  QGroupBox* statsBox = BuildStatisticsBox(order);
  QGroupBox* miscBox = BuildMiscBox(order);
  left->addLayout(BuildButtons(order));
  auto* right = new QGridLayout;
  right->setSpacing(6);
  right->addWidget(racesBox, 0, 0, 1, 2);
  right->addWidget(statsBox, 1, 0);
  right->addWidget(miscBox, 1, 1);
  right->setRowStretch(1, 1);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(8, 8, 8, 8);
  layout->setSpacing(6);
  layout->addLayout(left);
  layout->addLayout(right, 1);

  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(order[i - 1], order[i]);
  FitSize();
}

// The colour buttons, number boxes and switches, which the groups share out.
void TPrefForm::MakeSharedControls() {
  // Colour buttons keep the component numbers of their labels' places:
  // BitBtn1 border, BitBtn3 gate line, BitBtn12 background, BitBtn4..11 races,
  // BitBtn13 the route.
  const int colorButtonNumber[kColorCount] = {1, 3, 12, 4, 5, 6, 7, 8, 9, 10, 11, 13};
  for (int i = 0; i < kColorCount; ++i) {
    colorButtons_[i] = Named(new QPushButton, "BitBtn" + std::to_string(colorButtonNumber[i]));
    colorButtons_[i]->setAutoDefault(false);
    connect(colorButtons_[i], &QPushButton::clicked, this, [this, i] { ColorButtonClick(i); });
  }
  for (int i = 0; i < kNumberCount; ++i) {
    // The up-down and its text box are one spin box named after the up-down;
    // its text box carries the name of the edit, so both names reach it.
    auto* spin = Named(new QtNumberBox(0, 100), "UpDown" + std::to_string(i + 1));
    const int editNumber[kNumberCount] = {1, 2, 4, 3, 5, 6};
    if (auto* edit = spin->findChild<QLineEdit*>())
      edit->setObjectName(QString::fromStdString("Edit" + std::to_string(editNumber[i])));
    numbers_[i] = spin;
  }
  const char* switchNames[kSwitchCount] = {"CheckBox1", "CheckBox2", "CheckBox3",
                                           "CheckBox4", "CheckBox5", "CheckBox6"};
  const char* switchTexts[kSwitchCount] = {"Vertical bars", "Show 2 numbers",   "Numbers only",
                                           "Docks as 'D'",  "Shipyards as 'Y'", "Pirates as 'P'"};
  for (int i = 0; i < kSwitchCount; ++i)
    switches_[i] = Named(new QCheckBox(QString::fromUtf8(switchTexts[i])), switchNames[i]);
}

QPushButton* TPrefForm::MakeFontButton(const char* name, const char* text, int slot) {
  auto* button = Named(new QPushButton(QString::fromUtf8(text)), name);
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, slot] { FontButtonClick(slot); });
  return button;
}

QGroupBox* TPrefForm::BuildMapBox(std::vector<QWidget*>& order) {
  QGroupBox* mapBox = MakeGroup("GroupBox1", " Map ");
  QGridLayout* mapGrid = GridOf(*mapBox);
  AddLabelled(*mapGrid, 0, "Label1", "Sector size:", numbers_[kSectorSize]);
  AddLabelled(*mapGrid, 1, "Label2", "H. Spacing:", numbers_[kSectorDx]);
  AddLabelled(*mapGrid, 2, "Label4", "V. Spacing:", numbers_[kSectorDy]);
  AddLabelled(*mapGrid, 3, "Label15", "H. Border:", numbers_[kBorderDx]);
  AddLabelled(*mapGrid, 4, "Label16", "V. Border:", numbers_[kBorderDy]);
  AddLabelled(*mapGrid, 5, "Label3", "Border:", colorButtons_[kBorder]);
  AddLabelled(*mapGrid, 6, "Label5", "Gate line:", colorButtons_[kGateLine]);
  AddLabelled(*mapGrid, 7, "Label14", "Background:", colorButtons_[kBackground]);
  AddLabelled(*mapGrid, 8, "Label18", "Route:", colorButtons_[kRoute]);
  QPushButton* sectorNameFont = MakeFontButton("Button3", "Font for sector name", kSectorNameFont);
  mapGrid->addWidget(sectorNameFont, 9, 0, 1, 2);
  mapGrid->setRowStretch(10, 1);
  order.insert(order.end(), {numbers_[kSectorSize], numbers_[kSectorDx], numbers_[kSectorDy],
                             numbers_[kBorderDx], numbers_[kBorderDy], colorButtons_[kBorder],
                             colorButtons_[kGateLine], colorButtons_[kBackground],
                             colorButtons_[kRoute], sectorNameFont});
  return mapBox;
}

QGroupBox* TPrefForm::BuildRacesBox(std::vector<QWidget*>& order) {
  QGroupBox* racesBox = MakeGroup("GroupBox2", " Races ");
  QGridLayout* racesGrid = GridOf(*racesBox);
  const char* raceTexts[8] = {
      "Kessar:", "Lumari:", "Vossk:", "Orthane:", "Drakh:", "Pirates:", "Zhurr:", "Default:"};
  // Two columns of four, so that the statistics and the station marks fit
  // beside the map's group within the designed size.
  for (int i = 0; i < 8; ++i) {
    AddLabelled(*racesGrid, i % 4, "Label" + std::to_string(6 + i), raceTexts[i],
                colorButtons_[kKessar + i], 2 * (i / 4));
    order.push_back(colorButtons_[kKessar + i]);
  }
  racesGrid->setColumnMinimumWidth(2, 60);
  racesGrid->setColumnStretch(1, 1);
  return racesBox;
}

QGroupBox* TPrefForm::BuildStatisticsBox(std::vector<QWidget*>& order) {
  QGroupBox* statsBox = MakeGroup("GroupBox3", " Statistics ");
  QGridLayout* statsGrid = GridOf(*statsBox);
  AddLabelled(*statsGrid, 0, "Label17", "Bar width:", numbers_[kBarWidth]);
  statsGrid->addWidget(switches_[kVerticalBars], 1, 0, 1, 2);
  statsGrid->addWidget(switches_[kShowNumbers], 2, 0, 1, 2);
  statsGrid->addWidget(switches_[kNumbersOnly], 3, 0, 1, 2);
  QPushButton* numbersFont = MakeFontButton("Button4", "Font for numbers", kNumbersFont);
  statsGrid->addWidget(numbersFont, 4, 0, 1, 2);
  order.insert(order.end(), {numbers_[kBarWidth], switches_[kVerticalBars], switches_[kShowNumbers],
                             switches_[kNumbersOnly], numbersFont});
  return statsBox;
}

QGroupBox* TPrefForm::BuildMiscBox(std::vector<QWidget*>& order) {
  QGroupBox* miscBox = MakeGroup("GroupBox4", " Misc ");
  QGridLayout* miscGrid = GridOf(*miscBox);
  QPushButton* sunFont = MakeFontButton("Button5", "Font for suns", kSunFont);
  QPushButton* stationsFont = MakeFontButton("Button6", "Font for stations", kStationsFont);
  miscGrid->addWidget(sunFont, 0, 0);
  miscGrid->addWidget(switches_[kDocksAsLetter], 1, 0);
  miscGrid->addWidget(switches_[kShipyardsAsLetter], 2, 0);
  miscGrid->addWidget(switches_[kPirateBasesAsLetter], 3, 0);
  miscGrid->addWidget(stationsFont, 4, 0);
  order.insert(order.end(), {sunFont, switches_[kDocksAsLetter], switches_[kShipyardsAsLetter],
                             switches_[kPirateBasesAsLetter], stationsFont});
  return miscBox;
}

QHBoxLayout* TPrefForm::BuildButtons(std::vector<QWidget*>& order) {
  auto* ok = Named(new QPushButton("OK"), "Button1");
  ok->setDefault(true);
  auto* cancel = Named(new QPushButton("Cancel"), "Button2");
  cancel->setAutoDefault(false);
  connect(ok, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  order.insert(order.end(), {ok, cancel});
  return buttons;
}

// The designed size, or more where the platform's fonts or a language's
// longer texts need it, so that no text is cut.
void TPrefForm::FitSize() {
  setMinimumSize(0, 0);
  setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  layout()->invalidate();
  layout()->activate();
  setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

namespace {

// The setting each control edits, in the order of its slots; one list gives
// both what the dialog shows and what OK takes back.
constexpr std::array kColorKeys = {"SectorBorderColor", "GateLineColor", "BackgroundColor",
                                   "KessarColor",       "LumariColor",   "VosskColor",
                                   "OrthaneColor",      "DrakhColor",    "PiratesColor",
                                   "ZhurrColor",        "NoRaceColor",   "RouteColor"};
constexpr std::array kNumberKeys = {"SectorSize", "SectorDx", "SectorDy",
                                    "BorderDx",   "BorderDy", "BarWidth"};
constexpr std::array kFontSections = {"SectorNameFont", "ReqDigitFont", "SunFont", "StationsFont"};
constexpr std::array kSwitchKeys = {"VerticalBars",  "ShowNumbers",       "NumbersOnly",
                                    "DocksAsLetter", "ShipyardsAsLetter", "PirateBasesAsLetter"};

template <class Setting>
const auto& FieldOf(const char* key) {
  return MainWindowSetting<Setting>(key).field;
}

// The settings the dialog edits, where the table's fields find them.
TMainWindowSettings Holding(const TMapSettings& map, const TRequestSettings& request) {
  TMainWindowSettings values;
  values.Map = map;
  values.Request = request;
  return values;
}

}  // namespace

void TPrefForm::FormShow(const TMainWindowSettings& values) {
  static_assert(kColorKeys.size() == kColorCount && kNumberKeys.size() == kNumberCount &&
                kFontSections.size() == kFontCount && kSwitchKeys.size() == kSwitchCount);
  for (int i = 0; i < kColorCount; ++i) {
    colors_[i] = FieldOf<TNumberSetting>(kColorKeys[i])(values);
    MakeColorGlyph(*colorButtons_[i], 30, 12, colors_[i]);
  }
  // The spin boxes hold values outside 0..100 at the nearer end.
  for (int i = 0; i < kNumberCount; ++i)
    numbers_[i]->setValue(FieldOf<TNumberSetting>(kNumberKeys[i])(values));
  for (int i = 0; i < kFontCount; ++i)
    fonts_[i] = FieldOf<TFontSetting>(kFontSections[i])(values);
  for (int i = 0; i < kSwitchCount; ++i)
    switches_[i]->setChecked(FieldOf<TSwitchSetting>(kSwitchKeys[i])(values));
}

void TPrefForm::CopyOut(TMainWindowSettings& values) const {
  for (int i = 0; i < kColorCount; ++i)
    FieldOf<TNumberSetting>(kColorKeys[i])(values) = colors_[i];
  for (int i = 0; i < kNumberCount; ++i)
    FieldOf<TNumberSetting>(kNumberKeys[i])(values) = numbers_[i]->value();
  for (int i = 0; i < kFontCount; ++i)
    FieldOf<TFontSetting>(kFontSections[i])(values) = fonts_[i];
  for (int i = 0; i < kSwitchCount; ++i)
    FieldOf<TSwitchSetting>(kSwitchKeys[i])(values) = switches_[i]->isChecked();
}

void TPrefForm::ColorButtonClick(int slot) {
  PickColor(dialogs_, *colorButtons_[slot], colors_[slot], customColors_);
}

void TPrefForm::FontButtonClick(int slot) {
  EditFont(fonts_[slot], dialogs_, true, customColors_);
}

void TPrefForm::Button1Click() {
  CommitNumberBoxes(*this);
  if (map_ && request_) {
    // Only the dialog's own settings change; the others stay as they are now.
    TMainWindowSettings values = Holding(*map_, *request_);
    CopyOut(values);
    *map_ = std::move(values.Map);
    *request_ = std::move(values.Request);
  }
  accept();
}

bool TPrefForm::Execute(TMapSettings& map, TRequestSettings& request) {
  map_ = &map;
  request_ = &request;
  FormShow(Holding(map, request));
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
  }
  const bool ok = exec() == QDialog::Accepted;
  map_ = nullptr;
  request_ = nullptr;
  return ok;
}

void TPrefForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, "PrefForm");
  FitSize();
}

}  // namespace qv
