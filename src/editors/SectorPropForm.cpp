#include "editors/SectorPropForm.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/MapLimits.h"
#include "data/TextUtil.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtEditorParts.h"
#include "map/MapGeometry.h"
#include "map/MapRenderer.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/MainTexts.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "widgets/QtNumberBox.h"

namespace qv {

namespace {

constexpr const char* kSection = "SectorPropForm";
constexpr int kNameButtonSize = 16;
constexpr int kSquareSize = 3 * kNameButtonSize;
constexpr int kDesignedWidth = 420;
constexpr int kDesignedHeight = 330;
// The neighbour lists show this many characters of a name; their drop-downs
// are as wide as the longest name.
constexpr int kNeighbourChars = 7;
constexpr int kComboButtonWidth = 30;  // a drop-down's arrow and frames

int ReadNumber(const QLineEdit& edit) {
  return LeadingInteger(edit.text().toStdString());
}

// A number box named after its up-down, whose text box carries the name of
// the edit, so that both names reach it.
QtNumberBox* MakeNumberBox(const char* upDownName, const char* editName, int maximum) {
  auto* box = Named(new QtNumberBox(0, maximum), upDownName);
  box->setGroupSeparatorShown(false);
  box->setMinimumWidth(70);
  if (auto* edit = box->findChild<QLineEdit*>()) edit->setObjectName(editName);
  return box;
}

}  // namespace

TSectorPropForm::TSectorPropForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy,
                                 QWidget* parent)
    : QDialog(parent), store_(store), dialogs_(dialogs), busy_(busy) {
  setObjectName("SectorPropForm");
  setWindowTitle(QString::fromStdString(texts_.EditCaption));
  UseDialogFrame(*this);
  BuildControls();
}

TSectorPropForm::~TSectorPropForm() = default;

void TSectorPropForm::BuildControls() {
  QGridLayout* form = BuildFieldsGrid();
  auto* lower = new QHBoxLayout;
  lower->addLayout(BuildGatesGrid(), 1);
  lower->addWidget(BuildNamePlaceBox());
  const TDialogButtons buttons =
      MakeDialogButtons(*this, "Button1", "OK", "Button2", [this] { Button1Click(); });
  button1_ = buttons.confirm;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addLayout(lower);
  layout->addStretch(1);
  layout->addLayout(buttons.row);

  // Keyboard order: the fields top down, the gates with their neighbours, OK.
  std::vector<QWidget*> order = {edit1_, edit4_, edit5_, comboBox1_, suns_, cycle_, checkBox5_};
  for (int i = 0; i < 4; ++i) {
    order.push_back(gates_[i]);
    order.push_back(neighbours_[i]);
  }
  order.push_back(button1_);
  order.push_back(buttons.cancel);
  for (std::size_t i = 1; i < order.size(); ++i)
    setTabOrder(order[i - 1], order[i]);
  FixDialogSize(*this, kDesignedWidth, kDesignedHeight);
}

// Name, position, race, suns, cycle and visibility, each with its label.
QGridLayout* TSectorPropForm::BuildFieldsGrid() {
  edit1_ = Named(new QLineEdit, "Edit1");
  // The boxes hold what the fields hold: a longer text would be cut unseen.
  edit1_->setMaxLength(store_.Fields().Sectors.Name->Size());
  edit4_ = Named(new QLineEdit, "Edit4");
  edit5_ = Named(new QLineEdit, "Edit5");
  for (QLineEdit* edit : {edit4_, edit5_}) {
    edit->installEventFilter(this);
    connect(edit, &QLineEdit::textChanged, this, [this] { Edit4Change(); });
  }
  label7_ = MakeBoldLabel("Label7", "");
  label7_->setAlignment(Qt::AlignCenter);
  comboBox1_ = Named(new QComboBox, "ComboBox1");
  comboBox1_->setEditable(true);
  comboBox1_->setInsertPolicy(QComboBox::NoInsert);
  const int raceLength = store_.Fields().Sectors.Race->Size();
  comboBox1_->lineEdit()->setMaxLength(raceLength);
  // Wide enough to show a whole race text of usual letters.
  comboBox1_->setMinimumWidth(comboBox1_->fontMetrics().averageCharWidth() * raceLength +
                              kComboButtonWidth);
  std::vector<std::string> races(kRaceNames.begin(), kRaceNames.end());
  FillComboItems(*comboBox1_, races, true);
  LimitDropDownRows(*comboBox1_);
  checkBox5_ = Named(new QCheckBox("Sector is visible"), "CheckBox5");
  suns_ = MakeNumberBox("UpDown1", "Edit3", 10000);
  cycle_ = MakeNumberBox("UpDown2", "Edit2", 9999);
  connect(cycle_, &QSpinBox::textChanged, this, [this] { Edit2Change(); });
  label9_ = Named(new QLabel, "Label9");

  auto* form = new QGridLayout;
  form->setHorizontalSpacing(6);
  form->addWidget(MakeLabel("Label1", "&Name:", edit1_), 0, 0);
  // Labels on the left, each field in the one column right of them, so
  // that no row's width depends on another's.
  form->addWidget(edit1_, 0, 1);
  form->addWidget(MakeLabel("Label2", "&Position:", edit4_), 1, 0);
  form->addLayout(MakePositionRow(edit4_, edit5_), 1, 1);
  // The warning has a line of its own under the position, always there, so
  // that the controls do not move when it appears.
  label7_->setMinimumHeight(label7_->fontMetrics().height());
  form->addWidget(label7_, 2, 0, 1, 2);
  form->addWidget(MakeLabel("Label4", "&Race:", comboBox1_), 3, 0);
  form->addWidget(comboBox1_, 3, 1, Qt::AlignLeft);
  form->addWidget(MakeLabel("Label5", "&Suns:", suns_), 4, 0);
  form->addWidget(suns_, 4, 1, Qt::AlignLeft);
  form->addWidget(MakeLabel("Label6", "Solar power plant &cycle (sec):", cycle_), 5, 0);
  auto* cycleRow = new QHBoxLayout;
  cycleRow->addWidget(cycle_);
  cycleRow->addWidget(label9_);
  cycleRow->addStretch(1);
  form->addLayout(cycleRow, 5, 1);
  form->addWidget(checkBox5_, 6, 0, 1, 2);
  form->setColumnStretch(1, 1);
  return form;
}

// Gates, each with the neighbour behind it.
QGridLayout* TSectorPropForm::BuildGatesGrid() {
  const char* gateTexts[4] = {"North", "South", "West", "East"};
  auto* gates = new QGridLayout;
  gates->addWidget(MakeLabel("Label8", "Gates:"), 0, 0, 1, 2);
  for (int i = 0; i < 4; ++i) {
    gates_[i] = Named(new QCheckBox(gateTexts[i]), ("CheckBox" + std::to_string(i + 1)).c_str());
    neighbours_[i] = Named(new QComboBox, ("ComboBox" + std::to_string(i + 2)).c_str());
    // Long sector names must not widen the dialog.
    neighbours_[i]->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    neighbours_[i]->setMinimumContentsLength(kNeighbourChars);
    LimitDropDownRows(*neighbours_[i]);
    gates->addWidget(gates_[i], i + 1, 0);
    gates->addWidget(neighbours_[i], i + 1, 1);
    connect(gates_[i], &QCheckBox::toggled, this, [this] { CheckBox1Click(); });
    const TSide side = kSides[i];
    connect(neighbours_[i], &QComboBox::currentIndexChanged, this,
            [this, side] { NeighbourChange(side); });
  }
  gates->setColumnStretch(1, 1);
  return gates;
}

// The twelve places of the name label around a square for the sector:
// a place's codes are its row and column in a 5 x 5 grid, less 2.
QGroupBox* TSectorPropForm::BuildNamePlaceBox() {
  auto* nameBox = Named(new QGroupBox(" Sector name position "), "GroupBox1");
  // The place chosen stands out as the one dark button around the square.
  nameBox->setStyleSheet(
      "QToolButton { border: 1px solid palette(dark); background: palette(base); }"
      "QToolButton:checked { background: palette(highlight); }"
      "QToolButton:hover { border-color: palette(highlight); }");
  auto* places = new QGridLayout(nameBox);
  places->setSpacing(0);
  places->setAlignment(Qt::AlignCenter);
  nameGroup_ = new QButtonGroup(this);
  nameGroup_->setExclusive(true);
  for (int i = 0; i < 12; ++i) {
    auto* button = Named(new QToolButton, ("SpeedButton" + std::to_string(i + 1)).c_str());
    button->setCheckable(true);
    button->setFixedSize(kNameButtonSize, kNameButtonSize);
    button->setFocusPolicy(Qt::NoFocus);
    nameButtons_[i] = button;
    nameGroup_->addButton(button, i + 1);
    places->addWidget(button, kNamePlaces[i].dy + 2, kNamePlaces[i].dx + 2);
    connect(button, &QToolButton::clicked, this, [this, i] { SpeedButtonClick(i + 1); });
  }
  auto* square = Named(new QFrame, "Shape1");
  square->setFixedSize(kSquareSize, kSquareSize);
  square->setFrameShape(QFrame::Box);
  square->setAutoFillBackground(true);
  square->setBackgroundRole(QPalette::Mid);
  places->addWidget(square, 1, 1, 3, 3, Qt::AlignCenter);
  return nameBox;
}

// ---- Opening ----

void TSectorPropForm::Open(bool newSector, int x, int y) {
  ready_ = false;
  BusyGuard busy(busy_);
  Table& sectors = store_.SectorsData;
  sectors.SetIndexName("SectorsDataCoordIndex");
  // The flag decides, not the sign of the position: a sector may stand at a
  // negative position and is then edited like any other.
  const bool isNew = newSector || !store_.LocateSectorAt(x, y);
  editingExisting_ = !isNew;
  std::vector<std::string> names;
  if (isNew) {
    sectorId_ = 0;
    setWindowTitle(QString::fromStdString(texts_.NewCaption));
    edit1_->clear();
    edit4_->clear();
    edit5_->clear();
    comboBox1_->setCurrentIndex(-1);
    comboBox1_->setEditText("");
    suns_->setValue(0);
    cycle_->setValue(90);
    for (QCheckBox* gate : gates_)
      gate->setChecked(false);
    checkBox5_->setChecked(true);
    store_.FillSectorNames(names, "", false);
    FillNeighbourLists(names);
    nameDx_ = 0;
    nameDy_ = -2;
    PressNameButton(NameButtonFor(nameDx_, nameDy_));
  } else {
    const TSectorValues v = ReadSectorValues(store_);
    sectorId_ = store_.Fields().Sectors.Id->AsInteger();
    opening_ = v.pos;
    setWindowTitle(QString::fromStdString(texts_.EditCaption));
    edit1_->setText(QString::fromStdString(v.name));
    SetPositionEdits(v.pos);
    comboBox1_->setCurrentIndex(-1);
    comboBox1_->setEditText(QString::fromStdString(v.race));
    comboBox1_->lineEdit()->setCursorPosition(0);  // the start of the text in view
    for (int i = 0; i < 4; ++i)
      gates_[i]->setChecked(v.gates[i]);
    checkBox5_->setChecked(v.visible);
    suns_->setValue(v.suns);
    cycle_->setValue(v.solarCycle);
    store_.FillSectorNames(names, v.name, false);
    FillNeighbourLists(names);
    RefreshNeighbours();
    // A pair that is none of the twelve places stays as it is until a
    // button is clicked.
    nameDx_ = v.nameDx;
    nameDy_ = v.nameDy;
    const int button = NameButtonFor(nameDx_, nameDy_);
    PressNameButton(button != 0 ? button : 2);
  }
  // The same cycle as last time changes no text, but the language may have.
  Edit2Change();
  label7_->clear();
  UpdateEnabled();
  opened_ = ValuesFromControls();
  wrote_ = false;
  ready_ = true;
}

void TSectorPropForm::FillNeighbourLists(const std::vector<std::string>& names) {
  for (QComboBox* neighbour : neighbours_) {
    FillComboItems(*neighbour, names, true);
    QAbstractItemView* list = neighbour->view();
    list->setMinimumWidth(list->sizeHintForColumn(0) +
                          list->verticalScrollBar()->sizeHint().width());
  }
}

bool TSectorPropForm::Execute(bool newSector, int x, int y) {
  Open(newSector, x, y);
  return exec() == QDialog::Accepted && wrote_;
}

void TSectorPropForm::PressNameButton(int button) {
  if (button >= 1 && button <= 12) nameButtons_[button - 1]->setChecked(true);
}

void TSectorPropForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

void TSectorPropForm::FormActivate() {
  edit1_->setFocus();
  edit1_->selectAll();
}

// ---- Position and neighbours ----

TGridPos TSectorPropForm::TypedPosition() const {
  return {ReadNumber(*edit4_), ReadNumber(*edit5_)};
}

void TSectorPropForm::SetPositionEdits(TGridPos pos) {
  edit4_->setText(QString::number(pos.x));
  edit5_->setText(QString::number(pos.y));
}

void TSectorPropForm::UpdateEnabled() {
  for (int i = 0; i < 4; ++i)
    neighbours_[i]->setEnabled(gates_[i]->isChecked());
  button1_->setEnabled(!edit4_->text().isEmpty() && !edit5_->text().isEmpty() &&
                       label7_->text().isEmpty());
}

void TSectorPropForm::CheckBox1Click() {
  UpdateEnabled();
}

void TSectorPropForm::Edit4Change() {
  label7_->clear();
  UpdateEnabled();
  // Half a position says nothing yet: OK waits for both anyway.
  if (edit4_->text().isEmpty() || edit5_->text().isEmpty()) return;
  switch (CheckPosition(store_, TypedPosition(), editingExisting_ ? &opening_ : nullptr)) {
    case TPositionState::OutOfRange:
      label7_->setText(QString::fromStdString(FormatText(
          texts_.RangeText, {std::int64_t{kMinGridPosition}, std::int64_t{kMaxGridPosition}})));
      break;
    case TPositionState::Taken:
      label7_->setText(QString::fromStdString(texts_.DuplicateText));
      break;
    case TPositionState::Free:
      break;
  }
  UpdateEnabled();
}

void TSectorPropForm::Edit4Exit() {
  // The gates of a moved sector are not carried to its new place.
  if (editingExisting_ && TypedPosition() != opening_)
    for (QCheckBox* gate : gates_)
      gate->setChecked(false);
  RefreshNeighbours();
}

void TSectorPropForm::RefreshNeighbours() {
  const bool wasReady = ready_;
  ready_ = false;
  const std::array<std::string, 4> names = NeighbourNames(store_, TypedPosition());
  for (int i = 0; i < 4; ++i) {
    if (names[i].empty())
      neighbours_[i]->setCurrentIndex(-1);
    else
      SelectComboText(*neighbours_[i], names[i]);
  }
  ready_ = wasReady;
}

void TSectorPropForm::NeighbourChange(TSide side) {
  if (!ready_) return;
  const QComboBox& combo = *neighbours_[static_cast<int>(side)];
  if (combo.currentIndex() < 0) return;
  int nx = 0;
  int ny = 0;
  if (!store_.FindSectorByName(TextOf(combo), &nx, &ny)) return;
  SetPositionEdits(PlaceBeside(side, {nx, ny}));
  RefreshNeighbours();
}

bool TSectorPropForm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == edit4_ || watched == edit5_) && ready_)
    Edit4Exit();
  return QDialog::eventFilter(watched, event);
}

// ---- Other controls ----

void TSectorPropForm::SpeedButtonClick(int button) {
  if (button < 1 || button > 12) return;
  nameDx_ = kNamePlaces[button - 1].dx;
  nameDy_ = kNamePlaces[button - 1].dy;
  PressNameButton(button);
}

void TSectorPropForm::Edit2Change() {
  const int seconds = LeadingInteger(cycle_->cleanText().toStdString());
  label9_->setText(QString::fromStdString(FormatText(
      store_.Texts().TimeText, {std::int64_t{seconds / 60}, std::int64_t{seconds % 60}})));
}

// ---- Storing ----

TSectorValues TSectorPropForm::ValuesFromControls() const {
  TSectorValues v;
  v.name = edit1_->text().toStdString();
  v.pos = TypedPosition();
  v.race = comboBox1_->currentText().toStdString();
  for (int i = 0; i < 4; ++i)
    v.gates[i] = gates_[i]->isChecked();
  v.visible = checkBox5_->isChecked();
  v.suns = suns_->value();
  v.solarCycle = cycle_->value();
  v.nameDx = nameDx_;
  v.nameDy = nameDy_;
  return v;
}

void TSectorPropForm::Button1Click() {
  // Enter takes OK without leaving the position edit: leave it first, as a
  // click on the button does.
  if (QWidget* focus = focusWidget(); focus == edit4_ || focus == edit5_) Edit4Exit();
  if (!button1_->isEnabled()) return;
  CommitNumberBoxes(*this);
  const TSectorValues values = ValuesFromControls();
  if (editingExisting_ && values == opened_) {
    // Nothing was changed: the row stays as it is, values the controls
    // could not show included.
    stored_ = opening_;
    accept();
    return;
  }
  try {
    if (!StoreSector(store_, editingExisting_ ? sectorId_ : 0, values)) return;
  } catch (const std::exception& e) {
    dialogs_.ShowError(e.what());
    return;
  }
  stored_ = values.pos;
  wrote_ = true;
  accept();
}

void TSectorPropForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  texts_.EditCaption = ReadText(languageFile, kSection, "EditCaption", texts_.EditCaption);
  texts_.NewCaption = ReadText(languageFile, kSection, "NewCaption", texts_.NewCaption);
  texts_.DuplicateText = ReadText(languageFile, kSection, "DuplicateText", texts_.DuplicateText);
  texts_.RangeText = ReadText(languageFile, kSection, "RangeText", texts_.RangeText);
  Edit2Change();  // the store's time text is the new language's by now
  KeepDialogSize(*this);
}

}  // namespace qv
