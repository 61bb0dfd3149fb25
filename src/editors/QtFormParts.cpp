#include "editors/QtFormParts.h"

#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>

#include "data/TextUtil.h"
#include "settings/IniFile.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

QLabel* MakeLabel(const char* name, const char* text, QWidget* buddy) {
  auto* label = Named(new QLabel(QString::fromUtf8(text)), name);
  if (buddy) label->setBuddy(buddy);
  return label;
}

void SetBold(QWidget& widget) {
  QFont font = widget.font();
  font.setBold(true);
  widget.setFont(font);
}

void FillComboItems(QComboBox& combo, std::vector<std::string> items, bool sorted) {
  if (sorted) {
    // As a sorted list box orders: without regard to case, then by bytes.
    std::stable_sort(items.begin(), items.end(), [](const std::string& a, const std::string& b) {
      const int folded = CompareNoCase(a, b);
      return folded != 0 ? folded < 0 : a < b;
    });
  }
  const QSignalBlocker block(combo);
  combo.clear();
  for (const std::string& item : items)
    combo.addItem(QString::fromStdString(item));
  combo.setCurrentIndex(-1);
}

std::string TextOf(const QComboBox& combo) {
  return combo.currentText().toStdString();
}

void CentreOnScreen(QWidget& window) {
  const QRect area = WorkArea();
  window.move(area.x() + (area.width() - window.width()) / 2,
              area.y() + (area.height() - window.height()) / 2);
}

QHBoxLayout* MakePositionRow(QLineEdit* x, QLineEdit* y) {
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  for (QLineEdit* edit : {x, y})
    edit->setMaximumWidth(60);
  row->addWidget(x);
  row->addWidget(MakeLabel("Label3", " , "));
  row->addWidget(y);
  row->addStretch(1);
  return row;
}

TDialogButtons MakeDialogButtons(QDialog& dialog, const char* confirmName,
                                 const char* confirmCaption, const char* cancelName,
                                 std::function<void()> confirm) {
  TDialogButtons buttons{Named(new QPushButton(QString::fromUtf8(confirmCaption)), confirmName),
                         Named(new QPushButton("Cancel"), cancelName), new QHBoxLayout};
  buttons.confirm->setDefault(true);
  buttons.cancel->setAutoDefault(false);
  QObject::connect(buttons.confirm, &QPushButton::clicked, &dialog, std::move(confirm));
  QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  buttons.row->addStretch(1);
  buttons.row->addWidget(buttons.confirm);
  buttons.row->addWidget(buttons.cancel);
  return buttons;
}

void TranslateTexts(const IniFile& languageFile, const char* section,
                    std::initializer_list<std::pair<const char*, std::string*>> texts) {
  for (const auto& [key, text] : texts)
    *text = languageFile.ReadString(section, key, *text);
}

void FixDialogSize(QWidget& dialog, int designedWidth, int designedHeight) {
  dialog.setMinimumSize(0, 0);
  dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (QLayout* layout = dialog.layout()) {
    layout->invalidate();
    layout->activate();
  }
  dialog.setFixedSize(dialog.sizeHint().expandedTo(QSize(designedWidth, designedHeight)));
}

}  // namespace qv
