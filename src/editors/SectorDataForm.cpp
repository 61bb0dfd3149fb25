#include "editors/SectorDataForm.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/StoreOperations.h"
#include "data/TextUtil.h"
#include "editors/FactoriesForm.h"
#include "editors/ProductsForm.h"
#include "editors/QtColumnLayout.h"
#include "editors/QtDataGrid.h"
#include "editors/QtEditorParts.h"
#include "editors/QtTableModel.h"
#include "editors/SectorObjects.h"
#include "settings/Dialogs.h"
#include "settings/LanguageFile.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "settings/Settings.h"

namespace qv {

namespace {

constexpr const char* kSection = "SectorDataForm";
constexpr const char* kPlacementSection = "ObjectsWindow";
constexpr int kDesignedWidth = 545;
constexpr int kDesignedHeight = 375;
constexpr int kMinimumHeight = 300;
constexpr int kNameRows = 15;

// Switches a record filter on, or makes it look again at what it depends on.
void FilterOn(Table& table) {
  if (table.Filtered())
    table.Refresh();
  else
    table.SetFiltered(true);
}

}  // namespace

TSectorDataForm::TSectorDataForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
                                 std::string programFolder, TFactoriesForm& factories,
                                 TProductsForm& products, QWidget* parent)
    : QDialog(parent),
      store_(store),
      dialogs_(dialogs),
      mainTexts_(mainTexts),
      programFolder_(std::move(programFolder)),
      factories_(factories),
      products_(products) {
  setObjectName("SectorDataForm");
  setWindowTitle("Objects in sector");
  BuildControls();
  dbGrid1_->SetRowWriter(store_.RowWriter());
  for (const StationPage& page : stations_)
    page.grid->SetRowWriter(store_.RowWriter());
  setMinimumSize(kDesignedWidth, kMinimumHeight);
  resize(kDesignedWidth, kDesignedHeight);
}

TSectorDataForm::~TSectorDataForm() = default;

// ---- Opening and closing ----

bool TSectorDataForm::Execute(int x, int y) {
  if (!Open(x, y)) return false;
  FormShow();
  exec();
  return true;
}

bool TSectorDataForm::Open(int x, int y) {
  ready_ = false;
  Table& sectors = store_.SectorsData;
  sectors.CheckBrowseMode();
  if (!store_.LocateSectorAt(x, y)) return false;
  const Record sector = sectors.CurrentRecord();
  const TSectorsFields& f = store_.Fields().Sectors;
  label2_->setText(QString::fromStdString(SectorObjectsCaption(
      texts_.SectorText, f.Name.Of(sector).ToString(), x, y, f.Race.Of(sector).ToString())));
  sectorId_ = f.Id.Of(sector).ToInteger();
  sectorName_ = f.Name.Of(sector).ToString();
  for (const StationPage& page : stations_)
    page.box->setChecked(StationFlag(f, page.trader).Of(sector).ToBoolean());
  edit1_->setText(QString::number(f.SolarCycle.Of(sector).ToInteger()));
  // The same cycle as last time changes no text, but the language may have.
  ShowCycleText();
  pageControl1_->setCurrentWidget(factorySheet_);
  ready_ = true;
  UpdatePages();
  store_.FactoriesData.SetIndexFieldNames("Name");
  return true;
}

void TSectorDataForm::FormShow() {
  CopySharedTexts();
  dbGrid1_->SetPickList("Your", std::vector<std::string>{"", store_.Texts().FactoryOwnerYour});
  FillPickLists();
  // The station page shown last time stays chosen until a page is shown.
  openSector_.emplace(store_.OpenSector(sectorId_, store_.OpenTrader()));
  FilterOn(store_.SectFactoryData);
  FilterOn(store_.SectTradeData);
  dbGrid1_->SetTable(&store_.SectFactoryData);
  for (const StationPage& page : stations_)
    page.grid->SetTable(&store_.SectTradeData);
  UpdatePages();
}

// The hints of the first station page's buttons and the title of its
// product column serve all four pages.
void TSectorDataForm::CopySharedTexts() {
  const StationPage& first = Station(Trader::Shipyard);
  const TColumn* title = first.grid->FindColumn("ProductId");
  for (const StationPage& page : stations_) {
    page.add->defaultAction()->setToolTip(first.add->defaultAction()->toolTip());
    page.remove->defaultAction()->setToolTip(first.remove->defaultAction()->toolTip());
    if (title) page.grid->SetColumnTitle("ProductId", title->Title.Caption);
  }
}

void TSectorDataForm::FillPickLists() {
  store_.LoadFactoryNames();
  store_.LoadProductNames();
  std::vector<std::string> names;
  store_.FillFactoryNames(names, false);
  dbGrid1_->SetPickList("FactoryId", names);
  dbGrid1_->SetDropDownRows("FactoryId", kNameRows);
  std::vector<std::string> ships;
  std::vector<std::string> wares;
  store_.FillProductNames(ships, false, true);
  store_.FillProductNames(wares, true, false);
  for (const StationPage& page : stations_) {
    page.grid->SetPickList("ProductId", StationTradesShips(page.trader) ? ships : wares);
    page.grid->SetDropDownRows("ProductId", kNameRows);
  }
}

bool TSectorDataForm::CommitGrids() {
  return StoreTypedRows({dbGrid1_, Station(Trader::Shipyard).grid,
                         Station(Trader::EquipmentDock).grid, Station(Trader::TradingStation).grid,
                         Station(Trader::PirateBase).grid});
}

void TSectorDataForm::done(int result) {
  // A cell still being typed in is stored first; one the table refuses
  // keeps the window open, so that nothing typed is lost unseen.
  if (!CommitGrids()) return;
  FormClose();
  QDialog::done(result);
}

void TSectorDataForm::FormClose() {
  dbGrid1_->SetTable(nullptr);
  for (const StationPage& page : stations_)
    page.grid->SetTable(nullptr);
  store_.SectFactoryData.SetFiltered(false);
  store_.SectTradeData.SetFiltered(false);
  store_.ProductsData.SetFiltered(false);
  openSector_.reset();
  ready_ = false;
  // Referencing fields elsewhere show their numbers again.
  store_.ClearFactoryNames();
  store_.ClearProductNames();
}

void TSectorDataForm::CloseIfSectorGone() {
  if (!openSector_ || store_.SectorsData.Lookup("Id", Value(sectorId_)).IsValid()) return;
  reject();
}

// ---- Pages ----

void TSectorDataForm::UpdatePages() {
  for (const StationPage& page : stations_)
    pageControl1_->setTabVisible(pageControl1_->indexOf(page.sheet), page.box->isChecked());
  UpdateDeleteButtons();
}

void TSectorDataForm::UpdateDeleteButtons() {
  SetButtonEnabled(*toolButton2_, dbGrid1_->GetTable() && !store_.SectFactoryData.IsEmpty());
  const bool products =
      Station(Trader::Shipyard).grid->GetTable() && !store_.SectTradeData.IsEmpty();
  for (const StationPage& page : stations_)
    SetButtonEnabled(*page.remove, products);
}

void TSectorDataForm::PageControl1Change() {
  // The page the window opens on is set while it fills itself; showing it
  // then filters for the sector.
  if (!ready_) return;
  Table& trade = store_.SectTradeData;
  Table& products = store_.ProductsData;
  QWidget* current = pageControl1_->currentWidget();
  for (const StationPage& page : stations_) {
    if (page.sheet != current) continue;
    if (openSector_) openSector_->ShowTrader(CodeOf(page.trader));
    const std::string filter = StationProductFilter(page.trader);
    if (!filter.empty()) products.SetFilter(filter);
    products.SetFiltered(!filter.empty());
  }
  if (current == factorySheet_) products.SetFiltered(false);
  // The station grids now show the rows of this sector and kind.
  FilterOn(trade);
  UpdateDeleteButtons();
}

void TSectorDataForm::StationBoxClick(Trader trader) {
  if (!ready_) return;
  QCheckBox& box = *Station(trader).box;
  const bool on = box.isChecked();
  if (!CommitGrids()) {
    const QSignalBlocker blocker(box);
    box.setChecked(!on);
    return;
  }
  const TStationChange change = SwitchStation(store_, sectorId_, trader, on, [&] {
    return dialogs_.AskYesNo(FormatText(texts_.ClearDataMsg, {PageCaption(trader)}),
                             texts_.ClearDataCap);
  });
  if (change == TStationChange::Kept) {
    const QSignalBlocker blocker(box);
    box.setChecked(true);
    return;
  }
  if (change == TStationChange::SectorGone) return;
  if (!on) pageControl1_->setCurrentWidget(factorySheet_);
  UpdatePages();
}

// ---- Rows ----

void TSectorDataForm::ToolButton1Click() {
  if (!CommitGrids()) return;
  PlaceFactory(store_, sectorId_);
  dbGrid1_->SetCurrentColumn(0);
  dbGrid1_->setFocus();
  UpdatePages();
}

void TSectorDataForm::ToolButton2Click() {
  Table& factories = store_.SectFactoryData;
  if (!CommitGrids() || factories.IsEmpty()) return;
  const std::string type = store_.Fields().SectFactory.FactoryId->DisplayText();
  if (!AskDelete(dialogs_, mainTexts_, factories_.Texts().DeleteFromMsg, {type, sectorName_}))
    return;
  RemoveFactory(store_, factories.GetBookmark());
  UpdatePages();
}

void TSectorDataForm::ToolButton3Click() {
  if (pageControl1_->currentWidget() == factorySheet_ || !CommitGrids()) return;
  PlaceTrader(store_, sectorId_, store_.OpenTrader());
  QtDataGrid& grid = *Station(ShownTrader()).grid;
  grid.SetCurrentColumn(0);
  grid.setFocus();
  UpdatePages();
}

void TSectorDataForm::ToolButton4Click() {
  Table& trade = store_.SectTradeData;
  if (pageControl1_->currentWidget() == factorySheet_ || !CommitGrids() || trade.IsEmpty()) return;
  const std::string product = store_.Fields().SectTrade.ProductId->DisplayText();
  const std::string question =
      FormatText(texts_.NameDeleteMsg, {PageCaption(ShownTrader()), product});
  if (!dialogs_.AskYesNo(question, mainTexts_.DeleteCap)) return;
  RemoveTrader(store_, trade.GetBookmark());
  UpdatePages();
}

void TSectorDataForm::Edit1Change() {
  ShowCycleText();
  if (ready_) StoreSolarCycle(store_, sectorId_, TypedCycle());
}

Trader TSectorDataForm::ShownTrader() const {
  return AsCode<Trader>(store_.OpenTrader());
}

int TSectorDataForm::TypedCycle() const {
  return LeadingInteger(edit1_->text().toStdString());
}

void TSectorDataForm::ShowCycleText() {
  label9_->setText(QString::fromStdString(CycleTimeText(store_.Texts(), TypedCycle())));
}

// ---- Type windows ----

void TSectorDataForm::RunTypesWindow(const std::function<void()>& run) {
  if (!CommitGrids()) return;
  Table& products = store_.ProductsData;
  const bool filtered = products.Filtered();
  products.SetFiltered(false);
  run();
  // A type added or renamed there must be on offer here at once, or a name
  // picked from the list would store no product at all. The factory types
  // go back to their order by name.
  FillPickLists();
  store_.FactoriesData.SetIndexFieldNames("Name");
  products.SetIndexFieldNames("Type;Name");
  products.SetFiltered(filtered);
}

void TSectorDataForm::Button2Click() {
  RunTypesWindow([this] { factories_.Execute(); });
}

void TSectorDataForm::Button3Click() {
  RunTypesWindow([this] { products_.Execute(); });
}

// ---- Language and settings ----

void TSectorDataForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kSection);
  texts_.NameDeleteMsg = ReadText(languageFile, kSection, "NameDeleteMsg", texts_.NameDeleteMsg);
  texts_.ClearDataMsg = ReadText(languageFile, kSection, "ClearDataMsg", texts_.ClearDataMsg);
  texts_.ClearDataCap = ReadText(languageFile, kSection, "ClearDataCap", texts_.ClearDataCap);
  texts_.SectorText = ReadText(languageFile, kSection, "SectorText", texts_.SectorText);
  TranslateColumnTitles(
      *dbGrid1_, languageFile, kSection,
      {{"FactoryId", "FTableFactoryId"}, {"Your", "FTableYour"}, {"Yield", "FTableYield"}});
  TranslateColumnTitles(*Station(Trader::Shipyard).grid, languageFile, kSection,
                        {{"ProductId", "PTableProductId"}});
  CopySharedTexts();
  ShowCycleText();  // the store's time text is the new language's by now
}

void TSectorDataForm::ReadSettings(const IniFile* settings) {
  LoadWindowPlacement(settings, *this, kPlacementSection, kDesignedWidth, kDesignedHeight, true,
                      true);
  const bool buildMatches = SettingsBuildMatches(settings);
  factoryLayout_ = std::make_unique<QtColumnLayoutFile>(
      *dbGrid1_, programFolder_, "fact3.col", buildMatches, dialogs_, !store_.FolderReadOnly());
  for (StationPage& page : stations_)
    page.layout =
        std::make_unique<QtColumnLayoutFile>(*page.grid, programFolder_, page.layoutFile,
                                             buildMatches, dialogs_, !store_.FolderReadOnly());
}

void TSectorDataForm::WriteSettings(IniFile* settings) {
  if (settings) SaveWindowPlacement(settings, *this, kPlacementSection);
}

}  // namespace qv
