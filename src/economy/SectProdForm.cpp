#include "economy/SectProdForm.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "data/IniFile.h"
#include "economy/SectorProducts.h"
#include "settings/LanguageFile.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "widgets/QtListGrid.h"

namespace qv {

namespace {

constexpr int kDesignedWidth = 225;
constexpr int kDesignedHeight = 315;
constexpr int kRowHeight = 18;
constexpr int kPlainColumns = 4;  // product, T, P, N; the rate columns follow
constexpr const char* kSettingsSection = "SectorProdWindow";
constexpr const char* kLanguageSection = "SectProdForm";
constexpr const char* kWidthKeys[TSectProdForm::kColumns] = {
    "ProdCol", "TradeCol", "SellCol", "BuyCol", "ProdRateCol", "ConsRateCol"};
constexpr const char* kTitleKeys[TSectProdForm::kColumns] = {
    "HDR_Product", "HDR_Tr", "HDR_Pr", "HDR_Nd", "HDR_ProdRate", "HDR_ConsRate"};

}  // namespace

TSectProdForm::TSectProdForm(TDataModule1& store, QWidget* parent)
    : QWidget(parent, Qt::Tool), store_(store) {
  setObjectName("SectProdForm");
  setWindowTitle("Sector products");
  // The window follows the map's selection: showing it must leave the
  // keyboard on the map, where the arrow keys move the selection.
  setAttribute(Qt::WA_ShowWithoutActivating);

  label1_ = new QLabel(this);
  label1_->setObjectName("Label1");
  QFont bold = label1_->font();
  bold.setBold(true);
  label1_->setFont(bold);
  // A long sector name must not widen the small window.
  label1_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  checkBox1_ = new QCheckBox("Rates", this);
  checkBox1_->setObjectName("CheckBox1");
  checkBox1_->setToolTip("Show the units per hour made and needed");
  connect(checkBox1_, &QCheckBox::toggled, this, [this] { CheckBox1Click(); });

  grid_ = new QTableWidget(this);
  grid_->setObjectName("StringGrid1");
  SetUpListGrid(*grid_, kRowHeight);
  QHeaderView* header = grid_->horizontalHeader();
  // A column border dragged by the player is kept at once.
  connect(header, &QHeaderView::sectionResized, this, [this] {
    if (!filling_) SaveColumnWidths();
  });

  auto* top = new QHBoxLayout;
  top->addWidget(label1_, 1);
  top->addWidget(checkBox1_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(top);
  layout->addWidget(grid_, 1);

  resize(kDesignedWidth, kDesignedHeight);
  grid_->setColumnCount(kPlainColumns);
  ApplyColumns();
  ClearGrid();
}

TSectProdForm::~TSectProdForm() = default;

bool TSectProdForm::Rates() const {
  return checkBox1_->isChecked();
}

QString TSectProdForm::SectorName() const {
  return label1_->text();
}

void TSectProdForm::ShowSector(int x, int y) {
  Show(BuildSectorProducts(store_, x, y, Rates()), x, y);
}

void TSectProdForm::ShowNoSector() {
  Show(TSectorProducts{}, -1, -1);
}

void TSectProdForm::Show(const TSectorProducts& list, int x, int y) {
  const bool rates = Rates();
  sectorShown_ = list.found;
  shownX_ = list.found ? x : -1;
  shownY_ = list.found ? y : -1;

  const int rows = static_cast<int>(list.rows.size());
  filling_ = true;
  grid_->clearContents();
  grid_->setColumnCount(rates ? kColumns : kPlainColumns);
  grid_->setRowCount(std::max(rows, 1));
  ApplyColumns();
  filling_ = false;
  if (rows == 0) {
    ClearGrid();
    return;
  }

  label1_->setText(QString::fromStdString(list.sectorName));
  label1_->setToolTip(label1_->text());
  for (int r = 0; r < rows; ++r) {
    const std::vector<std::string>& cells = list.rows[r];
    for (int c = 0; c < static_cast<int>(cells.size()) && c < grid_->columnCount(); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(cells[c]));
      // Counts and rates line up on their last digit.
      if (c > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      grid_->setItem(r, c, item);
    }
  }
  // A count or rate cut to "..." would mislead: its column grows to show it
  // whole. The widths kept are the player's, unless he drags a border now.
  filling_ = true;
  const QAbstractItemView& view = *grid_;  // where the size hint is public
  for (int c = 1; c < grid_->columnCount(); ++c)
    grid_->horizontalHeader()->resizeSection(
        c, std::max(grid_->columnWidth(c), view.sizeHintForColumn(c)));
  filling_ = false;
  grid_->setEnabled(true);
}

void TSectProdForm::ClearGrid() {
  label1_->clear();
  label1_->setToolTip(QString());
  filling_ = true;
  grid_->clearContents();
  grid_->setRowCount(1);
  filling_ = false;
  grid_->setEnabled(false);
}

void TSectProdForm::SaveColumnWidths() {
  const int shown = std::min(grid_->columnCount(), Rates() ? kColumns : kPlainColumns);
  for (int i = 0; i < shown; ++i)
    widths_[i] = grid_->columnWidth(i);
}

// Titles, hints and widths of the columns the grid has.
void TSectProdForm::ApplyColumns() {
  const bool filling = filling_;
  filling_ = true;
  QHeaderView* header = grid_->horizontalHeader();
  for (int i = 0; i < grid_->columnCount(); ++i) {
    auto* title = new QTableWidgetItem(QString::fromStdString(titles_[i]));
    title->setToolTip(QString::fromStdString(titleHints_[i]));
    grid_->setHorizontalHeaderItem(i, title);
    header->resizeSection(i, std::max(widths_[i], header->minimumSectionSize()));
  }
  filling_ = filling;
}

void TSectProdForm::CheckBox1Click() {
  if (!isVisible()) return;
  if (sectorShown_)
    ShowSector(shownX_, shownY_);
  else
    ShowNoSector();
}

void TSectProdForm::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

void TSectProdForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kLanguageSection);
  for (int i = 0; i < kColumns; ++i) {
    titles_[i] = ReadText(languageFile, kLanguageSection, kTitleKeys[i], titles_[i]);
    titleHints_[i] = ReadText(languageFile, kLanguageSection, std::string(kTitleKeys[i]) + "Hint",
                              titleHints_[i]);
  }
  // The box keeps its right edge: the layout grows it to the left.
  const int width = languageFile.ReadInteger(kLanguageSection, "CheckBox1Width", 0);
  if (width > 0) checkBox1_->setMinimumWidth(width);
  ApplyColumns();
}

void TSectProdForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kSettingsSection, kDesignedWidth, kDesignedHeight, false,
                      true);
  if (!settings) return;
  for (int i = 0; i < kColumns; ++i)
    widths_[i] = settings->ReadInteger(kSettingsSection, kWidthKeys[i], widths_[i]);
  checkBox1_->setChecked(settings->ReadBool(kSettingsSection, "Rates", false));
  ApplyColumns();
}

void TSectProdForm::WriteSettings(IniFile* settings) {
  if (!settings) return;
  SaveWindowPlacement(settings, *this, kSettingsSection);
  for (int i = 0; i < kColumns; ++i)
    settings->WriteInteger(kSettingsSection, kWidthKeys[i], widths_[i]);
  settings->WriteBool(kSettingsSection, "Rates", Rates());
}

}  // namespace qv
