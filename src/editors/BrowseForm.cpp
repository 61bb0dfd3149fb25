#include "editors/BrowseForm.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "editors/ProcessDataForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtDropDownRows.h"
#include "editors/QtEditorParts.h"
#include "editors/QtTableModel.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/MainTexts.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"

namespace qv {

namespace {

constexpr const char* kSection = "BrowseForm";
constexpr const char* kPlacementSection = "BrowseWindow";

// The tables on offer, by the names the list shows. The request table is
// the program's own and not offered.
constexpr std::array<const char*, 6> kTableNames = {"SectorsData",     "FactoriesData",
                                                    "ProductsData",    "FactoryProdData",
                                                    "SectFactoryData", "SectTradeData"};

}  // namespace

TBrowseForm::TBrowseForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
                         QWidget* parent)
    : QDialog(parent), store_(store), dialogs_(dialogs), mainTexts_(mainTexts) {
  setObjectName("BrowseForm");
  setWindowTitle("Direct access to data sets");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setSizeGripEnabled(true);
  BuildControls();
  resize(900, 600);
}

TBrowseForm::~TBrowseForm() {
  // The grid goes after the buttons: it must not ask for them on its way.
  grid_->Model().disconnect(this);
  grid_->SetTable(nullptr);
}

void TBrowseForm::BuildControls() {
  QToolBar* bar = MakeEditorToolBar("ToolBar1", this);
  toolButton1_ = AddToolButton(*bar, "ToolButton1", "Add record", ToolIcon::AddRow,
                               [this] { ToolButton1Click(); });
  toolButton2_ = AddToolButton(*bar, "ToolButton2", "Delete record", ToolIcon::DeleteRow,
                               [this] { ToolButton2Click(); });
  bar->addSeparator();

  comboBox1_ = Named(new QComboBox, "ComboBox1");
  comboBox1_->setToolTip("Data set");
  for (const char* name : kTableNames)
    comboBox1_->addItem(name);
  comboBox1_->setCurrentIndex(-1);
  comboBox1_->setMinimumContentsLength(16);
  LimitDropDownRows(*comboBox1_);
  connect(comboBox1_, &QComboBox::currentIndexChanged, this, [this] { ComboBox1Change(); });
  bar->addWidget(comboBox1_);

  speedButton1_ = MakePushButton("SpeedButton1", "&Process", bar);
  connect(speedButton1_, &QPushButton::clicked, this, [this] { SpeedButton1Click(); });
  bar->addWidget(speedButton1_);
  bar->addWidget(MakeLabel("Label1", "   (Improper use can damage the database)"));

  grid_ = Named(new QtDataGrid(dialogs_), "DBGrid1");
  grid_->SetRowWriter(store_.RowWriter());
  grid_->SetDeleteConfirmation(
      [this] { return AskDelete(dialogs_, mainTexts_, texts_.DeleteRecordMsg, {}); });
  const auto rowsChanged = [this] { UpdateButtons(); };
  QtTableModel& model = grid_->Model();
  connect(&model, &QAbstractItemModel::rowsInserted, this, rowsChanged);
  connect(&model, &QAbstractItemModel::rowsRemoved, this, rowsChanged);
  connect(&model, &QAbstractItemModel::modelReset, this, rowsChanged);
  // The grid leaves Ctrl+Insert to its window: a new row at the end.
  OnCtrlInsert(*this, [this] { ToolButton1Click(); });
  GridsTakeEscapeFirst(*this, {grid_});

  QVBoxLayout* layout = MakeGridPageLayout(*this, true);
  layout->addWidget(bar);
  layout->addWidget(grid_, 1);
  UpdateButtons();
}

// ---- Showing and closing ----

void TBrowseForm::Execute() {
  FormShow();
  exec();
  FormClose();
}

void TBrowseForm::FormShow() {
  // Referencing fields show the names of the rows they refer to.
  store_.LoadProductNames();
  store_.LoadFactoryNames();
  for (Table* table : {&store_.FactoriesData, &store_.SectorsData, &store_.ProductsData,
                       &store_.FactoryProdData, &store_.SectFactoryData, &store_.SectTradeData})
    table->SetIndexFieldNames("");
  comboBox1_->setCurrentIndex(-1);
  grid_->SetTable(nullptr);
  UpdateButtons();
  comboBox1_->setFocus();
}

void TBrowseForm::reject() {
  // A changed row is stored as the window closes; one the table refuses
  // keeps the window open so that the player can mend or cancel it.
  if (!StoreTypedRows({grid_})) return;
  QDialog::reject();
}

void TBrowseForm::FormClose() {
  grid_->SetTable(nullptr);
  {
    const QSignalBlocker block(comboBox1_);
    comboBox1_->setCurrentIndex(-1);
  }
  // Names edited here are shown by the other windows through the name lists.
  store_.LoadProductNames();
  store_.LoadFactoryNames();
  store_.SetWorkingOrders();
  UpdateButtons();
}

// ---- The table ----

Table* TBrowseForm::SourceForName(const std::string& name) {
  if (name.empty()) return nullptr;
  for (const char* known : kTableNames)
    if (name == known) return store_.FindTable(name);
  dialogs_.ShowError("Unknown data set");
  return nullptr;
}

void TBrowseForm::ComboBox1Change() {
  if (!StoreTypedRows({grid_})) return;
  Table* table = SourceForName(TextOf(*comboBox1_));
  if (table) {
    table->SetFiltered(false);
    table->First();
  }
  grid_->SetTable(table);
  UpdateButtons();
}

void TBrowseForm::UpdateButtons() {
  const bool shown = grid_->GetTable() != nullptr;
  SetButtonEnabled(*toolButton1_, shown);
  SetButtonEnabled(*toolButton2_, shown && grid_->Model().rowCount() > 0);
}

void TBrowseForm::ToolButton1Click() {
  // The keyboard goes to the new row, where the player types next.
  if (grid_->GetTable() && grid_->AppendRow()) grid_->setFocus();
  UpdateButtons();
}

void TBrowseForm::ToolButton2Click() {
  Table* table = grid_->GetTable();
  if (table && grid_->Model().rowCount() > 0) grid_->DeleteRow();
  UpdateButtons();
}

void TBrowseForm::SpeedButton1Click() {
  Table* table = grid_->GetTable();
  if (!table) {
    const std::string caption = process_ ? process_->Texts().ProcessCap : "Process";
    dialogs_.ShowMessage(texts_.NoTableError, caption, MessageIcon::Information);
    return;
  }
  if (!process_ || !StoreTypedRows({grid_})) return;
  process_->SetDataSet(store_, table);
  process_->Execute();
}

// ---- Settings and language ----

void TBrowseForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kPlacementSection, -1, -1, true, true);
}

void TBrowseForm::WriteSettings(IniFile* settings) {
  SaveWindowPlacement(settings, *this, kPlacementSection);
}

void TBrowseForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  texts_.DeleteRecordMsg =
      ReadText(languageFile, kSection, "DeleteRecordMsg", texts_.DeleteRecordMsg);
  texts_.NoTableError = ReadText(languageFile, kSection, "NoTableError", texts_.NoTableError);
}

}  // namespace qv
