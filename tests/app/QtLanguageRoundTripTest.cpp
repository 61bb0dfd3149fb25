// The shipped language files against the windows: a player who switches to
// German and back must see every English text again. A language file only
// replaces what it names, so the English file has to name every text the
// German one does, with exactly the texts the windows are built with.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTableWidget>
#include <QVariant>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>

#include "app/AppTestUniverse.h"
#include "app/MainForm.h"
#include "app/QtProgram.h"
#include "data/DataModule1.h"
#include "data/IniFile.h"
#include "economy/ComplexPlanForm.h"
#include "economy/FactComplexCalcForm.h"
#include "economy/FactSimpleCalcForm.h"
#include "economy/RequestForm.h"
#include "economy/SectProdForm.h"
#include "economy/WhereToForm.h"
#include "editors/BrowseForm.h"
#include "editors/FactoriesForm.h"
#include "editors/ProcessDataForm.h"
#include "editors/ProductsForm.h"
#include "editors/QtDataGrid.h"
#include "editors/QtTableModel.h"
#include "editors/RevealSectorForm.h"
#include "editors/SectorDataForm.h"
#include "editors/SectorPropForm.h"
#include "map/LegendForm.h"
#include "settings/PrefForm.h"

using namespace qvtest;

namespace {

using Snapshot = std::map<QString, QString>;

std::string ShippedFile(const std::string& name) {
  return std::string(QV_SOURCE_DIR) + "/lang/" + name;
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Every text the player can see on one object, keyed by the object's path so
// that two objects of the same name stay apart.
void RecordObject(const QObject& object, const QString& path, Snapshot& out) {
  static const char* const kProperties[] = {"text",      "title",       "toolTip",
                                            "statusTip", "windowTitle", "caption"};
  for (const char* property : kProperties) {
    const QVariant value = object.property(property);
    if (value.isValid()) out[path + "." + property] = value.toString();
  }
  if (const auto* tabs = qobject_cast<const QTabWidget*>(&object)) {
    for (int i = 0; i < tabs->count(); ++i) {
      out[path + ".tab" + QString::number(i)] = tabs->tabText(i);
      out[path + ".tabTip" + QString::number(i)] = tabs->tabToolTip(i);
    }
  }
  if (const auto* combo = qobject_cast<const QComboBox*>(&object)) {
    for (int i = 0; i < combo->count(); ++i)
      out[path + ".item" + QString::number(i)] = combo->itemText(i);
  }
}

void RecordTree(const QObject& parent, const QString& path, Snapshot& out) {
  std::map<QString, int> seen;
  for (const QObject* child : parent.children()) {
    const QString name =
        QString::fromLatin1(child->metaObject()->className()) + ":" + child->objectName();
    const QString childPath = path + "/" + name + "#" + QString::number(seen[name]++);
    RecordObject(*child, childPath, out);
    RecordTree(*child, childPath, out);
  }
}

void RecordWindow(const QWidget& window, Snapshot& out) {
  const QString path = window.objectName();
  RecordObject(window, path, out);
  RecordTree(window, path, out);
}

// A window, and the column titles of its data grids, which are no objects.
void RecordEditor(const QWidget& window, Snapshot& out) {
  RecordWindow(window, out);
  for (const qv::QtDataGrid* grid : window.findChildren<qv::QtDataGrid*>()) {
    const QString path = window.objectName() + "/" + grid->objectName() + ".title";
    for (int i = 0; i < grid->model()->columnCount(); ++i)
      out[path + QString::number(i)] = grid->model()->headerData(i, Qt::Horizontal).toString();
  }
}

void RecordStrings(const QString& prefix, const std::vector<std::string>& texts, Snapshot& out) {
  for (std::size_t i = 0; i < texts.size(); ++i)
    out[prefix + QString::number(i)] = QString::fromStdString(texts[i]);
}

Snapshot Record(qv::QtProgram& program) {
  Snapshot out;
  RecordWindow(program.MainForm(), out);
  RecordWindow(*program.Window(&qv::TProgramWindows::legend), out);
  RecordWindow(*program.Window(&qv::TProgramWindows::request), out);
  RecordWindow(*program.Window(&qv::TProgramWindows::pref), out);
  const auto* profit = program.Window(&qv::TProgramWindows::profit);
  RecordWindow(*profit, out);
  RecordStrings("FactSimpleCalcTexts", {profit->CycleText(), profit->YieldText()}, out);
  auto* complex = program.Window(&qv::TProgramWindows::complex);
  RecordWindow(*complex, out);
  const qv::TComplexTexts& c = complex->Texts();
  std::vector<std::string> complexTexts = {
      c.Prices,        c.StatPureExport,
      c.StatExport,    c.StatPureImport,
      c.StatImport,    c.StatEqual,
      c.StatSpareOnly, c.StatSpare,
      c.ErrorUnable,   c.ErrorNoExport,
      c.DeleteAllMsg,  c.ClearCap,
      c.TraceSavedMsg, c.TraceCap,
      c.TraceErrorMsg, complex->FactoryListData().FieldByName("AllowNPS").DisplayValues(),
      c.UnsettledMsg};
  for (int i = 0; i < 6; ++i)
    complexTexts.push_back(complex->ResultGrid().horizontalHeaderItem(i)->text().toStdString());
  const qv::QtTableModel& list = complex->Grid().Model();
  for (int i = 0; i < list.columnCount(); ++i)
    complexTexts.push_back(
        list.headerData(i, Qt::Horizontal, Qt::DisplayRole).toString().toStdString());
  RecordStrings("FactComplexCalcTexts", complexTexts, out);
  // The plan dialog is a window of its own inside the complex window.
  const qv::TComplexPlanForm& plan = complex->PlanForm();
  const qv::TPlanTexts& p = plan.Texts();
  const qv::TPlanFormTexts& f = plan.FormTexts();
  std::vector<std::string> planTexts = {
      p.OptimalMsg,    p.TimeLimitMsg, p.NoPlanInTimeMsg, p.NoMakerMsg,   p.LacksMsg,
      p.CannotMeetMsg, p.BuyHintMsg,   p.OrText,          p.OverLimitMsg, p.FailedMsg,
      f.NoTargetMsg,   f.ReplaceMsg,   f.ReplaceCap};
  for (const auto* list : {&f.ObjectiveList, &f.PriceRuleList})
    planTexts.insert(planTexts.end(), list->begin(), list->end());
  planTexts.insert(planTexts.end(), f.PriceTitles.begin(), f.PriceTitles.end());
  planTexts.insert(planTexts.end(), f.CountTitles.begin(), f.CountTitles.end());
  planTexts.insert(planTexts.end(), f.RateTitles.begin(), f.RateTitles.end());
  RecordStrings("ComplexPlanTexts", planTexts, out);
  // The grid's column titles are no objects of their own: all six, read from
  // the header with the rate columns shown.
  qv::TSectProdForm& products = *program.Window(&qv::TProgramWindows::sectProd);
  RecordWindow(products, out);
  products.RatesBox()->setChecked(true);
  products.ShowSector(-1, -1);
  for (int i = 0; i < products.Grid()->columnCount(); ++i) {
    const QTableWidgetItem* title = products.Grid()->horizontalHeaderItem(i);
    out["SectProdTitle" + QString::number(i)] = title->text();
    out["SectProdTitleHint" + QString::number(i)] = title->toolTip();
  }

  // The where-to window's column titles, roles and texts, likewise.
  const qv::TWhereToForm& whereTo = *program.Window(&qv::TProgramWindows::whereTo);
  RecordWindow(whereTo, out);
  const qv::TWhereToTexts& w = whereTo.Texts();
  std::vector<std::string> whereToTexts = {w.FromText, w.NoStartText, w.GridHint};
  whereToTexts.insert(whereToTexts.end(), w.Roles.begin(), w.Roles.end());
  whereToTexts.insert(whereToTexts.end(), w.Titles.begin(), w.Titles.end());
  whereToTexts.insert(whereToTexts.end(), w.TitleHints.begin(), w.TitleHints.end());
  for (int i = 0; i < whereTo.RoleBox()->count(); ++i)
    whereToTexts.push_back(whereTo.RoleBox()->itemText(i).toStdString());
  RecordStrings("WhereToTexts", whereToTexts, out);

  RecordEditor(*program.Window(&qv::TProgramWindows::products), out);
  const auto* factories = program.Window(&qv::TProgramWindows::factories);
  RecordEditor(*factories, out);
  const qv::TFactoriesTexts& factoryTexts = factories->Texts();
  RecordStrings("FactoriesTexts",
                {factoryTexts.SpecialNone, factoryTexts.DeleteFromMsg, factoryTexts.InfoText,
                 factoryTexts.InfoYieldText},
                out);
  const auto* objects = program.Window(&qv::TProgramWindows::sectorData);
  RecordEditor(*objects, out);
  const qv::TSectorDataTexts& objectTexts = objects->Texts();
  RecordStrings("SectorDataTexts",
                {objectTexts.NameDeleteMsg, objectTexts.ClearDataMsg, objectTexts.ClearDataCap,
                 objectTexts.SectorText},
                out);
  const auto& sector = *program.Window(&qv::TProgramWindows::sectorProp);
  RecordWindow(sector, out);
  RecordStrings("SectorPropTexts",
                {sector.Texts().EditCaption, sector.Texts().NewCaption,
                 sector.Texts().DuplicateText, sector.Texts().RangeText},
                out);
  const auto& browse = *program.Window(&qv::TProgramWindows::browse);
  RecordEditor(browse, out);
  RecordStrings("BrowseTexts", {browse.Texts().DeleteRecordMsg, browse.Texts().NoTableError}, out);
  const auto& reveal = *program.Window(&qv::TProgramWindows::reveal);
  RecordWindow(reveal, out);
  RecordStrings("RevealTexts", {reveal.Texts().NotFound, reveal.Texts().AlreadyVisible}, out);
  const auto& process = *program.Window(&qv::TProgramWindows::process);
  RecordWindow(process, out);
  RecordStrings("ProcessTexts",
                {process.Texts().TableText, process.Texts().ProcessMsg, process.Texts().ProcessCap,
                 process.Texts().ProcessErrorMsg},
                out);

  const qv::TMainTexts& main = program.MainForm().Texts();
  RecordStrings(
      "MainTexts",
      {main.StatusSuns,      main.StatusShipyard,   main.StatusDock,       main.StatusPirate,
       main.DeleteSectorMsg, main.DeleteCap,        main.RevealAllMsg,     main.RevealAllCap,
       main.DeleteMsg,       main.BmpErrorMsg,      main.BmpWriteErrorMsg, main.BmpTooLargeMsg,
       main.BmpSaveCap,      main.MapImageFilter,   main.MapFormatMsg,     main.AboutCap,
       main.AboutVersion,    main.AboutDescription, main.AboutLicence,     main.AboutFolder,
       main.AboutSettings,   main.RouteJumpsMsg,    main.RouteOneJumpMsg,  main.NoRouteMsg,
       main.RouteStartMsg,   main.RouteEndMsg},
      out);
  const qv::TStoreTexts& store = program.Store().Texts();
  RecordStrings(
      "StoreTexts",
      {store.FactoryProduces, store.FactoryNeeds, store.ProductUsual, store.ProductUpgrade,
       store.ProductShip, store.ProductFactory, store.SpecialSuns, store.SpecialOre,
       store.SpecialSilicon, store.FactoryOwnerYour, store.SolarTimeNote, store.FrameProductText,
       store.FrameResourceText, store.FrameUnitsHour, store.FrameAvgButton, store.TimeText,
       program.Store().FactoriesData.FieldByName("Buyable").DisplayValues(),
       program.Store().SectFactoryData.FieldByName("Your").DisplayValues()},
      out);
  const qv::TLegendTexts& legend = program.Window(&qv::TProgramWindows::legend)->Texts();
  RecordStrings(
      "LegendTexts",
      {legend.NAText, legend.RatesText, legend.NumberText, legend.ProdLegend, legend.ConsLegend},
      out);
  return out;
}

// The entries that differ between two snapshots of the same windows.
std::vector<QString> Differences(const Snapshot& expected, const Snapshot& actual) {
  std::vector<QString> lines;
  for (const auto& [key, value] : expected) {
    const auto it = actual.find(key);
    if (it == actual.end())
      lines.push_back(key + ": gone");
    else if (it->second != value)
      lines.push_back(key + ": \"" + value + "\" -> \"" + it->second + "\"");
  }
  for (const auto& [key, value] : actual)
    if (!expected.count(key)) lines.push_back(key + ": new \"" + value + "\"");
  return lines;
}

std::string Joined(const std::vector<QString>& lines) {
  std::string text;
  for (const QString& line : lines)
    text += line.toStdString() + "\n";
  return text;
}

class QtLanguageRoundTripTest : public ::testing::Test {
 protected:
  void SetUp() override { WriteSectors(dir, SmallUniverse()); }

  std::unique_ptr<qv::QtProgram> Start(TempDir& folder) {
    auto program = std::make_unique<qv::QtProgram>(folder.Folder(), dialogs, &busy);
    program->MainForm().FirstShow();
    return program;
  }

  void Switch(qv::QtProgram& program, const QString& language) {
    for (QAction* item : program.MainForm().LanguageMenu()->actions()) {
      if (item->isVisible() && item->text() == language) {
        program.MainForm().M_TemplateClick(*item);
        return;
      }
    }
    ADD_FAILURE() << "no language item " << language.toStdString();
  }

  TempDir dir;
  ScriptedDialogs dialogs;
  CountingBusyCursor busy;
};

TEST_F(QtLanguageRoundTripTest, SwitchingToGermanAndBackRestoresEveryEnglishText) {
  // What the windows show with no language file at all: the built-in texts.
  Snapshot builtIn;
  {
    TempDir bare;
    WriteSectors(bare, SmallUniverse());
    auto program = Start(bare);
    builtIn = Record(*program);
    program->MainForm().close();
  }

  for (const char* name : {"Deutsch.LNG", "English.LNG"})
    dir.Write(name, ReadWhole(ShippedFile(name)));
  auto program = Start(dir);
  ASSERT_EQ(program->MainForm().CurrentLanguage(), "English");
  const Snapshot atStart = Record(*program);
  // The English file gives the other windows the texts they are built with.
  // The main window's section is richer than its built-in texts on purpose
  // (menu mnemonics, descriptive hints), so only the round trip binds it.
  const auto withoutMainWindow = [](Snapshot snapshot) {
    std::erase_if(snapshot, [](const auto& entry) { return entry.first.startsWith("MainForm"); });
    return snapshot;
  };
  EXPECT_EQ(Joined(Differences(withoutMainWindow(builtIn), withoutMainWindow(atStart))), "");

  Switch(*program, "Deutsch");
  const Snapshot german = Record(*program);
  EXPECT_EQ(program->MainForm().Action("Delete2")->text(), "Löschen");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::legend)->windowTitle(), "Legende");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::legend)->Texts().NAText, "Nicht verfügbar");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::request)->windowTitle(), "Statistik berechnen");
  EXPECT_EQ(
      program->Window(&qv::TProgramWindows::pref)->findChild<QGroupBox*>("GroupBox1")->title(),
      "Karte");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::request)
                ->findChild<QComboBox*>("ComboBox4")
                ->itemText(0),
            "-- Keine --");
  EXPECT_EQ(program->Store().Texts().SpecialOre, "Erz");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::profit)->CycleText(), "Zyklus:");
  EXPECT_EQ(german.at("SectProdTitle5"), "Bedarf");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::sectorProp)->Texts().NewCaption, "Neuer Sektor");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::reveal)->Texts().AlreadyVisible,
            "Bereits sichtbar");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::process)->Texts().ProcessCap, "Verarbeiten");
  EXPECT_EQ(german.at("SectorDataForm/DBGrid4.title0"), "Produkt");
  EXPECT_EQ(german.at("FactoriesTexts2"), "Produkte je %d s ");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::complex)->Texts().StatEqual, "Ausgeglichen");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::complex)->PlanForm().windowTitle(),
            "Komplex planen");
  EXPECT_EQ(german.at("ComplexPlanTexts13"), "Möglichst wenige Fabriken");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::whereTo)->windowTitle(), "Wohin");
  EXPECT_EQ(program->Window(&qv::TProgramWindows::whereTo)->RoleBox()->itemText(2),
            "Von Stationen gehandelt");
  EXPECT_EQ(program->MainForm().Texts().NoRouteMsg, "Keine Route von %s nach %s");
  EXPECT_EQ(program->MainForm().Action("Avoidpiratebases1")->text(), "Sektoren mit Piratenbasis");
  EXPECT_GT(Differences(atStart, german).size(), 150u);

  Switch(*program, "English");
  const Snapshot back = Record(*program);
  EXPECT_EQ(Joined(Differences(atStart, back)), "");
  EXPECT_TRUE(dialogs.Messages().empty());
  EXPECT_EQ(busy.depth, 0);
  program->MainForm().close();
}

TEST_F(QtLanguageRoundTripTest, ShippedFilesNameTheSameKeys) {
  auto german = qv::IniFile::Load(ShippedFile("Deutsch.LNG"));
  auto english = qv::IniFile::Load(ShippedFile("English.LNG"));
  ASSERT_TRUE(german);
  ASSERT_TRUE(english);
  const auto keysOf = [](const qv::IniFile& file) {
    std::set<std::string> keys;
    for (const std::string& section : file.ReadSections())
      for (const std::string& key : file.ReadSection(section))
        keys.insert("[" + section + "] " + key);
    return keys;
  };
  const std::set<std::string> germanKeys = keysOf(*german);
  const std::set<std::string> englishKeys = keysOf(*english);
  for (const std::string& key : germanKeys)
    EXPECT_TRUE(englishKeys.count(key)) << "English lacks " << key;
  for (const std::string& key : englishKeys)
    EXPECT_TRUE(germanKeys.count(key)) << "German lacks " << key;
  EXPECT_GE(germanKeys.size(), 180u);
  // No key is given an empty text, which would leave the control unchanged.
  for (const qv::IniFile* file : {german.get(), english.get()})
    for (const std::string& section : file->ReadSections())
      for (const std::string& key : file->ReadSection(section))
        EXPECT_NE(file->ReadString(section, key, ""), "") << section << " " << key;
}

}  // namespace
