#include "editors/FactoriesForm.h"

#include <QActionGroup>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QSplitter>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/StoreOperations.h"
#include "editors/ProductsForm.h"
#include "editors/QtColumnLayout.h"
#include "editors/QtDataGrid.h"
#include "editors/QtEditorParts.h"
#include "editors/QtElidedLabel.h"
#include "editors/QtTableModel.h"
#include "editors/TypeEditing.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "settings/Settings.h"

namespace qv {

namespace {

constexpr const char* kSection = "FactoriesForm";
constexpr const char* kPlacementSection = "FactoriesWindow";
// The designed size; a first start opens wider when the designed columns
// need it, so that none of them hides behind the grid's side scroll.
constexpr int kDesignedWidth = 430;
constexpr int kDesignedHeight = 380;
constexpr int kNameRows = 15;

QWidget* MakePanel(const char* name, QWidget* parent) {
  auto* panel = new QWidget(parent);
  panel->setObjectName(QString::fromLatin1(name));
  return panel;
}

}  // namespace

TFactoriesForm::TFactoriesForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
                               std::string programFolder, TProductsForm& products, QWidget* parent)
    : QDialog(parent),
      store_(store),
      dialogs_(dialogs),
      mainTexts_(mainTexts),
      programFolder_(std::move(programFolder)),
      products_(products) {
  setObjectName("FactoriesForm");
  setWindowTitle("Factories");
  BuildControls();
  dbGrid1_->SetRowWriter(store_.RowWriter());
  dbGrid2_->SetRowWriter(store_.RowWriter());
  resize(FirstRunWidth(), kDesignedHeight);
  UpdateButtonStates();
}

TFactoriesForm::~TFactoriesForm() = default;

int TFactoriesForm::FirstRunWidth() const {
  return OuterWidthForColumns(*this, *dbGrid1_, kDesignedWidth);
}

void TFactoriesForm::BuildControls() {
  QWidget* types = BuildTypesPanel();
  QWidget* recipe = BuildRecipePanel();
  splitter_ = new QSplitter(Qt::Vertical, this);
  splitter_->setObjectName("Splitter1");
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(types);
  splitter_->addWidget(recipe);
  toolButton6_->defaultAction()->setChecked(true);

  button1_ = MakePushButton("Button1", "OK", this);
  button2_ = MakePushButton("Button2", "Products...", this);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);
  connect(button2_, &QPushButton::clicked, this, [this] { Button2Click(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(button2_);
  buttons->addStretch(1);
  buttons->addWidget(button1_);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->addWidget(splitter_, 1);
  layout->addLayout(buttons);

  OnCtrlInsert(*dbGrid1_, [this] { ToolButton1Click(); });
  OnCtrlInsert(*dbGrid2_, [this] { ToolButton3Click(); });
  GridsTakeEscapeFirst(*this, {dbGrid1_, dbGrid2_});
  for (QtDataGrid* grid : {dbGrid1_, dbGrid2_})
    connect(&grid->Model(), &QtTableModel::CursorMoved, this, [this] { UpdateButtonStates(); });
  // The information text follows the current type and its edits at once.
  connect(&dbGrid1_->Model(), &QtTableModel::CursorMoved, this, [this] { UpdateInfoText(); });
  connect(&dbGrid1_->Model(), &QAbstractItemModel::dataChanged, this, [this] { UpdateInfoText(); });
}

// The factory types: their tool bar over their grid.
QWidget* TFactoriesForm::BuildTypesPanel() {
  QWidget* panel1 = MakePanel("Panel1", this);
  QToolBar* toolBar1 = MakeEditorToolBar("ToolBar1", panel1);
  toolButton1_ = AddToolButton(*toolBar1, "ToolButton1", "Add factory type", ToolIcon::AddRow,
                               [this] { ToolButton1Click(); });
  toolButton2_ = AddToolButton(*toolBar1, "ToolButton2", "Delete factory type", ToolIcon::DeleteRow,
                               [this] { ToolButton2Click(); });
  toolBar1->addSeparator();
  toolButton6_ = AddToolButton(*toolBar1, "ToolButton6", "Horizontal panels",
                               ToolIcon::PanelsStacked, [this] { ToolButton6Click(); });
  toolButton7_ = AddToolButton(*toolBar1, "ToolButton7", "Vertical panels",
                               ToolIcon::PanelsSideBySide, [this] { ToolButton7Click(); });
  auto* arrangement = new QActionGroup(this);
  for (QToolButton* button : {toolButton6_, toolButton7_}) {
    button->defaultAction()->setCheckable(true);
    arrangement->addAction(button->defaultAction());
  }

  dbGrid1_ = new QtDataGrid(dialogs_, panel1);
  dbGrid1_->setObjectName("DBGrid1");
  dbGrid1_->SetColumns(
      {DesignedColumn("Name", 150, "Factory type"), DesignedColumn("Buyable", 100, "Can be bought"),
       DesignedColumn("Mtime", 95, "Calc. time,sec"), DesignedColumn("Ctime", 70, "Cycle, sec"),
       DesignedTextColumn("Special", 75, "Special")});
  QVBoxLayout* panel1Layout = MakeGridPageLayout(*panel1, false);
  panel1Layout->addWidget(toolBar1);
  panel1Layout->addWidget(dbGrid1_, 1);
  return panel1;
}

// The current type's recipe: its tool bar and the type's name and text over
// the recipe grid.
QWidget* TFactoriesForm::BuildRecipePanel() {
  QWidget* panel3 = MakePanel("Panel3", this);
  QToolBar* toolBar2 = MakeEditorToolBar("ToolBar2", panel3);
  toolButton3_ = AddToolButton(*toolBar2, "ToolButton3", "Add factory resource/product",
                               ToolIcon::AddRow, [this] { ToolButton3Click(); });
  toolButton4_ = AddToolButton(*toolBar2, "ToolButton4", "Delete factory resource/product",
                               ToolIcon::DeleteRow, [this] { ToolButton4Click(); });
  QWidget* panel4 = MakePanel("Panel4", panel3);
  // In a narrow panel the type's name and its text end in an ellipsis; the
  // panel's tooltip holds them whole.
  dbText1_ = new QtElidedLabel(panel4);
  dbText1_->setObjectName("DBText1");
  QFont bold = dbText1_->font();
  bold.setBold(true);
  dbText1_->setFont(bold);
  label1_ = new QtElidedLabel(panel4);
  label1_->setObjectName("Label1");
  auto* panel4Layout = new QHBoxLayout(panel4);
  panel4Layout->setContentsMargins(6, 0, 0, 0);
  panel4Layout->addWidget(dbText1_);
  panel4Layout->addWidget(label1_, 1);
  // In a narrow panel the type's name and its text give way, not the buttons.
  toolBar2->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  panel4->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  auto* recipeBar = new QHBoxLayout;
  recipeBar->addWidget(toolBar2);
  recipeBar->addWidget(panel4, 1);

  dbGrid2_ = new QtDataGrid(dialogs_, panel3);
  dbGrid2_->setObjectName("DBGrid2");
  dbGrid2_->SetColumns({DesignedTextColumn("Operation", 85, "Operation"),
                        DesignedColumn("ProductId", 180, "Product name"),
                        DesignedColumn("Qty", 60, "Qty")});
  QVBoxLayout* panel3Layout = MakeGridPageLayout(*panel3, false);
  panel3Layout->addLayout(recipeBar);
  panel3Layout->addWidget(dbGrid2_, 1);
  return panel3;
}

void TFactoriesForm::Execute() {
  FormShow();
  exec();
}

void TFactoriesForm::FormShow() {
  const TStoreTexts& storeTexts = store_.Texts();
  const Field& buyable = *store_.Fields().Factories.Buyable;
  if (buyable.DisplayValues().find(';') == std::string::npos)
    dbGrid1_->SetPickList("Buyable", std::vector<std::string>{"", buyable.TrueText()});
  else
    dbGrid1_->SetPickList("Buyable",
                          std::vector<std::string>{buyable.TrueText(), buyable.FalseText()});
  dbGrid1_->SetPickList("Special",
                        std::vector<std::string>{texts_.SpecialNone, storeTexts.SpecialSuns,
                                                 storeTexts.SpecialOre, storeTexts.SpecialSilicon});
  dbGrid2_->SetPickList(
      "Operation", std::vector<std::string>{storeTexts.FactoryNeeds, storeTexts.FactoryProduces});
  dbGrid2_->SetDropDownRows("Operation", 2);
  store_.LoadProductNames();
  FillProductPickList();

  label1_->clear();
  Table& types = store_.FactoriesData;
  types.CheckBrowseMode();
  types.SetIndexFieldNames("Name");
  types.First();
  store_.FactoryProdData.SetMasterSource(&store_.FactoriesData, "Id", "FactoryId");
  openRecipes_.emplace(store_.OpenRecipes());
  dbGrid1_->SetTable(&types);
  dbGrid2_->SetTable(&store_.FactoryProdData);
  UpdateButtonStates();
  UpdateInfoText();
}

void TFactoriesForm::FillProductPickList() {
  std::vector<std::string> names;
  store_.FillProductNames(names, true, true);
  dbGrid2_->SetPickList("ProductId", std::move(names));
  dbGrid2_->SetDropDownRows("ProductId", kNameRows);
}

bool TFactoriesForm::CommitGrids() {
  return StoreTypedRows({dbGrid1_, dbGrid2_});
}

void TFactoriesForm::done(int result) {
  // A cell still being typed in is stored first; one the table refuses
  // keeps the window open, so that nothing typed is lost unseen.
  if (!CommitGrids()) return;
  FormClose();
  QDialog::done(result);
}

void TFactoriesForm::FormClose() {
  dbGrid2_->SetTable(nullptr);
  dbGrid1_->SetTable(nullptr);
  store_.FactoryProdData.SetMasterSource(nullptr, "", "");
  Table& types = store_.FactoriesData;
  types.SetIndexName("FactoriesDataIdIndex");
  types.MergeChangeLog();
  openRecipes_.reset();
  store_.ClearProductNames();
}

void TFactoriesForm::UpdateButtonStates() {
  const bool hasType = !store_.FactoriesData.IsEmpty();
  SetButtonEnabled(*toolButton2_, hasType);
  // A recipe row needs a type to belong to.
  SetButtonEnabled(*toolButton3_, hasType);
  SetButtonEnabled(*toolButton4_, dbGrid2_->GetTable() && !store_.FactoryProdData.IsEmpty());
}

void TFactoriesForm::UpdateInfoText() {
  const TFactoriesFields& f = store_.Fields().Factories;
  const Record current = store_.FactoriesData.CurrentRecord();
  const bool shown = current.IsValid() && dbGrid1_->GetTable();
  dbText1_->setText(shown ? QString::fromStdString(f.Name.Of(current).ToString()) : QString());
  const std::string info =
      shown
          ? FactoryInfoText(texts_.InfoText, texts_.InfoYieldText, f.Mtime.Of(current).ToInteger(),
                            AsCode<Special>(f.Special.Of(current).ToInteger()))
          : std::string();
  label1_->setText(QString::fromStdString(info));
  // A narrow panel may cut them; the whole text is a hover away.
  dbText1_->parentWidget()->setToolTip(dbText1_->text() + " " + label1_->text());
}

QString TFactoriesForm::InfoText() const {
  return label1_->text();
}

QString TFactoriesForm::TypeName() const {
  return dbText1_->text();
}

void TFactoriesForm::ToolButton1Click() {
  if (!CommitGrids()) return;
  try {
    AddFactoryType(store_);
  } catch (const std::exception& error) {
    dialogs_.ShowError(error.what());
  }
  dbGrid1_->SetCurrentColumn(0);
  dbGrid1_->setFocus();
  UpdateButtonStates();
  UpdateInfoText();
}

void TFactoriesForm::ToolButton2Click() {
  Table& types = store_.FactoriesData;
  if (!CommitGrids() || types.IsEmpty()) return;
  const std::string name = store_.Fields().Factories.Name->AsString();
  if (!AskDelete(dialogs_, mainTexts_, mainTexts_.DeleteMsg, {name})) return;
  try {
    DeleteFactoryType(store_, store_.Fields().Factories.Id->AsInteger());
  } catch (const std::exception& error) {
    dialogs_.ShowError(error.what());
  }
  UpdateButtonStates();
}

void TFactoriesForm::ToolButton3Click() {
  if (!CommitGrids() || store_.FactoriesData.IsEmpty()) return;
  AddRecipeRow(store_, store_.Fields().Factories.Id->AsInteger());
  dbGrid2_->SetCurrentColumn(0);
  dbGrid2_->setFocus();
  UpdateButtonStates();
}

void TFactoriesForm::ToolButton4Click() {
  Table& recipes = store_.FactoryProdData;
  if (!CommitGrids() || recipes.IsEmpty()) return;
  const std::string product = store_.Fields().FactoryProd.ProductId->DisplayText();
  const std::string type = store_.Fields().Factories.Name->AsString();
  if (!AskDelete(dialogs_, mainTexts_, texts_.DeleteFromMsg, {product, type})) return;
  RemoveRecipeRow(store_, recipes.GetBookmark());
  UpdateButtonStates();
}

// ---- Panels ----

bool TFactoriesForm::Stacked() const {
  return splitter_->orientation() == Qt::Vertical;
}

int TFactoriesForm::PanelSize() const {
  const QList<int> sizes = splitter_->sizes();
  return sizes.isEmpty() ? 0 : sizes.first();
}

int TFactoriesForm::WindowExtent() const {
  return Stacked() ? height() : width();
}

void TFactoriesForm::ArrangePanels(bool stacked, int panelSize) {
  splitter_->setOrientation(stacked ? Qt::Vertical : Qt::Horizontal);
  (stacked ? toolButton6_ : toolButton7_)->defaultAction()->setChecked(true);
  const int room = (stacked ? splitter_->height() : splitter_->width()) - splitter_->handleWidth();
  splitter_->setSizes({panelSize, std::max(room - panelSize, 0)});
}

void TFactoriesForm::ToolButton6Click() {
  ArrangePanels(true, splitter_->height() / 2);
}

void TFactoriesForm::ToolButton7Click() {
  ArrangePanels(false, splitter_->width() / 2);
}

void TFactoriesForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (panelsPlaced_) return;
  panelsPlaced_ = true;
  const int client = Stacked() ? splitter_->height() : splitter_->width();
  ArrangePanels(Stacked(), FactoryListPanelSize(WindowExtent(), client, savedPart_, savedTotal_));
}

void TFactoriesForm::Button2Click() {
  if (!CommitGrids()) return;
  products_.Execute();
  store_.LoadProductNames();
  FillProductPickList();
}

// ---- Language and settings ----

void TFactoriesForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  texts_.SpecialNone = ReadText(languageFile, kSection, "FTableSpecialNone", texts_.SpecialNone);
  texts_.DeleteFromMsg = ReadText(languageFile, kSection, "DeleteFromMsg", texts_.DeleteFromMsg);
  texts_.InfoText = ReadText(languageFile, kSection, "InfoText", texts_.InfoText);
  texts_.InfoYieldText = ReadText(languageFile, kSection, "InfoYieldText", texts_.InfoYieldText);
  TranslateColumnTitles(*dbGrid1_, languageFile, kSection,
                        {{"Name", "FTableName"},
                         {"Buyable", "FTableBuyable"},
                         {"Mtime", "FTableMtime"},
                         {"Ctime", "FTableCtime"},
                         {"Special", "FTableSpecial"}});
  TranslateColumnTitles(
      *dbGrid2_, languageFile, kSection,
      {{"Operation", "PTableOperation"}, {"ProductId", "PTableProductId"}, {"Qty", "PTableQty"}});
}

void TFactoriesForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kPlacementSection, FirstRunWidth(), kDesignedHeight, true,
                      true);
  bool stacked = true;
  if (settings) {
    savedTotal_ = settings->ReadInteger(kPlacementSection, "FactListTotal", savedTotal_);
    savedPart_ = settings->ReadInteger(kPlacementSection, "FactListPart", savedPart_);
    stacked = settings->ReadBool(kPlacementSection, "Vertical", true);
  }
  splitter_->setOrientation(stacked ? Qt::Vertical : Qt::Horizontal);
  (stacked ? toolButton6_ : toolButton7_)->defaultAction()->setChecked(true);
  const bool buildMatches = SettingsBuildMatches(settings);
  typeLayout_ = std::make_unique<QtColumnLayoutFile>(
      *dbGrid1_, programFolder_, "fact1.col", buildMatches, dialogs_, !store_.FolderReadOnly());
  recipeLayout_ = std::make_unique<QtColumnLayoutFile>(
      *dbGrid2_, programFolder_, "fact2.col", buildMatches, dialogs_, !store_.FolderReadOnly());
}

void TFactoriesForm::WriteSettings(IniFile* settings) {
  if (!settings) return;
  SaveWindowPlacement(settings, *this, kPlacementSection);
  settings->WriteBool(kPlacementSection, "Vertical", Stacked());
  // Never shown in this run: the sizes read stay as they were.
  settings->WriteInteger(kPlacementSection, "FactListPart",
                         panelsPlaced_ ? PanelSize() : savedPart_);
  settings->WriteInteger(kPlacementSection, "FactListTotal",
                         panelsPlaced_ ? WindowExtent() : savedTotal_);
}

}  // namespace qv
