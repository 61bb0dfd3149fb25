#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "data/StoreCodes.h"
#include "data/StoreScopes.h"
#include "settings/ProgramWindow.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace qv {

// The texts of the objects-in-sector window that a language file may replace.
struct TSectorDataTexts {
  std::string NameDeleteMsg = "%s: delete \"%s\"?";  // station page, product
  std::string ClearDataMsg = "%s: clear all data?";  // station page
  std::string ClearDataCap = "Clear data";
  std::string SectorText = "Sector:";  // start of the heading
};

class Dialogs;
class IniFile;
class QtColumnLayoutFile;
class QtDataGrid;
class QtUpDown;
class TDataModule1;
class TFactoriesForm;
class TProductsForm;
struct TMainTexts;

// "Objects in sector": what stands in one sector and what its stations
// trade. The factory page lists the sector's factories and its solar power
// plant cycle; each station the sector has (shipyard, equipment dock,
// trading station, pirate base) has a page listing the products it trades.
// Every change goes to the tables at once; "OK" only closes the window.
class TSectorDataForm : public QDialog, public TProgramWindow {
  Q_OBJECT

 public:
  // Where a station kind is asked for: the factory page, which is no
  // station's.
  static constexpr std::optional<Trader> kFactoryPage = std::nullopt;

  TSectorDataForm(TDataModule1& store, Dialogs& dialogs, const TMainTexts& mainTexts,
                  std::string programFolder, TFactoriesForm& factories, TProductsForm& products,
                  QWidget* parent = nullptr);
  ~TSectorDataForm() override;

  // Opens the window modally for the sector at (x, y); false, showing
  // nothing, when no sector stands there.
  bool Execute(int x, int y);

  void Translate(const IniFile& languageFile) override;
  // Section "ObjectsWindow" and the five layout files of the grids.
  void ReadSettings(const IniFile* settings) override;
  void WriteSettings(IniFile* settings) override;

  // Events, public so that tests drive the window as the player does.
  bool Open(int x, int y);
  void FormShow();
  void FormClose();
  void StationBoxClick(Trader trader);  // CheckBox1Click ... CheckBox4Click
  void PageControl1Change();
  void ToolButton1Click();  // add a factory (also Ctrl+Insert in its grid)
  void ToolButton2Click();  // delete the current factory
  void ToolButton3Click();  // add a product on the current station page
  void ToolButton4Click();  // delete the current product of the station page
  void Edit1Change();
  void Button2Click();  // the factory types window
  void Button3Click();  // the product types window
  void UpdatePages();
  // After an undo or a redo: a sector of the window that is gone (its
  // objects went with it) closes the window rather than leave it on nothing.
  void CloseIfSectorGone();

  // The page of a station kind, or of the factories (kFactoryPage).
  QWidget& Page(std::optional<Trader> trader) const;
  QtDataGrid& Grid(std::optional<Trader> trader) const;
  QCheckBox& StationBox(Trader trader) const;
  QToolButton& DeleteButton(std::optional<Trader> trader) const;
  QTabWidget& Pages() const { return *pageControl1_; }
  QLineEdit& CycleEdit() const { return *edit1_; }
  QString Heading() const;
  QString CycleText() const;
  int SectorId() const { return sectorId_; }
  const TSectorDataTexts& Texts() const { return texts_; }

  void done(int result) override;

 private:
  // The controls of one station kind.
  struct StationPage {
    Trader trader = Trader::TradingStation;
    const char* layoutFile = "";
    QCheckBox* box = nullptr;
    QWidget* sheet = nullptr;
    QToolButton* add = nullptr;
    QToolButton* remove = nullptr;
    QtDataGrid* grid = nullptr;
    std::unique_ptr<QtColumnLayoutFile> layout;
  };

  void BuildControls();
  QWidget* BuildFactorySheet();
  void BuildStationPage(StationPage& page, int index);
  StationPage& Station(Trader trader);
  const StationPage& Station(Trader trader) const;
  std::string PageCaption(Trader trader) const;
  // The station kind whose page the traders' filter shows.
  Trader ShownTrader() const;
  void FillPickLists();
  void CopySharedTexts();
  bool CommitGrids();
  void UpdateDeleteButtons();
  int TypedCycle() const;
  // Label9: the typed cycle in the store's time text.
  void ShowCycleText();
  // Runs a window of types with the product filter lifted, then brings the
  // name lists and the pick lists up to date.
  void RunTypesWindow(const std::function<void()>& run);

  TDataModule1& store_;
  Dialogs& dialogs_;
  const TMainTexts& mainTexts_;
  std::string programFolder_;
  TFactoriesForm& factories_;
  TProductsForm& products_;

  bool ready_ = false;
  std::optional<TOpenSector> openSector_;  // while the window is shown
  int sectorId_ = 0;
  std::string sectorName_;
  TSectorDataTexts texts_;

  QLabel* label2_ = nullptr;
  QTabWidget* pageControl1_ = nullptr;
  QWidget* factorySheet_ = nullptr;
  QToolButton* toolButton1_ = nullptr;
  QToolButton* toolButton2_ = nullptr;
  QtDataGrid* dbGrid1_ = nullptr;
  std::unique_ptr<QtColumnLayoutFile> factoryLayout_;
  QLineEdit* edit1_ = nullptr;
  QtUpDown* upDown2_ = nullptr;
  QLabel* label9_ = nullptr;
  // By trader code: trading station, shipyard, equipment dock, pirate base.
  std::array<StationPage, 4> stations_;
  QPushButton* button1_ = nullptr;
  QPushButton* button2_ = nullptr;
  QPushButton* button3_ = nullptr;
};

}  // namespace qv
