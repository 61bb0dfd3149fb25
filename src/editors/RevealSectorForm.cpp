#include "editors/RevealSectorForm.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <exception>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/TextUtil.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtEditorParts.h"
#include "editors/SectorCommands.h"
#include "map/MapGeometry.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

namespace {

constexpr const char* kSection = "RevealSectorForm";
constexpr int kDesignedWidth = 300;
constexpr int kDesignedHeight = 210;

// The side of the chosen sector each direction button names; with no button
// down the sector west of it.
constexpr std::array<TSide, 4> kButtonSides = {TSide::North, TSide::South, TSide::East,
                                               TSide::West};

}  // namespace

TRevealSectorForm::TRevealSectorForm(TDataModule1& store, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), store_(store), dialogs_(dialogs) {
  setObjectName("RevealSectorForm");
  setWindowTitle("Reveal invisible sector");
  UseDialogFrame(*this);
  BuildControls();
}

TRevealSectorForm::~TRevealSectorForm() = default;

void TRevealSectorForm::BuildControls() {
  edit4_ = Named(new QLineEdit, "Edit4");
  edit5_ = Named(new QLineEdit, "Edit5");
  for (QLineEdit* edit : {edit4_, edit5_})
    connect(edit, &QLineEdit::textChanged, this, [this] { Edit4Change(); });
  edit4_->installEventFilter(this);
  label1_ = MakeBoldLabel("Label1", "");
  label1_->setAlignment(Qt::AlignCenter);

  auto* absolute = Named(new QGroupBox(" Absolute "), "GroupBox1");
  auto* absoluteGrid = new QGridLayout(absolute);
  absoluteGrid->addWidget(MakeLabel("Label2", "&Position:", edit4_), 0, 0);
  absoluteGrid->addLayout(MakePositionRow(edit4_, edit5_), 0, 1);
  absoluteGrid->addWidget(label1_, 1, 0, 1, 2);

  comboBox5_ = Named(new QComboBox, "ComboBox5");
  comboBox5_->setMinimumContentsLength(18);
  LimitDropDownRows(*comboBox5_);
  connect(comboBox5_, &QComboBox::currentIndexChanged, this, [this] { ComboBox5Change(); });
  auto* relative = Named(new QGroupBox(" Relative "), "GroupBox2");
  auto* relativeRow = new QHBoxLayout(relative);
  relativeRow->addWidget(comboBox5_, 1);
  const char* captions[4] = {"N", "S", "E", "W"};
  const char* hints[4] = {"North of the chosen sector", "South of the chosen sector",
                          "East of the chosen sector", "West of the chosen sector"};
  for (int i = 0; i < 4; ++i) {
    auto* button = Named(new QToolButton, ("SpeedButton" + std::to_string(i + 1)).c_str());
    button->setText(captions[i]);
    button->setToolTip(hints[i]);
    button->setCheckable(true);
    button->setMinimumWidth(26);
    directions_[i] = button;
    relativeRow->addWidget(button);
    connect(button, &QToolButton::clicked, this, [this, i] { DirectionClick(i + 1); });
  }

  const TDialogButtons buttons =
      MakeDialogButtons(*this, "Button1", "OK", "Button2", [this] { Button1Click(); });
  button1_ = buttons.confirm;

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(10, 10, 10, 10);
  layout->addWidget(absolute);
  layout->addWidget(relative);
  layout->addStretch(1);
  layout->addLayout(buttons.row);
  FixDialogSize(*this, kDesignedWidth, kDesignedHeight);
}

bool TRevealSectorForm::Execute() {
  FormShow();
  return exec() == QDialog::Accepted;
}

void TRevealSectorForm::FormShow() {
  edit4_->clear();
  edit5_->clear();
  button1_->setEnabled(false);
  label1_->clear();
  std::vector<std::string> names;
  store_.FillSectorNames(names, "", true);
  FillComboItems(*comboBox5_, names, true);
  for (QAbstractButton* button : directions_)
    button->setChecked(false);
  edit4_->setFocus();
}

void TRevealSectorForm::Edit4Change() {
  const bool both = !edit4_->text().isEmpty() && !edit5_->text().isEmpty();
  if (both) {
    const TGridPos pos{LeadingInteger(edit4_->text().toStdString()),
                       LeadingInteger(edit5_->text().toStdString())};
    switch (HiddenStateAt(store_, pos)) {
      case THiddenState::NotFound:
        label1_->setText(QString::fromStdString(texts_.NotFound));
        break;
      case THiddenState::AlreadyVisible:
        label1_->setText(QString::fromStdString(texts_.AlreadyVisible));
        break;
      case THiddenState::Hidden:
        label1_->clear();
        break;
    }
  }
  button1_->setEnabled(both && label1_->text().isEmpty());
}

void TRevealSectorForm::Edit4KeyDown() {
  for (QAbstractButton* button : directions_)
    button->setChecked(false);
}

bool TRevealSectorForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit4_ && event->type() == QEvent::KeyPress) Edit4KeyDown();
  return QDialog::eventFilter(watched, event);
}

void TRevealSectorForm::DirectionClick(int button) {
  // One button of the group down at most; a click on the one down releases it.
  for (int i = 0; i < 4; ++i)
    if (i != button - 1) directions_[i]->setChecked(false);
  ComboBox5Change();
}

void TRevealSectorForm::ComboBox5Change() {
  int down = -1;
  for (int i = 0; i < 4; ++i)
    if (directions_[i]->isChecked()) down = i;
  const bool chosen = comboBox5_->currentIndex() >= 0;
  if (down < 0 && chosen) return;  // no direction yet
  int nx = 0;
  int ny = 0;
  if (!chosen || !store_.FindSectorByName(TextOf(*comboBox5_), &nx, &ny)) return;
  const TGridPos pos = NeighbourOf(down < 0 ? TSide::West : kButtonSides[down], {nx, ny});
  edit4_->setText(QString::number(pos.x));
  edit5_->setText(QString::number(pos.y));
}

void TRevealSectorForm::Button1Click() {
  if (!button1_->isEnabled()) return;
  const TGridPos pos{LeadingInteger(edit4_->text().toStdString()),
                     LeadingInteger(edit5_->text().toStdString())};
  try {
    if (!RevealSectorAt(store_, pos.x, pos.y)) return;
  } catch (const std::exception& e) {
    dialogs_.ShowError(e.what());
    return;
  }
  revealed_ = pos;
  accept();
}

void TRevealSectorForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  texts_.NotFound = ReadText(languageFile, kSection, "NotFound", texts_.NotFound);
  texts_.AlreadyVisible = ReadText(languageFile, kSection, "AlreadyVisible", texts_.AlreadyVisible);
  FixDialogSize(*this, kDesignedWidth, kDesignedHeight);
}

}  // namespace qv
