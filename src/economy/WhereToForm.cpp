#include "economy/WhereToForm.h"

#include <QAbstractTableModel>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>
#include <tuple>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/TextUtil.h"
#include "map/FormatStatValue.h"
#include "settings/CommaText.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "widgets/QtListGrid.h"

namespace qv {

namespace {

constexpr int kDesignedWidth = 400;
constexpr int kDesignedHeight = 380;
constexpr int kRowHeight = 18;
constexpr const char* kSettingsSection = "WhereToWindow";
constexpr const char* kLanguageSection = "WhereToForm";
constexpr const char* kWidthKeys[TWhereToForm::kColumns] = {"SectorCol", "JumpsCol", "CountCol",
                                                            "RateCol"};
constexpr const char* kTitleKeys[TWhereToForm::kColumns] = {"HDR_Sector", "HDR_Jumps", "HDR_Count",
                                                            "HDR_Rate"};

// The first "%s" of a pattern from a language file replaced by a text.
std::string WithText(const std::string& pattern, const std::string& text) {
  const std::string::size_type at = pattern.find("%s");
  if (at == std::string::npos) return pattern;
  return pattern.substr(0, at) + text + pattern.substr(at + 2);
}

std::string SectorText(const TJumpSector& s) {
  return s.name + " (" + std::to_string(s.x) + "," + std::to_string(s.y) + ")";
}

}  // namespace

// The results as the grid shows them; a model rather than a grid of items,
// as a large universe gives tens of thousands of rows.
class WhereToModel : public QAbstractTableModel {
 public:
  WhereToModel(const TJumpGraph& graph, const TWhereToTexts& texts, QObject* parent)
      : QAbstractTableModel(parent), graph_(graph), texts_(texts) {}

  void SetRows(std::vector<TWhereToRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
  }
  const std::vector<TWhereToRow>& Rows() const { return rows_; }
  void TitlesChanged() { emit headerDataChanged(Qt::Horizontal, 0, TWhereToForm::kColumns - 1); }

  int rowCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
  }
  int columnCount(const QModelIndex& parent = {}) const override {
    return parent.isValid() ? 0 : TWhereToForm::kColumns;
  }

  QString Text(int row, int column) const {
    const TWhereToRow& r = rows_[static_cast<std::size_t>(row)];
    switch (column) {
      case 0:
        return QString::fromStdString(SectorText(graph_.Sector(r.node)));
      case 1:
        return r.jumps >= 0 ? QString::number(r.jumps) : QStringLiteral("-");
      case 2:
        return QString::number(r.count);
      default:
        return r.rate > 0.0 ? QString::fromStdString(FormatStatValue(r.rate, true)) : QString();
    }
  }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    if (role == Qt::DisplayRole) return Text(index.row(), index.column());
    if (role == Qt::ToolTipRole && index.column() == 0) return Text(index.row(), 0);
    // Counts and rates line up on their last digit.
    if (role == Qt::TextAlignmentRole && index.column() > 0)
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    return {};
  }

  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    if (orientation != Qt::Horizontal || section < 0 || section >= TWhereToForm::kColumns)
      return {};
    const auto i = static_cast<std::size_t>(section);
    if (role == Qt::DisplayRole) return QString::fromStdString(texts_.Titles[i]);
    if (role == Qt::ToolTipRole) return QString::fromStdString(texts_.TitleHints[i]);
    return {};
  }

 private:
  const TJumpGraph& graph_;
  const TWhereToTexts& texts_;
  std::vector<TWhereToRow> rows_;
};

TWhereToForm::TWhereToForm(TDataModule1& store, BusyCursor* busy, QWidget* parent)
    : QWidget(parent, Qt::Tool), store_(store), busy_(busy) {
  setObjectName("WhereToForm");
  setWindowTitle("Where to");

  label1_ = new QLabel("&Product:", this);
  label1_->setObjectName("Label1");
  comboBox1_ = new QComboBox(this);
  comboBox1_->setObjectName("ComboBox1");
  comboBox1_->setToolTip("The product to look for");
  label1_->setBuddy(comboBox1_);
  label2_ = new QLabel("&Role:", this);
  label2_->setObjectName("Label2");
  comboBox2_ = new QComboBox(this);
  comboBox2_->setObjectName("ComboBox2");
  comboBox2_->setToolTip("What the sectors do with the product");
  label2_->setBuddy(comboBox2_);
  checkBox1_ = new QCheckBox("&Only reachable", this);
  checkBox1_->setObjectName("CheckBox1");
  checkBox1_->setToolTip("Leave out the sectors no route leads to");
  label3_ = new QLabel(this);
  label3_->setObjectName("Label3");
  // A long sector name must not widen the window.
  label3_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);

  model_ = new WhereToModel(graph_, texts_, this);
  grid_ = new QTableView(this);
  grid_->setObjectName("StringGrid1");
  grid_->setModel(model_);
  SetUpListGrid(*grid_, kRowHeight);
  QHeaderView* header = grid_->horizontalHeader();
  connect(header, &QHeaderView::sectionResized, this, [this](int column, int, int width) {
    if (!filling_ && column >= 0 && column < kColumns)
      widths_[static_cast<std::size_t>(column)] = width;
  });
  connect(grid_, &QTableView::doubleClicked, this,
          [this](const QModelIndex& index) { ChooseRow(index.row()); });
  grid_->installEventFilter(this);

  auto* choices = new QGridLayout;
  choices->addWidget(label1_, 0, 0);
  choices->addWidget(comboBox1_, 0, 1);
  choices->addWidget(label2_, 1, 0);
  choices->addWidget(comboBox2_, 1, 1);
  choices->addWidget(checkBox1_, 2, 1);
  choices->setColumnStretch(1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->setSpacing(4);
  layout->addLayout(choices);
  layout->addWidget(label3_);
  layout->addWidget(grid_, 1);

  connect(comboBox1_, &QComboBox::currentIndexChanged, this, [this] {
    if (filling_) return;
    chosenProduct_ = comboBox1_->currentData().toInt();
    Search();
  });
  connect(comboBox2_, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) Search();
  });
  connect(checkBox1_, &QCheckBox::toggled, this, [this] { Search(); });

  resize(kDesignedWidth, kDesignedHeight);
  filling_ = true;
  for (const std::string& role : texts_.Roles)
    comboBox2_->addItem(QString::fromStdString(role));
  filling_ = false;
  ApplyColumnWidths();
  ApplyTexts();
}

TWhereToForm::~TWhereToForm() = default;

QString TWhereToForm::StartText() const {
  return label3_->text();
}

int TWhereToForm::RowCount() const {
  return model_->rowCount();
}

QString TWhereToForm::CellText(int row, int column) const {
  return model_->Text(row, column);
}

void TWhereToForm::ShowFrom(std::optional<std::pair<int, int>> selected, bool showHidden,
                            const TRouteOptions& options) {
  showHidden_ = showHidden;
  options_ = options;
  startId_.reset();
  if (selected) {
    graph_.Update(store_, showHidden_);
    const int node = graph_.NodeAt(selected->first, selected->second);
    if (node >= 0) startId_ = graph_.Sector(node).id;
  }
  Search();
}

void TWhereToForm::Refresh() {
  Search();
}

void TWhereToForm::FillProducts() {
  const Table& products = store_.ProductsData;
  if (products.RowsVersion() == productsVersion_) return;
  productsVersion_ = products.RowsVersion();
  struct Item {
    int type;
    std::string name;
    int id;
  };
  const TProductsFields& f = store_.Fields().Products;
  std::vector<Item> items;
  for (const Record& row : products.AllRecords())
    items.push_back(
        {f.Type.Of(row).ToInteger(), f.Name.Of(row).ToString(), f.Id.Of(row).ToInteger()});
  // As the product types are listed: by type, then name.
  std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
    if (a.type != b.type) return a.type < b.type;
    if (const int folded = CompareNoCase(a.name, b.name); folded != 0) return folded < 0;
    return std::tie(a.name, a.id) < std::tie(b.name, b.id);
  });
  filling_ = true;
  comboBox1_->clear();
  for (const Item& item : items)
    comboBox1_->addItem(QString::fromStdString(item.name), item.id);
  const int kept = comboBox1_->findData(chosenProduct_);
  comboBox1_->setCurrentIndex(kept >= 0 ? kept : 0);
  filling_ = false;
  if (comboBox1_->currentIndex() >= 0) chosenProduct_ = comboBox1_->currentData().toInt();
}

void TWhereToForm::Search() {
  BusyGuard busy(busy_);
  graph_.Update(store_, showHidden_);
  FillProducts();
  int startNode = startId_ ? graph_.NodeOfId(*startId_) : -1;
  if (startNode < 0) startId_.reset();
  label3_->setText(startId_ ? QString::fromStdString(
                                  WithText(texts_.FromText, SectorText(graph_.Sector(startNode))))
                            : QString::fromStdString(texts_.NoStartText));
  label3_->setToolTip(label3_->text());
  if (comboBox1_->currentIndex() < 0) {
    model_->SetRows({});
    return;
  }
  TWhereToQuery query;
  query.productId = comboBox1_->currentData().toInt();
  query.role = static_cast<TWhereRole>(std::clamp(comboBox2_->currentIndex(), 0, 2));
  query.fromNode = startNode;
  query.route = options_;
  query.onlyReachable = checkBox1_->isChecked();
  model_->SetRows(FindWhereTo(store_, graph_, query));
}

void TWhereToForm::ChooseRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  const TJumpSector& s = graph_.Sector(model_->Rows()[static_cast<std::size_t>(row)].node);
  emit routeChosen(startId_.value_or(-1), s.id, s.x, s.y);
}

bool TWhereToForm::event(QEvent* event) {
  // The main window's commands reach its tool windows, but the keys that
  // work the grid and the boxes here (Enter, Del, Home, End, the arrows)
  // belong to them, not to the map.
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers =
        key->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
    const bool ownKey = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                        key->key() == Qt::Key_Delete || key->key() == Qt::Key_Home ||
                        key->key() == Qt::Key_End || key->key() == Qt::Key_Insert ||
                        (key->key() >= Qt::Key_Left && key->key() <= Qt::Key_PageDown);
    if (modifiers == Qt::NoModifier && ownKey) {
      event->accept();
      return true;
    }
  }
  return QWidget::event(event);
}

bool TWhereToForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == grid_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ChooseRow(grid_->currentIndex().row());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

// The player's widths, but never so narrow that a title is cut: a
// language's longer titles widen their columns.
void TWhereToForm::ApplyColumnWidths() {
  filling_ = true;
  QHeaderView* header = grid_->horizontalHeader();
  for (int i = 0; i < kColumns; ++i)
    header->resizeSection(i, std::max({widths_[static_cast<std::size_t>(i)],
                                       header->minimumSectionSize(), header->sectionSizeHint(i)}));
  filling_ = false;
}

void TWhereToForm::ApplyTexts() {
  filling_ = true;
  for (int i = 0; i < comboBox2_->count() && i < static_cast<int>(texts_.Roles.size()); ++i)
    comboBox2_->setItemText(i, QString::fromStdString(texts_.Roles[static_cast<std::size_t>(i)]));
  filling_ = false;
  model_->TitlesChanged();
  ApplyColumnWidths();
  grid_->setToolTip(QString::fromStdString(texts_.GridHint));
  if (!startId_) label3_->setText(QString::fromStdString(texts_.NoStartText));
}

void TWhereToForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kLanguageSection);
  texts_.FromText = ReadText(languageFile, kLanguageSection, "FromText", texts_.FromText);
  texts_.NoStartText = ReadText(languageFile, kLanguageSection, "NoStartText", texts_.NoStartText);
  texts_.GridHint = ReadText(languageFile, kLanguageSection, "GridHint", texts_.GridHint);
  const std::vector<std::string> current(texts_.Roles.begin(), texts_.Roles.end());
  const std::vector<std::string> roles =
      SplitCommaText(ReadText(languageFile, kLanguageSection, "RoleList", JoinCommaText(current)));
  // The roles are told apart by their place: a shorter list cannot stand for them.
  if (roles.size() >= texts_.Roles.size())
    std::copy_n(roles.begin(), texts_.Roles.size(), texts_.Roles.begin());
  for (std::size_t i = 0; i < kColumns; ++i) {
    texts_.Titles[i] = ReadText(languageFile, kLanguageSection, kTitleKeys[i], texts_.Titles[i]);
    texts_.TitleHints[i] = ReadText(languageFile, kLanguageSection,
                                    std::string(kTitleKeys[i]) + "Hint", texts_.TitleHints[i]);
  }
  ApplyTexts();
  if (startId_ && isVisible()) Search();
}

void TWhereToForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kSettingsSection, kDesignedWidth, kDesignedHeight, true,
                      false);
  if (!settings) return;
  for (std::size_t i = 0; i < kColumns; ++i)
    widths_[i] = settings->ReadInteger(kSettingsSection, kWidthKeys[i], widths_[i]);
  ApplyColumnWidths();
  chosenProduct_ = settings->ReadInteger(kSettingsSection, "Product", 0);
  filling_ = true;
  comboBox2_->setCurrentIndex(std::clamp(settings->ReadInteger(kSettingsSection, "Role", 0), 0, 2));
  filling_ = false;
  const QSignalBlocker blocker(checkBox1_);
  checkBox1_->setChecked(settings->ReadBool(kSettingsSection, "Reachable", false));
}

void TWhereToForm::WriteSettings(IniFile* settings) {
  if (!settings) return;
  SaveWindowPlacement(settings, *this, kSettingsSection);
  for (std::size_t i = 0; i < kColumns; ++i)
    settings->WriteInteger(kSettingsSection, kWidthKeys[i], widths_[i]);
  if (comboBox1_->currentIndex() >= 0) chosenProduct_ = comboBox1_->currentData().toInt();
  settings->WriteInteger(kSettingsSection, "Product", chosenProduct_);
  settings->WriteInteger(kSettingsSection, "Role", comboBox2_->currentIndex());
  settings->WriteBool(kSettingsSection, "Reachable", checkBox1_->isChecked());
}

}  // namespace qv
