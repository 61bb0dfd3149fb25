#include "settings/QtFontColorDialog.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>

#include "settings/QtColorPicking.h"
#include "settings/QtColors.h"
#include "settings/QtFonts.h"

namespace qv {

namespace {

// Qt's dialog has two group boxes: the effects (underline and strikeout
// boxes) and the sample (one line of text).
QGroupBox* EffectsGroup(QFontDialog& dialog) {
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
    if (!group->findChildren<QCheckBox*>().isEmpty()) return group;
  return nullptr;
}

// The font as the dialog can show it. A face the system does not have
// ("Arial" where fontconfig stands in another face for it) becomes the face
// that is drawn, and the style is named after one of the face's own styles:
// Qt's dialog otherwise selects a family or style of its own choosing (the
// first style listed, "Oblique" for DejaVu Sans), and a confirmed dialog
// would change a font the player never touched.
QFont AsListed(const TFontParams& font) {
  QFont shown = ToQFont(font);
  QString family = shown.family();
  if (!QFontDatabase::families().contains(family)) family = QFontInfo(shown).family();
  shown.setFamily(family);
  const int wantedWeight = shown.bold() ? QFont::Bold : QFont::Normal;
  int bestScore = -1;
  for (const QString& style : QFontDatabase::styles(family)) {
    // Qt reports an "Oblique" style upright; the name tells.
    const bool italic = QFontDatabase::italic(family, style) ||
                        style.contains("Italic", Qt::CaseInsensitive) ||
                        style.contains("Oblique", Qt::CaseInsensitive);
    if (italic != shown.italic()) continue;
    if ((QFontDatabase::weight(family, style) >= QFont::DemiBold) != shown.bold()) continue;
    // Plain widths first, then the weight nearest to regular or bold.
    const int score = (style.contains("Condensed", Qt::CaseInsensitive) ? 10000 : 0) +
                      std::abs(QFontDatabase::weight(family, style) - wantedWeight);
    if (bestScore < 0 || score < bestScore) {
      bestScore = score;
      shown.setStyleName(style);
    }
  }
  return shown;
}

QLineEdit* SampleText(QFontDialog& dialog) {
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>())
    if (group->findChildren<QCheckBox*>().isEmpty())
      if (auto* sample = group->findChild<QLineEdit*>()) return sample;
  return nullptr;
}

}  // namespace

QtFontColorDialog::QtFontColorDialog(const TFontParams& font, bool showEffects, Dialogs& dialogs,
                                     CustomColorList& customColors, const QString& colorText,
                                     QWidget* parent)
    : QFontDialog(parent),
      dialogs_(dialogs),
      customColors_(customColors),
      given_(font),
      color_(font.Color),
      showEffects_(showEffects) {
  // Only Qt's own dialog can take the colour button.
  setOption(QFontDialog::DontUseNativeDialog);
  const QFont shown = AsListed(font);
  shownFamily_ = shown.family();
  setCurrentFont(shown);

  colorLabel_ = new QLabel(colorText, this);
  colorLabel_->setObjectName("ColorLabel");
  colorButton_ = new QPushButton(this);
  colorButton_->setObjectName("ColorButton");
  colorButton_->setAutoDefault(false);
  colorLabel_->setBuddy(colorButton_);
  MakeColorGlyph(*colorButton_, 30, 12, color_);
  connect(colorButton_, &QPushButton::clicked, this, [this] { ColorButtonClick(); });

  // The colour goes with the other effects, as the player knows it from the
  // system's font dialog; below everything should Qt lay its dialog out
  // otherwise.
  auto* row = new QHBoxLayout;
  row->addWidget(colorLabel_);
  row->addWidget(colorButton_);
  row->addStretch(1);
  QGroupBox* effects = EffectsGroup(*this);
  if (auto* box = effects ? qobject_cast<QBoxLayout*>(effects->layout()) : nullptr)
    box->addLayout(row);
  else if (auto* grid = qobject_cast<QGridLayout*>(layout()))
    grid->addLayout(row, grid->rowCount(), 0, 1, grid->columnCount());
  else
    delete row;
  if (!showEffects_) {
    if (effects) effects->hide();
    colorLabel_->hide();
    colorButton_->hide();
  }
  ShowColorInSample();
}

TFontParams QtFontColorDialog::Chosen() const {
  const QFont current = currentFont();
  TFontParams chosen = FromQFont(current, given_);
  // The face the player left alone keeps the name it is stored under.
  if (current.family() == shownFamily_) chosen.Name = given_.Name;
  if (showEffects_) {
    chosen.Color = color_;
  } else {
    const unsigned effects = kFontUnderline | kFontStrikeOut;
    chosen.Style = (chosen.Style & ~effects) | (given_.Style & effects);
  }
  return chosen;
}

void QtFontColorDialog::ColorButtonClick() {
  if (PickColor(dialogs_, *colorButton_, color_, customColors_)) ShowColorInSample();
}

void QtFontColorDialog::ShowColorInSample() {
  QLineEdit* sample = SampleText(*this);
  if (!sample) return;
  QPalette palette = sample->palette();
  palette.setColor(QPalette::Text, ToQColor(showEffects_ ? color_ : given_.Color));
  sample->setPalette(palette);
}

}  // namespace qv
