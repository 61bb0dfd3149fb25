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

void TPrefForm::FormShow(const TMapSettings& map, const TRequestSettings& request) {
  colors_ = {map.SectorBorderColor, map.GateLineColor, map.BackgroundColor, map.KessarColor,
             map.LumariColor,       map.VosskColor,    map.OrthaneColor,    map.DrakhColor,
             map.PiratesColor,      map.ZhurrColor,    map.NoRaceColor,     map.RouteColor};
  for (int i = 0; i < kColorCount; ++i)
    MakeColorGlyph(*colorButtons_[i], 30, 12, colors_[i]);

  // The spin boxes hold values outside 0..100 at the nearer end.
  const int numbers[kNumberCount] = {map.SectorSize, map.SectorDx, map.SectorDy,
                                     map.BorderDx,   map.BorderDy, request.BarWidth};
  for (int i = 0; i < kNumberCount; ++i)
    numbers_[i]->setValue(numbers[i]);

  fonts_ = {map.SectorNameFont, map.ReqDigitFont, map.SunFont, map.StationsFont};

  const bool switches[kSwitchCount] = {request.VerticalBars,  request.ShowNumbers,
                                       request.NumbersOnly,   map.DocksAsLetter,
                                       map.ShipyardsAsLetter, map.PirateBasesAsLetter};
  for (int i = 0; i < kSwitchCount; ++i)
    switches_[i]->setChecked(switches[i]);
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
    TMapSettings& map = *map_;
    TRequestSettings& request = *request_;
    map.SectorBorderColor = colors_[kBorder];
    map.GateLineColor = colors_[kGateLine];
    map.BackgroundColor = colors_[kBackground];
    map.KessarColor = colors_[kKessar];
    map.LumariColor = colors_[kLumari];
    map.VosskColor = colors_[kVossk];
    map.OrthaneColor = colors_[kOrthane];
    map.DrakhColor = colors_[kDrakh];
    map.PiratesColor = colors_[kPirates];
    map.ZhurrColor = colors_[kZhurr];
    map.NoRaceColor = colors_[kNoRace];
    map.RouteColor = colors_[kRoute];

    map.SectorSize = numbers_[kSectorSize]->value();
    map.SectorDx = numbers_[kSectorDx]->value();
    map.SectorDy = numbers_[kSectorDy]->value();
    map.BorderDx = numbers_[kBorderDx]->value();
    map.BorderDy = numbers_[kBorderDy]->value();
    request.BarWidth = numbers_[kBarWidth]->value();

    map.SectorNameFont = fonts_[kSectorNameFont];
    map.ReqDigitFont = fonts_[kNumbersFont];
    map.SunFont = fonts_[kSunFont];
    map.StationsFont = fonts_[kStationsFont];

    request.VerticalBars = switches_[kVerticalBars]->isChecked();
    request.ShowNumbers = switches_[kShowNumbers]->isChecked();
    request.NumbersOnly = switches_[kNumbersOnly]->isChecked();
    map.DocksAsLetter = switches_[kDocksAsLetter]->isChecked();
    map.ShipyardsAsLetter = switches_[kShipyardsAsLetter]->isChecked();
    map.PirateBasesAsLetter = switches_[kPirateBasesAsLetter]->isChecked();
  }
  accept();
}

bool TPrefForm::Execute(TMapSettings& map, TRequestSettings& request) {
  map_ = &map;
  request_ = &request;
  FormShow(map, request);
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
