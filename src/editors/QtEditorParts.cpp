#include "editors/QtEditorParts.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

#include "data/TextUtil.h"
#include "editors/QtDataGrid.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

namespace {

// Sees the Escape keys that reach a window (the grids pass one on when they
// have nothing to cancel, other controls always do).
class GridEscape : public QObject {
 public:
  GridEscape(QWidget& window, std::initializer_list<QtDataGrid*> grids) : QObject(&window) {
    for (QtDataGrid* grid : grids)
      grids_.emplace_back(grid);
    window.installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_Escape || key->modifiers() != Qt::NoModifier) return false;
    for (const QPointer<QtDataGrid>& grid : grids_)
      if (grid && grid->CancelStep()) return true;
    return false;
  }

 private:
  std::vector<QPointer<QtDataGrid>> grids_;
};

}  // namespace

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
  TDialogButtons buttons{MakePushButton(confirmName, confirmCaption, &dialog),
                         MakePushButton(cancelName, "Cancel", &dialog), new QHBoxLayout};
  buttons.confirm->setDefault(true);
  QObject::connect(buttons.confirm, &QPushButton::clicked, &dialog, std::move(confirm));
  QObject::connect(buttons.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  buttons.row->addStretch(1);
  buttons.row->addWidget(buttons.confirm);
  buttons.row->addWidget(buttons.cancel);
  return buttons;
}

void FixDialogSize(QWidget& dialog, int designedWidth, int designedHeight) {
  dialog.ensurePolished();  // the style's sizes, not those before it
  dialog.setMinimumSize(0, 0);
  dialog.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  if (QLayout* layout = dialog.layout()) {
    layout->invalidate();
    layout->activate();
  }
  dialog.setFixedSize(dialog.sizeHint().expandedTo(QSize(designedWidth, designedHeight)));
}

void KeepDialogSize(QWidget& dialog) {
  QLayout* layout = dialog.layout();
  if (!layout) return;
  dialog.ensurePolished();
  layout->invalidate();
  layout->activate();
  const QSize needed = layout->totalMinimumSize();
  const QSize fixed = dialog.size().expandedTo(needed);
  if (fixed != dialog.size()) dialog.setFixedSize(fixed);
}

int OuterWidthForColumns(const QWidget& window, const QtDataGrid& grid, int designed) {
  // The frame's borders are known once the window is shown; until then
  // room is kept for those of the common window managers.
  constexpr int kFrameAllowance = 16;
  const QLayout* layout = window.layout();
  const QMargins margins = layout ? layout->contentsMargins() : QMargins();
  const int frame =
      window.isVisible() ? window.frameGeometry().width() - window.width() : kFrameAllowance;
  return std::max(designed, grid.WidthForColumns() + margins.left() + margins.right() + frame);
}

QToolBar* MakeEditorToolBar(const char* name, QWidget* parent) {
  auto* bar = new QToolBar(parent);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setIconSize(QSize(20, 20));
  bar->setFloatable(false);
  bar->setMovable(false);
  return bar;
}

QToolButton* AddToolButton(QToolBar& bar, const char* name, const char* hint, ToolIcon icon,
                           std::function<void()> click) {
  auto* button = new QToolButton(&bar);
  button->setObjectName(QString::fromLatin1(name));
  // The button's own action carries the hint, as the main window's do.
  auto* action = new QAction(MakeToolIcon(icon), QString::fromUtf8(hint), button);
  action->setToolTip(QString::fromUtf8(hint));
  action->setStatusTip(action->toolTip());  // as a language file's hint sets both
  button->setDefaultAction(action);
  button->setAutoRaise(true);
  QObject::connect(action, &QAction::triggered, button, [click = std::move(click)] { click(); });
  bar.addWidget(button);
  return button;
}

void SetButtonEnabled(QToolButton& button, bool enabled) {
  button.defaultAction()->setEnabled(enabled);
}

bool ButtonEnabled(const QToolButton& button) {
  return button.defaultAction()->isEnabled();
}

QVBoxLayout* MakeGridPageLayout(QWidget& owner, bool inset) {
  auto* layout = new QVBoxLayout(&owner);
  if (inset)
    layout->setContentsMargins(4, 2, 4, 4);
  else
    layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  return layout;
}

QPushButton* MakePushButton(const char* name, const char* caption, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

void OnCtrlInsert(QWidget& scope, std::function<void()> add) {
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Insert), &scope);
  shortcut->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(shortcut, &QShortcut::activated, &scope, [add = std::move(add)] { add(); });
}

TColumn DesignedColumn(const char* field, int width, const char* title) {
  TColumn column;
  column.FieldName = field;
  column.Width = width;
  column.Title.Caption = title;
  return column;
}

void TranslateColumnTitles(QtDataGrid& grid, const IniFile& languageFile,
                           const std::string& section, const std::vector<TColumnTitleKey>& keys) {
  for (const TColumnTitleKey& title : keys) {
    const std::string text = ReadText(languageFile, section, title.key, "");
    if (!text.empty()) grid.SetColumnTitle(title.field, text);
  }
}

TColumn DesignedTextColumn(const char* field, int width, const char* title) {
  TColumn column = DesignedColumn(field, width, title);
  column.Align = Alignment::Left;
  return column;
}

bool StoreTypedRows(std::initializer_list<QtDataGrid*> grids) {
  for (QtDataGrid* grid : grids)
    if (grid->GetTable() && !grid->PostRow()) return false;
  return true;
}

void GridsTakeEscapeFirst(QWidget& window, std::initializer_list<QtDataGrid*> grids) {
  new GridEscape(window, grids);
}

bool AskDelete(Dialogs& dialogs, const TMainTexts& mainTexts, const std::string& pattern,
               const std::vector<FormatArg>& args) {
  return dialogs.AskYesNo(FormatText(pattern, args), mainTexts.DeleteCap);
}

}  // namespace qv
