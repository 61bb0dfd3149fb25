#include "economy/FactComplexCalcForm.h"

#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScrollArea>
#include <QSplitter>
#include <QStyleOptionViewItem>
#include <QTableWidget>
#include <algorithm>

#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "data/TextUtil.h"
#include "economy/ComplexPlanForm.h"
#include "economy/FactoryProfit.h"
#include "economy/PlanComplex.h"
#include "editors/QtColumnLayout.h"
#include "editors/QtDataGrid.h"
#include "editors/QtDropDownRows.h"
#include "map/QtCanvas.h"
#include "settings/Dialogs.h"
#include "settings/MainTexts.h"
#include "settings/QtTranslate.h"
#include "settings/QtWindowPlacement.h"
#include "settings/Settings.h"
#include "widgets/QtUpDown.h"

namespace qv {

namespace {

constexpr const char* kSettingsSection = "ComplexCalcWindow";
constexpr const char* kLayoutFileName = "fact4.col";
constexpr int kDesignedWidth = 960;
constexpr int kDesignedHeight = 680;
constexpr int kDividerMinimum = 100;
constexpr int kDefaultPowerCycle = 90;
constexpr const char* kResultWidthKeys[6] = {"ProdNameCol",   "ProdPriceCol",  "ProdProductionCol",
                                             "ProdDemandCol", "ProdStatusCol", "ProdResultCol"};

// The language keys of the factory list's column titles.
struct TitleKey {
  const char* key;
  const char* field;
};
constexpr TitleKey kTitleKeys[] = {{"TableFactoryId", "FactoryId"}, {"TableYield", "Yield"},
                                   {"TableAllowNPS", "AllowNPS"},   {"TableProfit", "Profit"},
                                   {"TableProd1", "Prod1"},         {"TableRes1", "Res1"},
                                   {"TableRes2", "Res2"},           {"TableRes3", "Res3"}};

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

// A stored size, at least the minimum and at most what leaves the minimum
// beside it, in that order.
int Limited(int value, int whole) {
  return std::min(std::max(value, kDividerMinimum), whole - kDividerMinimum);
}

bool ShowsPriceBar(const std::string& field) {
  return field == "Prod1" || field == "Res1" || field == "Res2" || field == "Res3";
}

}  // namespace

TFactComplexCalcForm::TFactComplexCalcForm(TDataModule1& store, Dialogs& dialogs, BusyCursor* busy,
                                           std::string programFolder, const TMainTexts& mainTexts,
                                           QWidget* parent)
    : TProductPanelOwnerForm(parent),
      store_(store),
      dialogs_(dialogs),
      busyCursor_(busy),
      programFolder_(ProgramFolder(programFolder)),
      mainTexts_(mainTexts) {
  setObjectName("FactComplexCalcForm");
  setWindowTitle("Factory complex profit");
  // The trace lies beside the universe: a program started from the menu has
  // no working folder of the player's choosing.
  calculation_.TracePath = programFolder_ + "trace.txt";

  BuildFactoryListSchema(factoryList_, store_);
  AddFactoryListCalculatedFields(factoryList_, store_, calculation_.Factories);
  BuildFactProdSchema(factProd_);
  Field& factoryId = factoryList_.Fields(kListFactoryId);
  factoryId.OnSetText = [this, convert = factoryId.OnSetText](Field& field,
                                                              const std::string& text) {
    convert(field, text);
    FactoryIdSetText(field, text);
  };
  factoryList_.BeforePost = [this](Table& table) { FactoryListDataBeforePost(table); };
  factoryList_.BeforeDelete = [this](Table& table) { FactoryListDataBeforeDelete(table); };
  factoryList_.AfterScroll = [this](Table&) { FactoryListDataAfterScroll(); };
  factoryList_.Fields(kListYield).OnChange = [this](Field& f) { FactoryListDataYieldChange(f); };
  factoryList_.Fields(kListAllowNps).OnChange = [this](Field& f) {
    FactoryListDataAllowNPSChange(f);
  };

  dbGrid1_ = new QtDataGrid(dialogs_);
  BuildControls();
  planForm_ = std::make_unique<TComplexPlanForm>(store_, dialogs_, busyCursor_, this);
  dbGrid1_->SetTable(&factoryList_);
  DesignGridColumns();
  dbGrid1_->SetAlwaysShowEditor(true);
  dbGrid1_->SetCellDrawer(
      [this](QPainter& painter, const QStyleOptionViewItem& option, const Record& record,
             const TColumn& column) { DrawFactoryCell(painter, option, record, column); });
  // Queued: the grid finishes its own move before it is sent on.
  connect(dbGrid1_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &TFactComplexCalcForm::LeaveCalculatedColumn, Qt::QueuedConnection);

  label11_->clear();
  upDown1_->SetPosition(kDefaultPowerCycle);
  resize(kDesignedWidth, kDesignedHeight);
  listHeight_ = height() / 2;
  prodListWidth_ = width() / 2;
}

TFactComplexCalcForm::~TFactComplexCalcForm() {
  layoutFile_.reset();  // writes "fact4.col" while the grid still shows its columns
  frames_.clear();
  dbGrid1_->SetTable(nullptr);
}

// ---- Program window ----

void TFactComplexCalcForm::Execute() {
  FormShow();
  exec();
  FormClose();
}

void TFactComplexCalcForm::Translate(const IniFile& languageFile) {
  TranslateWindow(*this, languageFile, kComplexTextSection);
  TranslateComplexTexts(texts_, languageFile);
  ApplyResultTitles();
  for (const TitleKey& title : kTitleKeys) {
    const std::string text = languageFile.ReadString(kComplexTextSection, title.key, "");
    if (!text.empty()) dbGrid1_->SetColumnTitle(title.field, text);
  }
  Field& allowNps = factoryList_.Fields(kListAllowNps);
  allowNps.SetDisplayValues(
      languageFile.ReadString(kComplexTextSection, "AllowNpsValues", allowNps.DisplayValues()));
  dbGrid1_->SetPickList("AllowNPS", {allowNps.TrueText(), allowNps.FalseText()});
  planForm_->Translate(languageFile);
}

void TFactComplexCalcForm::ReadSettings(const IniFile* settings) {
  planForm_->ReadSettings(settings);
  LoadWindowPlacement(settings, *this, kSettingsSection, -1, -1, true, true);
  const auto read = [settings](const char* key, int defaultValue) {
    return settings ? settings->ReadInteger(kSettingsSection, key, defaultValue) : defaultValue;
  };
  listHeight_ = Limited(read("FactoryListHeight", height() / 2), height());
  prodListWidth_ = Limited(read("ProdListWidth", width() / 2), width());
  upDown1_->SetPosition(read("PowerCycle", kDefaultPowerCycle));
  CurSector = settings ? settings->ReadString(kSettingsSection, "CurSector", "") : "";
  for (int i = 0; i < 6; ++i)
    stringGrid1_->setColumnWidth(i, read(kResultWidthKeys[i], resultWidths_[i]));
  ApplyDividers();

  const bool buildMatches = SettingsBuildMatches(settings);
  layoutFile_ = std::make_unique<QtColumnLayoutFile>(
      *dbGrid1_, programFolder_, kLayoutFileName, buildMatches, dialogs_, !store_.FolderReadOnly());
  // Only settings that say another build wrote them replace the saved
  // complex by an empty one. Without settings (none, or a file that cannot
  // be read) nothing tells whose the complex is: it is kept, and the table
  // files' own field checks refuse one this build cannot read.
  if (buildMatches || !settings || !settings->ValueExists("MainWindow", "Build")) return;
  // The saved complex may mean something else to this build: it starts
  // empty, unless this run may not write the folder.
  foreignComplex_ = store_.FolderReadOnly();
  if (foreignComplex_) return;
  try {
    SaveComplexFiles(programFolder_, factoryList_, TFactorySet(), factProd_);
  } catch (const std::exception& error) {
    dialogs_.ShowError(error.what());
  }
}

void TFactComplexCalcForm::WriteSettings(IniFile* settings) {
  if (!settings) return;
  planForm_->WriteSettings(settings);
  SaveWindowPlacement(settings, *this, kSettingsSection);
  if (laidOut_) {  // the dividers as the player left them
    listHeight_ = panel2_->height();
    prodListWidth_ = panel6_->width();
  }
  settings->WriteInteger(kSettingsSection, "FactoryListHeight", listHeight_);
  settings->WriteInteger(kSettingsSection, "ProdListWidth", prodListWidth_);
  settings->WriteInteger(kSettingsSection, "PowerCycle", PowerCycle());
  settings->WriteString(
      kSettingsSection, "CurSector",
      comboBox1_->currentIndex() >= 0 ? comboBox1_->currentText().toStdString() : std::string());
  for (int i = 0; i < 6; ++i)
    settings->WriteInteger(kSettingsSection, kResultWidthKeys[i], stringGrid1_->columnWidth(i));
}

void TFactComplexCalcForm::showEvent(QShowEvent* event) {
  TProductPanelOwnerForm::showEvent(event);
  ApplyDividers();
  laidOut_ = true;
}

// ---- Showing and closing ----

void TFactComplexCalcForm::FormShow() {
  label4_->setText(label8_->text());
  store_.LoadFactoryNames();
  store_.LoadProductNames();
  std::vector<std::string> names;
  store_.FillFactoryNames(names, true);
  if (dbGrid1_->FindColumn("FactoryId")) {
    dbGrid1_->SetDropDownRows("FactoryId", kDropDownRows);
    dbGrid1_->SetPickList("FactoryId", names);
  }

  busy_ = true;
  std::string error;
  {
    BusyGuard busy(busyCursor_);
    buyableTypes_.emplace(store_);
    calculation_.Factories.ClearFactories();
    try {
      if (!foreignComplex_ && LoadComplexFiles(programFolder_, factoryList_, factProd_))
        LoadComplexFactories(store_, factoryList_, factProd_, calculation_.Factories);
    } catch (const std::exception& e) {
      error = e.what();
      factoryList_.EmptyDataSet();
      calculation_.Factories.ClearFactories();
    }
    factProd_.EmptyDataSet();
  }
  // A complex that could not be read is kept on disk until the player
  // builds another one, and told once, not at every opening.
  loadFailed_ = !error.empty();
  if (loadFailed_ && error != reportedLoadError_)
    dialogs_.ShowError(FormatText(texts_.ComplexKeptMsg, {error}));
  reportedLoadError_ = error;
  busy_ = false;
  UpdateResults();
  factoryList_.First();
  FactoryListDataAfterScroll();

  const Field& allowNps = factoryList_.Fields(kListAllowNps);
  dbGrid1_->SetPickList("AllowNPS", {allowNps.TrueText(), allowNps.FalseText()});
  FillSectors();
}

void TFactComplexCalcForm::FillSectors() {
  std::vector<std::string> sectors;
  store_.FillSectorNames(sectors, "", false);
  std::sort(sectors.begin(), sectors.end());
  const QSignalBlocker block(comboBox1_);
  comboBox1_->clear();
  for (const std::string& name : sectors)
    comboBox1_->addItem(Q(name));
  SelectComboText(*comboBox1_, CurSector);
}

void TFactComplexCalcForm::FormClose() {
  dbGrid1_->FinishEditing();
  store_.ClearFactoryNames();
  store_.ClearProductNames();
  busy_ = true;
  std::string error;
  {
    BusyGuard busy(busyCursor_);
    buyableTypes_.reset();
    frames_.clear();
    if ((loadFailed_ && factoryList_.IsEmpty()) || store_.FolderReadOnly()) {
      // Kept as it is on disk: unreadable, or not this program's to write.
      factoryList_.EmptyDataSet();
      factProd_.EmptyDataSet();
    } else {
      try {
        SaveComplexFiles(programFolder_, factoryList_, calculation_.Factories, factProd_);
      } catch (const std::exception& e) {
        error = e.what();
      }
    }
    calculation_.Factories.ClearFactories();
  }
  if (!error.empty()) dialogs_.ShowError(error);
}

// ---- Calculation ----

int TFactComplexCalcForm::PowerCycle() const {
  // The arrows' position, which follows what is typed in the box.
  return std::clamp(LeadingInteger(edit1_->text().toStdString()), 0, 999);
}

TFactory* TFactComplexCalcForm::CurrentFactory() {
  const Value recId = factoryList_.CurrentRecord().Get(kListRecId);
  return recId.IsNull() ? nullptr : calculation_.Factories.FindFactory(recId.ToInteger());
}

void TFactComplexCalcForm::UpdateResults() {
  if (busy_) return;
  BusyGuard busy(busyCursor_);
  const Value recId = factoryList_.CurrentRecord().Get(kListRecId);
  ShowResults(qv::UpdateResults(calculation_, PowerCycle(), recId.IsNull() ? -1 : recId.ToInteger(),
                                texts_));
}

void TFactComplexCalcForm::ShowResults(const TComplexResults& results) {
  label7_->setText(Q(results.CurrentMaxProfitText));
  // Without result rows the grid keeps one empty row under its titles.
  const int rows = static_cast<int>(results.Rows.size());
  stringGrid1_->clearContents();
  stringGrid1_->setRowCount(std::max(rows, 1));
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < 6; ++c) {
      auto* item = new QTableWidgetItem(Q(results.Rows[r][c]));
      item->setToolTip(item->text());  // in full, however narrow the column
      if (c > 0 && c != 4) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
      stringGrid1_->setItem(r, c, item);
    }
  }
  for (const std::unique_ptr<TProductFrame>& frame : frames_)
    frame->ShowRate(results.FrameCycle);
  label11_->setText(Q(results.MessageText));
  label3_->setText(Q(results.ProfitText));
  dbGrid1_->viewport()->update();  // the profits and price bars
}

void TFactComplexCalcForm::RebuildFrames() {
  scrollBox1_->hide();
  frames_.clear();
  if (TFactory* factory = CurrentFactory())
    frames_ = CreateFactoryFrames(*factory, frameList_, this, PowerCycle(), store_.Texts());
  scrollBox1_->show();
}

void TFactComplexCalcForm::ProductChanged(TProductFrame* frame) {
  TFactory* factory = CurrentFactory();
  if (!factory || !frame) return;
  if (TProduct* product = factory->FindProduct(frame->ProductId())) {
    product->Price = frame->Price();
    dbGrid1_->viewport()->update();
    UpdateResults();
  }
}

// ---- The factory list ----

void TFactComplexCalcForm::FactoryListDataAfterScroll() {
  if (busy_) return;
  label5_->setText(Q(texts_.Prices + ": " + factoryList_.Fields(kListFactoryId).DisplayText()));
  RebuildFrames();
  const TFactory* factory = CurrentFactory();
  label7_->setText(factory ? Q(TruncatedText(factory->MaxProfit)) : QString());
}

void TFactComplexCalcForm::FactoryIdSetText(Field& field, const std::string&) {
  if (store_.FactoryNames().Size() == 0) return;
  // Posted at once, so that the row has its NPS switch and the factory
  // joins the complex while the player is still on the row.
  Table& table = field.DataSet();
  table.Post();
  table.Edit();
  const Record row = table.CurrentRecord();
  const Value allowNps = row.Get(kListAllowNps);
  calculation_.Factories.LoadFactory(
      store_, row.Get(kListRecId).ToInteger(), row.Get(kListFactoryId).ToInteger(),
      row.Get(kListYield).ToInteger(), allowNps.IsNull() || allowNps.ToBoolean());
  UpdateResults();
  dbGrid1_->viewport()->update();
  FactoryListDataAfterScroll();
}

void TFactComplexCalcForm::FactoryListDataBeforePost(Table& table) {
  Field& allowNps = table.Fields(kListAllowNps);
  if (allowNps.IsNull()) allowNps.SetAsBoolean(true);
}

void TFactComplexCalcForm::FactoryListDataBeforeDelete(Table& table) {
  calculation_.Factories.RemoveFactory(table.Fields(kListRecId).AsInteger());
}

void TFactComplexCalcForm::FactoryListDataYieldChange(Field& field) {
  if (TFactory* factory = CurrentFactory()) factory->Yield = field.AsInteger();
  UpdateResults();
}

void TFactComplexCalcForm::FactoryListDataAllowNPSChange(Field& field) {
  if (TFactory* factory = CurrentFactory()) factory->AllowNPS = field.IsNull() || field.AsBoolean();
  UpdateResults();
}

void TFactComplexCalcForm::DrawFactoryCell(QPainter& painter, const QStyleOptionViewItem& option,
                                           const Record& record, const TColumn& column) {
  const bool profit = column.FieldName == "Profit";
  if (!profit && !ShowsPriceBar(column.FieldName)) return;
  const Value recId = record.Get(kListRecId);
  const TFactory* factory =
      recId.IsNull() ? nullptr : calculation_.Factories.FindFactory(recId.ToInteger());
  if (!factory) return;
  const QRect cell = option.rect;
  if (profit) {
    const bool selected = option.state & QStyle::State_Selected;
    QColor ink = option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text);
    if (factory->MaxProfit < 0) {
      QFont font = option.font;
      font.setBold(true);
      painter.setFont(font);
      ink = Qt::red;
    }
    painter.setPen(ink);
    painter.drawText(cell.adjusted(0, 0, -2, 0), Qt::AlignRight | Qt::AlignVCenter,
                     Q(TruncatedText(factory->MaxProfit)));
    return;
  }
  const Value productId = record.Get(column.FieldName);
  if (productId.IsNull()) return;
  const TProduct* product = const_cast<TFactory*>(factory)->FindProduct(productId.ToInteger());
  const int width = product ? PriceBarWidth(*product, cell.width()) : 0;
  if (width <= 0) return;
  QtCanvas canvas(painter);
  canvas.InvertRect(cell.left() + 1, cell.top() + 1, cell.left() + 1 + width,
                    cell.top() + cell.height() - 1);
}

void TFactComplexCalcForm::LeaveCalculatedColumn() {
  const Field* field = factoryList_.FindField(dbGrid1_->CurrentField());
  if (!field || field->DataType() != FieldType::Calculated) return;
  const TColumnList columns = dbGrid1_->Columns();
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (columns[i].FieldName == "FactoryId") dbGrid1_->SetCurrentColumn(static_cast<int>(i));
}

// ---- Commands ----

void TFactComplexCalcForm::ToolButton1Click() {
  dbGrid1_->AppendRow();
  dbGrid1_->setFocus();
}

void TFactComplexCalcForm::ToolButton2Click() {
  if (factoryList_.IsEmpty()) return;
  const std::string name = factoryList_.Fields(kListFactoryId).DisplayText();
  if (!dialogs_.AskYesNo(FormatText(mainTexts_.DeleteMsg, {name}), mainTexts_.DeleteCap)) return;
  dbGrid1_->DeleteRow();
  factoryList_.MergeChangeLog();
  UpdateResults();
}

void TFactComplexCalcForm::ToolButton3Click() {
  if (factoryList_.IsEmpty()) return;
  if (!dialogs_.AskYesNo(texts_.DeleteAllMsg, texts_.ClearCap)) return;
  dbGrid1_->CancelRow();
  factoryList_.EmptyDataSet();
  factoryList_.MergeChangeLog();
  calculation_.Factories.ClearFactories();
  FactoryListDataAfterScroll();  // no factory: no frames, no prices caption
  UpdateResults();
}

void TFactComplexCalcForm::ToolButton4Click() {
  dbGrid1_->FinishEditing();
  if (planForm_->Execute(PowerCycle(), factoryList_.IsEmpty())) UsePlan();
}

void TFactComplexCalcForm::UsePlan() {
  if (!planForm_->Plan().HasPlan()) return;
  busy_ = true;
  dbGrid1_->CancelRow();
  {
    BusyGuard busy(busyCursor_);
    UsePlanAsComplex(store_, planForm_->Catalogue(), planForm_->Plan(), planForm_->Options(),
                     factoryList_, calculation_.Factories);
  }
  busy_ = false;
  // The plan's solar cycle, so that both count the same rates.
  upDown1_->SetPosition(planForm_->Options().SolarCycle);
  comboBox1_->setCurrentIndex(-1);
  factoryList_.First();
  FactoryListDataAfterScroll();
  UpdateResults();
}

// ---- Solar cycle ----

void TFactComplexCalcForm::SetCycleHints() {
  const QString hint =
      Q(SolarCycleHint(store_.Texts(), LeadingInteger(edit1_->text().toStdString())));
  edit1_->setToolTip(hint);
  upDown1_->setToolTip(hint);
}

void TFactComplexCalcForm::Edit1Change() {
  SetCycleHints();
  UpdateResults();
}

void TFactComplexCalcForm::ComboBox1Change() {
  CurSector = comboBox1_->currentText().toStdString();
  const int cycle = store_.SectorSolarCycle(CurSector);
  if (cycle > 0) {
    upDown1_->SetPosition(cycle);
    return;
  }
  comboBox1_->setCurrentIndex(-1);
}

void TFactComplexCalcForm::Label9DblClick() {
  if (busy_) return;
  calculation_.TraceOn = true;
  UpdateResults();
  calculation_.TraceOn = false;
  // The results stand either way; the player learns whether the trace does.
  if (calculation_.TraceError.empty())
    dialogs_.ShowMessage(texts_.TraceSavedMsg, texts_.TraceCap, MessageIcon::Information);
  else
    dialogs_.ShowError(FormatText(texts_.TraceErrorMsg, {calculation_.TraceError}));
}

bool TFactComplexCalcForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == label9_ && event->type() == QEvent::MouseButtonDblClick) {
    Label9DblClick();
    return true;
  }
  if (watched == edit1_ && event->type() == QEvent::KeyPress) comboBox1_->setCurrentIndex(-1);
  return TProductPanelOwnerForm::eventFilter(watched, event);
}

}  // namespace qv
