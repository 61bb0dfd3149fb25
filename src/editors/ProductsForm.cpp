#include "editors/ProductsForm.h"

#include <QHBoxLayout>
#include <QLayout>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/StoreOperations.h"
#include "editors/QtColumnLayout.h"
#include "editors/QtDataGrid.h"
#include "editors/QtEditorParts.h"
#include "editors/QtTableModel.h"
#include "editors/TypeEditing.h"
#include "settings/Dialogs.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "settings/Settings.h"

namespace qv {

namespace {

constexpr const char* kSection = "ProductsForm";
constexpr const char* kPlacementSection = "ProductsWindow";
// The designed size; a first start opens wider when the designed columns
// need it, so that none of them hides behind the grid's side scroll.
constexpr int kDesignedWidth = 430;
constexpr int kDesignedHeight = 380;

}  // namespace

TProductsForm::TProductsForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
                             std::string programFolder, QWidget* parent)
    : QDialog(parent),
      store_(store),
      dialogs_(dialogs),
      mainTexts_(mainTexts),
      programFolder_(std::move(programFolder)) {
  setObjectName("ProductsForm");
  setWindowTitle("Products");

  QToolBar* toolBar = MakeEditorToolBar("ToolBar1", this);
  toolButton1_ = AddToolButton(*toolBar, "ToolButton1", "Add product", ToolIcon::AddRow,
                               [this] { ToolButton1Click(); });
  toolButton2_ = AddToolButton(*toolBar, "ToolButton2", "Delete product", ToolIcon::DeleteRow,
                               [this] { ToolButton2Click(); });

  dbGrid1_ = new QtDataGrid(dialogs_, this);
  dbGrid1_->SetRowWriter(store_.RowWriter());
  dbGrid1_->setObjectName("DBGrid1");
  dbGrid1_->SetColumns({DesignedColumn("Name", 130, "Name"), DesignedTextColumn("Type", 70, "Type"),
                        DesignedColumn("Min", 50, "Min"), DesignedColumn("Max", 50, "Max"),
                        DesignedColumn("Avg", 50, "Avg"), DesignedColumn("Qty", 70, "Qty (TS)"),
                        DesignedColumn("Mtime", 120, "Calc. time,sec (TS)")});
  connect(&dbGrid1_->Model(), &QtTableModel::CursorMoved, this, [this] { UpdateButtonState(); });

  button1_ = MakePushButton("Button1", "OK", this);
  connect(button1_, &QPushButton::clicked, this, &QDialog::accept);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(button1_);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 6);
  layout->addWidget(toolBar);
  layout->addWidget(dbGrid1_, 1);
  layout->addLayout(buttons);

  // The window looks at every key first: Ctrl+Insert adds wherever the focus is.
  OnCtrlInsert(*this, [this] { ToolButton1Click(); });
  GridsTakeEscapeFirst(*this, {dbGrid1_});

  resize(FirstRunWidth(), kDesignedHeight);
  UpdateButtonState();
}

TProductsForm::~TProductsForm() = default;

int TProductsForm::FirstRunWidth() const {
  return OuterWidthForColumns(*this, *dbGrid1_, kDesignedWidth);
}

void TProductsForm::Execute() {
  FormShow();
  exec();
}

void TProductsForm::FormShow() {
  const TStoreTexts& texts = store_.Texts();
  dbGrid1_->SetPickList("Type", std::vector<std::string>{texts.ProductUsual, texts.ProductUpgrade,
                                                         texts.ProductShip, texts.ProductFactory});
  Table& products = store_.ProductsData;
  products.CheckBrowseMode();
  products.SetIndexFieldNames("Type;Name");
  products.First();
  dbGrid1_->SetTable(&products);
  UpdateButtonState();
}

void TProductsForm::done(int result) {
  // A cell still being typed in is stored first; one the table refuses
  // keeps the window open, so that nothing typed is lost unseen.
  if (!StoreTypedRows({dbGrid1_})) return;
  FormClose();
  QDialog::done(result);
}

void TProductsForm::FormClose() {
  dbGrid1_->SetTable(nullptr);
  store_.ProductsData.MergeChangeLog();
}

void TProductsForm::UpdateButtonState() {
  SetButtonEnabled(*toolButton2_, !store_.ProductsData.IsEmpty());
}

void TProductsForm::ToolButton1Click() {
  if (!StoreTypedRows({dbGrid1_})) return;
  AddProductType(store_);
  dbGrid1_->SetCurrentColumn(0);
  dbGrid1_->setFocus();
}

void TProductsForm::ToolButton2Click() {
  Table& products = store_.ProductsData;
  if (!StoreTypedRows({dbGrid1_}) || products.IsEmpty()) return;
  const std::string name = store_.Fields().Products.Name->AsString();
  if (!AskDelete(dialogs_, mainTexts_, mainTexts_.DeleteMsg, {name})) return;
  try {
    DeleteProductType(store_, store_.Fields().Products.Id->AsInteger());
  } catch (const std::exception& error) {
    dialogs_.ShowError(error.what());
  }
  UpdateButtonState();
}

void TProductsForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  TranslateColumnTitles(*dbGrid1_, languageFile, kSection,
                        {{"Name", "TableName"},
                         {"Type", "TableType"},
                         {"Min", "TableMin"},
                         {"Max", "TableMax"},
                         {"Avg", "TableAvg"},
                         {"Qty", "TableQty"},
                         {"Mtime", "TableMtime"}});
}

void TProductsForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kPlacementSection, FirstRunWidth(), kDesignedHeight, true,
                      true);
  layout_ = std::make_unique<QtColumnLayoutFile>(*dbGrid1_, programFolder_, "products.col",
                                                 SettingsBuildMatches(settings), dialogs_,
                                                 !store_.FolderReadOnly());
}

void TProductsForm::WriteSettings(IniFile* settings) {
  if (settings) SaveWindowPlacement(settings, *this, kPlacementSection);
}

}  // namespace qv
